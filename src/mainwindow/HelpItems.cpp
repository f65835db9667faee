#include "mainwindow/HelpItems.h"

#include "language/MessageTable.h"
#include "mainwindow/HomePageDialog.h"
#include "mainwindow/Windows.h"
#include "platform/FileLookup.h"
#include "platform/FormWindow.h"
#include "platform/Messages.h"
#include "platform/PathHelpers.h"
#include "platform/TextFile.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QDialog>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

HelpItems::HelpItems(QWidget &owner, Windows &windows) : QObject(&owner), m_owner(owner), m_windows(windows) {}

HelpItems::~HelpItems()
{
    // The viewer is a window of its own, not a child of the main window.
    delete m_readmeViewer.data();
}

void HelpItems::showReadme()
{
    const QString base = BaseFolder::path();
    const bool spanish =
        SettingsFile().read(Keys::ArchName, QString::fromUtf8("español.cti")) == QString::fromUtf8("español.cti");
    const QStringList candidates = spanish ? QStringList{QStringLiteral("leeme.txt"), QString::fromUtf8("léeme.txt")}
                                           : QStringList{QStringLiteral("readme.txt")};
    QString found;
    for (const QString &name : candidates) {
        found = FileLookup::find(base, name);
        if (!found.isEmpty())
            break;
    }
    if (found.isEmpty()) {
        showMessage(messageTable().text(Msg::ReadmeMissing));
        return;
    }
    if (!m_readmeViewer) {
        m_readmeViewer = new QDialog(nullptr, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
        m_readmeViewer->setObjectName(QStringLiteral("ReadmeViewer"));
        m_readmeViewer->resize(550, 400);
        auto *layout = new QVBoxLayout(m_readmeViewer);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *text = named(new QPlainTextEdit(m_readmeViewer), "AHMTextFileView1");
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        layout->addWidget(text);
    }
    const QString name = fileNameOf(found);
    m_readmeViewer->setWindowTitle(name);
    auto *text = m_readmeViewer->findChild<QPlainTextEdit *>(QStringLiteral("AHMTextFileView1"));
    text->setAccessibleName(name);
    text->setPlainText(TextFile::read(found).value_or(QString()));
    m_readmeViewer->show();
    m_readmeViewer->raise();
}

void HelpItems::showAbout()
{
    messages().about(
        QStringLiteral("Cartling"),
        QStringLiteral("CARTLING  V1.7\nA front-end for the Zibo Game Boy emulator, by the Cartling developers."));
}

void HelpItems::showHomePage()
{
    if (m_windows.homePageDialog)
        m_windows.homePageDialog->exec();
}
