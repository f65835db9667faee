#include "collection/CollectionReportDialog.h"

#include "collection/CollectionText.h"
#include "language/MessageTable.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"
#include "platform/FormWindow.h"
#include "platform/PathHelpers.h"
#include "platform/TextFile.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPlainTextEdit *fileList(const QString &name, const QStringList &lines, QWidget *parent)
{
    auto *list = new QPlainTextEdit(parent);
    list->setObjectName(name);
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setPlainText(lines.join(u'\n'));
    // Tab moves on to the next control instead of staying in a text that cannot be typed in.
    list->setTabChangesFocus(true);
    return list;
}

QString withoutEllipsis(QString text)
{
    text.remove(u'&');
    if (text.endsWith(u'\u2026'))
        text.chop(1);
    return text;
}

} // namespace

CollectionReportDialog::CollectionReportDialog(CollectionReport report, QWidget *parent)
    : QDialog(parent), m_report(std::move(report))
{
    setObjectName(QStringLiteral("CollectionReportDialog"));
    const MessageTable &texts = messageTable();
    setWindowTitle(withoutEllipsis(texts.text(CollectionText::ReportMenu)));

    auto *datLabel = new QLabel(texts.text(CollectionText::ReportDat), this);
    datLabel->setObjectName(QStringLiteral("Label1"));
    m_dats = new QComboBox(this);
    m_dats->setObjectName(QStringLiteral("ComboBox1"));
    for (const CollectionReport::DatPart &part : m_report.dats()) {
        const QString name = part.dat->index.name();
        m_dats->addItem(name.isEmpty() ? fileNameOf(part.dat->path) : name);
        m_dats->setItemData(m_dats->count() - 1, QDir::toNativeSeparators(part.dat->path), Qt::ToolTipRole);
    }
    datLabel->setBuddy(m_dats);
    m_counts = new QLabel(this);
    m_counts->setObjectName(QStringLiteral("Label2"));
    m_counts->setTextFormat(Qt::PlainText);
    m_counts->setWordWrap(true);

    // The games the DAT lacks.
    auto *missingPage = new QWidget(this);
    auto *searchLabel = new QLabel(texts.text(CollectionText::ReportSearch), missingPage);
    searchLabel->setObjectName(QStringLiteral("Label3"));
    m_search = new QLineEdit(missingPage);
    m_search->setObjectName(QStringLiteral("Edit1"));
    m_search->setClearButtonEnabled(true);
    searchLabel->setBuddy(m_search);
    m_names = new QStringListModel(this);
    m_filter = new QSortFilterProxyModel(this);
    m_filter->setSourceModel(m_names);
    m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_missing = new QListView(missingPage);
    m_missing->setObjectName(QStringLiteral("ListBox1"));
    m_missing->setModel(m_filter);
    m_missing->setUniformItemSizes(true);
    m_missing->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_missing->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_missing->setMinimumSize(560, 280);
    auto *copy = new QPushButton(texts.text(CollectionText::ReportCopy), missingPage);
    copy->setObjectName(QStringLiteral("Button1"));
    auto *saveList = new QPushButton(texts.text(CollectionText::ReportSaveList), missingPage);
    saveList->setObjectName(QStringLiteral("Button2"));
    auto *saveFix = new QPushButton(texts.text(CollectionText::ReportSaveFixDat), missingPage);
    saveFix->setObjectName(QStringLiteral("Button3"));
    auto *search = new QHBoxLayout;
    search->addWidget(searchLabel);
    search->addWidget(m_search, 1);
    auto *missingLayout = new QVBoxLayout(missingPage);
    missingLayout->addLayout(search);
    missingLayout->addWidget(m_missing);
    missingLayout->addLayout(buttonRow({copy, saveList, saveFix}));

    QStringList duplicates;
    for (const QStringList &group : m_report.duplicates()) {
        if (!duplicates.isEmpty())
            duplicates.append(QString());
        for (const QString &file : group)
            duplicates.append(QDir::toNativeSeparators(file));
    }
    QStringList unknown;
    for (const QString &file : m_report.unknown())
        unknown.append(QDir::toNativeSeparators(file));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->addTab(missingPage, QString());
    // The lists are named as their tabs, which a screen reader does not take for their labels.
    const QString duplicatesTab = texts.text(CollectionText::ReportDuplicates).arg(m_report.duplicates().size());
    const QString unknownTab = texts.text(CollectionText::ReportUnknown).arg(m_report.unknown().size());
    m_tabs->addTab(fileList(QStringLiteral("Memo1"), duplicates, this), duplicatesTab);
    m_tabs->widget(1)->setAccessibleName(duplicatesTab);
    m_tabs->addTab(fileList(QStringLiteral("Memo2"), unknown, this), unknownTab);
    m_tabs->widget(2)->setAccessibleName(unknownTab);

    auto *notChecked = new QLabel(this);
    notChecked->setObjectName(QStringLiteral("Label4"));
    notChecked->setTextFormat(Qt::PlainText);
    notChecked->setWordWrap(true);
    notChecked->setText(texts.text(CollectionText::ReportNotChecked).arg(m_report.notChecked()));
    notChecked->setVisible(m_report.notChecked() > 0);

    auto *close = new QPushButton(texts.text(CollectionText::ReportClose), this);
    close->setObjectName(QStringLiteral("Button4"));
    close->setDefault(true);

    auto *top = new QHBoxLayout;
    top->addWidget(datLabel);
    top->addWidget(m_dats, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_counts);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(notChecked);
    layout->addLayout(buttonRow({close}));
    AccessibleNames::update(this);

    connect(m_dats, &QComboBox::currentIndexChanged, this, [this](int index) { showDat(index); });
    connect(m_search, &QLineEdit::textChanged, m_filter, &QSortFilterProxyModel::setFilterFixedString);
    connect(copy, &QPushButton::clicked, this, [this] { copyMissing(); });
    connect(saveList, &QPushButton::clicked, this, guarded([this] { askAndSave(false); }));
    connect(saveFix, &QPushButton::clicked, this, guarded([this] { askAndSave(true); }));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    showDat(0);
}

void CollectionReportDialog::showDat(int index)
{
    const auto &parts = m_report.dats();
    if (index < 0 || index >= int(parts.size()))
        return;
    m_part = &parts[size_t(index)];
    const MessageTable &texts = messageTable();
    m_counts->setText(texts.text(CollectionText::ReportCounts)
                          .arg(QString::number(m_part->games), QString::number(m_part->good),
                               QString::number(m_part->bad), QString::number(m_part->missing.size())));
    m_names->setStringList(m_report.missingNames(*m_part));
    const QString missingTab = texts.text(CollectionText::ReportMissing).arg(m_part->missing.size());
    m_tabs->setTabText(0, missingTab);
    m_missing->setAccessibleName(missingTab);
}

QStringList CollectionReportDialog::shownMissing() const
{
    QStringList lines;
    lines.reserve(m_filter->rowCount());
    for (int row = 0; row < m_filter->rowCount(); ++row)
        lines.append(m_filter->index(row, 0).data().toString());
    return lines;
}

void CollectionReportDialog::copyMissing() const
{
    // The lines chosen, or all the search shows when none is.
    QModelIndexList chosen = m_missing->selectionModel()->selectedRows();
    QStringList lines;
    if (chosen.isEmpty()) {
        lines = shownMissing();
    } else {
        std::sort(chosen.begin(), chosen.end(),
                  [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
        for (const QModelIndex &index : chosen)
            lines.append(index.data().toString());
    }
    QApplication::clipboard()->setText(lines.join(u'\n'));
}

void CollectionReportDialog::saveMissingList(const QString &path) const
{
    QStringList lines = shownMissing();
    lines.append(QString()); // a final line end
    TextFile::save(path, lines.join(u'\n').toUtf8());
}

void CollectionReportDialog::saveFixDat(const QString &path) const
{
    if (m_part)
        TextFile::save(path, m_report.fixDat(*m_part));
}

void CollectionReportDialog::askAndSave(bool fixDat)
{
    if (!m_part)
        return;
    const MessageTable &texts = messageTable();
    // The DAT's name suggests the file's; a slash in it would lead elsewhere.
    QString name = m_dats->currentText();
    name.replace(u'/', u'-').replace(u'\\', u'-');
    const QString path =
        fixDat ? QFileDialog::getSaveFileName(this, withoutEllipsis(texts.text(CollectionText::ReportSaveFixDat)),
                                              QStringLiteral("fix_") + name + QStringLiteral(".dat"),
                                              QStringLiteral("DAT (*.dat *.xml);;* (*)"))
               : QFileDialog::getSaveFileName(this, withoutEllipsis(texts.text(CollectionText::ReportSaveList)),
                                              name + QStringLiteral(".txt"), QStringLiteral("* (*)"));
    if (path.isEmpty())
        return;
    if (fixDat)
        saveFixDat(path);
    else
        saveMissingList(path);
}
