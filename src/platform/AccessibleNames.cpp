#include "platform/AccessibleNames.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QVariant>

namespace {

// Marks a name given here, so that it is renewed while one the code set on purpose is left alone.
constexpr char kDerived[] = "cartlingDerivedName";
constexpr char kSource[] = "cartlingNameSource";
constexpr char kSuffix[] = "cartlingNameSuffix";

QString textOf(const QObject *object)
{
    if (const auto *action = qobject_cast<const QAction *>(object))
        return action->iconText();
    if (const auto *label = qobject_cast<const QLabel *>(object))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(object))
        return button->text();
    if (const auto *group = qobject_cast<const QGroupBox *>(object))
        return group->title();
    if (const auto *widget = qobject_cast<const QWidget *>(object); widget && widget->isWindow())
        return widget->windowTitle();
    return {};
}

// A heading's text with a suffix ("Código" and " 3") loses the blanks and colon it may end in.
QString nameFrom(const QObject *source, const QString &suffix)
{
    QString name = textOf(source);
    if (suffix.isEmpty())
        return name;
    name = name.trimmed();
    if (name.endsWith(u':'))
        name = name.chopped(1).trimmed();
    return name + suffix;
}

QString labelFor(const QWidget *control, const QWidget *window)
{
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() == control)
            return label->text();
    }
    return {};
}

QString groupTitleAround(const QWidget *control)
{
    for (const QWidget *w = control->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        if (const auto *group = qobject_cast<const QGroupBox *>(w))
            return group->title();
    }
    return {};
}

QString derivedName(const QWidget *control, const QWidget *window)
{
    if (const auto *source = control->property(kSource).value<QObject *>())
        return nameFrom(source, control->property(kSuffix).toString());
    if (!control->toolTip().isEmpty())
        return control->toolTip();
    if (const QString label = labelFor(control, window); !label.isEmpty())
        return label;
    return groupTitleAround(control);
}

// A control that the user reaches: one that takes the keyboard focus, or any button.
bool isControl(const QWidget *widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) || qobject_cast<const QAbstractButton *>(widget);
}

bool hasOwnCaption(const QWidget *widget)
{
    const auto *button = qobject_cast<const QAbstractButton *>(widget);
    return button && !button->text().isEmpty();
}

} // namespace

namespace AccessibleNames {

void update(QWidget *window)
{
    if (!window)
        return;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!isControl(control) || hasOwnCaption(control))
            continue;
        const bool derived = control->property(kDerived).toBool();
        if (!control->accessibleName().isEmpty() && !derived)
            continue;
        QString name = derivedName(control, window);
        name.remove(u'&');
        control->setAccessibleName(name);
        control->setProperty(kDerived, true);
    }
}

void nameAfter(QWidget *control, QObject *source, const QString &suffix)
{
    control->setProperty(kSource, QVariant::fromValue(source));
    control->setProperty(kSuffix, suffix);
    control->setProperty(kDerived, true);
    control->setAccessibleName(nameFrom(source, suffix).remove(u'&'));
}

} // namespace AccessibleNames
