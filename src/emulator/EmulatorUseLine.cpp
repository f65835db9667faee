#include "emulator/EmulatorUseLine.h"

#include "emulator/EmulatorKind.h"
#include "emulator/EmulatorText.h"
#include "language/MessageTable.h"
#include "settings/SettingsFile.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGroupBox>

EmulatorUseLine::EmulatorUseLine(QWidget *dialog) : QLabel(dialog)
{
    setObjectName(QStringLiteral("EmulatorUse"));
    setWordWrap(true);
    setMaximumWidth(360);
    hide();
    dialog->installEventFilter(this);
}

QStringList EmulatorUseLine::usedCaptions(const QString &dialog, bool ownCommand)
{
    if (ownCommand)
        return dialog == u"TForm12" ? QStringList{QStringLiteral("CheckBox2")} : QStringList();
    if (dialog == u"TForm3") // sound type, volume, frames skipped, colour scheme
        return {QStringLiteral("Label8"), QStringLiteral("Label1"), QStringLiteral("Label3"), QStringLiteral("Label6")};
    if (dialog == u"TForm5") // the Game Boy model
        return {QStringLiteral("GroupBox3")};
    if (dialog == u"TForm12") // the save folder
        return {QStringLiteral("CheckBox2")};
    return {};
}

bool EmulatorUseLine::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched == parent())
        renew();
    return QLabel::eventFilter(watched, event);
}

void EmulatorUseLine::renew()
{
    const EmulatorKind kind = EmulatorKinds::ofStored(SettingsFile());
    if (kind == EmulatorKind::Zibo) {
        hide();
        return;
    }
    QStringList captions;
    if (kind != EmulatorKind::RetroArch) {
        for (const QString &name : usedCaptions(parent()->objectName(), kind == EmulatorKind::OwnCommand)) {
            QString caption;
            if (const auto *label = parent()->findChild<QLabel *>(name))
                caption = label->text();
            else if (const auto *button = parent()->findChild<QAbstractButton *>(name))
                caption = button->text();
            else if (const auto *group = parent()->findChild<QGroupBox *>(name))
                caption = group->title();
            // "Sonido : ", "Color =": the caption without what leads to its control.
            while (!caption.isEmpty() && (caption.back().isSpace() || caption.back() == u':' || caption.back() == u'='))
                caption.chop(1);
            if (!caption.isEmpty())
                captions << caption.remove(u'&');
        }
    }
    const MessageTable &texts = messageTable();
    setText(captions.isEmpty() ? texts.text(EmulatorText::UsesNone)
                               : texts.text(EmulatorText::UsesOnly) + captions.join(QStringLiteral(", ")) + u'.');
    show();
}
