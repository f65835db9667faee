#include "emulator/EmulatorUseLine.h"

#include "emulator/Emulator.h"
#include "emulator/EmulatorText.h"
#include "language/MessageTable.h"
#include "platform/Places.h"
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

bool EmulatorUseLine::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched == parent())
        renew();
    return QLabel::eventFilter(watched, event);
}

void EmulatorUseLine::renew()
{
    const SettingsFile settings;
    const QString program = settings.read(Keys::Zibo, Places::defaultEmulatorName());
    const Emulator &emulator = Emulators::of(EmulatorKinds::ofStored(settings, program));
    if (emulator.takesEveryOption()) {
        hide();
        return;
    }
    QStringList captions;
    for (const QString &name : emulator.usedOptions(parent()->objectName(), program)) {
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
    const MessageTable &texts = messageTable();
    QString text = captions.isEmpty() ? texts.text(EmulatorText::UsesNone)
                                      : texts.text(EmulatorText::UsesOnly) + captions.join(QStringLiteral(", ")) + u'.';
    if (const QString note = emulator.optionsNote(parent()->objectName(), program); !note.isEmpty())
        text += u' ' + note;
    setText(text);
    show();
}
