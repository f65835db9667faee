#include "ZiboWindow.h"

#include "ScreenImage.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *textLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

ZiboWindow::ZiboWindow(StandInSession session, QWidget *parent)
    : QWidget(parent), m_session(std::move(session)), m_screen(ScreenImage::render(m_session.game))
{
    setObjectName(QStringLiteral("ZiboWindow"));
    setWindowTitle(QStringLiteral("Zibo (stand-in) - %1").arg(m_session.game.title));

    auto *screen = new QLabel;
    screen->setObjectName(QStringLiteral("Screen"));
    screen->setPixmap(QPixmap::fromImage(m_screen.scaled(m_screen.size() * 2)));
    screen->setFixedSize(m_screen.size() * 2);

    // Every title byte may be dropped; an empty label would look like a fault of the window.
    auto *title =
        textLabel(m_session.game.title.isEmpty() ? QStringLiteral("(no title in the header)") : m_session.game.title);
    title->setObjectName(QStringLiteral("Title"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);

    auto *details = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const QString &name, QLabel *value) {
        details->addWidget(new QLabel(name), row, 0, Qt::AlignTop);
        details->addWidget(value, row++, 1);
    };
    addRow(QStringLiteral("Title:"), title);
    if (!m_session.game.member.isEmpty())
        addRow(QStringLiteral("Archive member:"), textLabel(m_session.game.member));
    if (!m_session.game.problem.isEmpty())
        addRow(QStringLiteral("Problem:"), textLabel(m_session.game.problem));
    addRow(QStringLiteral("ROM:"),
           textLabel(m_session.romPath().isEmpty() ? QStringLiteral("(none given)")
                                                   : QDir::toNativeSeparators(m_session.romPath())));
    if (m_session.arguments.size() > 1) {
        addRow(QStringLiteral("Ignored arguments:"),
               textLabel(QStringLiteral("\"%1\"").arg(m_session.arguments.mid(1).join(QStringLiteral("\" \"")))));
    }
    addRow(QStringLiteral("Configuration:"),
           textLabel(m_session.config ? QDir::toNativeSeparators(m_session.configPath) : m_session.configProblem));
    details->setColumnStretch(1, 1);

    auto *options = new QListWidget;
    options->setObjectName(QStringLiteral("Options"));
    options->addItems(m_session.options());
    if (m_session.config && options->count() == 0)
        options->addItem(QStringLiteral("(Zibo.cfg holds no options)"));

    auto *shot = new QPushButton(QStringLiteral("Screenshot (F12)"));
    shot->setObjectName(QStringLiteral("Screenshot"));
    shot->setShortcut(QKeySequence(Qt::Key_F12));
    connect(shot, &QPushButton::clicked, this, &ZiboWindow::takeScreenshot);
    auto *close = new QPushButton(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    m_status = textLabel(QString());
    m_status->setObjectName(QStringLiteral("Status"));

    auto *right = new QVBoxLayout;
    right->addLayout(details);
    right->addWidget(new QLabel(QStringLiteral("Options read from Zibo.cfg:")));
    right->addWidget(options, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(screen, 0, Qt::AlignTop);
    top->addLayout(right, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(shot);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(760, 420);
}

void ZiboWindow::takeScreenshot()
{
    QString error;
    const QString path = m_session.screenshotPath();
    if (ScreenImage::save(m_screen, path, &error))
        m_status->setText(QStringLiteral("Screenshot saved: %1").arg(QDir::toNativeSeparators(path)));
    else
        m_status->setText(
            QStringLiteral("The screenshot could not be saved to %1: %2").arg(QDir::toNativeSeparators(path), error));
}

// The window's meta-object code is compiled here rather than in a file of its own, which parsed the Qt headers again.
#include "moc_ZiboWindow.cpp"
