#include "collection/RenamePreviewDialog.h"

#include "collection/CollectionText.h"
#include "language/MessageTable.h"
#include "platform/AccessibleNames.h"
#include "platform/FormWindow.h"
#include "platform/PathHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

RenamePreviewDialog::RenamePreviewDialog(const QList<RenameLog::Move> &renames, QWidget *parent,
                                         const QList<RenameLog::MemberMove> &members)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RenamePreviewDialog"));
    const MessageTable &texts = messageTable();
    setWindowTitle(texts.text(CollectionText::RenameToDat));

    auto *label = new QLabel(texts.text(CollectionText::RenameList).arg(renames.size()), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);

    QStringList lines;
    lines.reserve(renames.size());
    const QString arrow = QStringLiteral("  \u2192  ");
    for (qsizetype i = 0; i < renames.size(); ++i) {
        QString line = fileNameOf(renames[i].from) + arrow + fileNameOf(renames[i].to);
        for (const RenameLog::MemberMove &member : members) {
            if (member.file == i)
                line += QStringLiteral("  (") + member.from + arrow + member.to + u')';
        }
        lines.append(line);
    }
    auto *list = new QPlainTextEdit(this);
    list->setObjectName(QStringLiteral("Memo1"));
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setPlainText(lines.join(u'\n'));
    list->setMinimumSize(560, 300);
    AccessibleNames::nameAfter(list, label);

    auto *rename = new QPushButton(texts.text(CollectionText::RenameToDat), this);
    rename->setObjectName(QStringLiteral("Button1"));
    rename->setDefault(true);
    // Escape closes the dialog as "Cancelar" does.
    auto *cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("Button2"));

    QHBoxLayout *buttons = buttonRow({rename, cancel});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addLayout(buttons);

    connect(rename, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}
