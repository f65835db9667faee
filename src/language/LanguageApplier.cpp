#include "language/LanguageApplier.h"

#include "platform/AccessibleNames.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool isLanguageWindow(const QObject *object)
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    return widget && widget->isWindow() && widget->objectName().startsWith(QLatin1String("TForm"));
}

// The named objects of one window. Another window parented to it (a dialog owned by the main window) is left
// out, so that its "Button1" or "GroupBox2" never takes a text meant for this window's control of that name.
void collectNamed(QObject *parent, QHash<QString, QList<QObject *>> &named)
{
    for (QObject *child : parent->children()) {
        if (isLanguageWindow(child))
            continue;
        if (!child->objectName().isEmpty())
            named[child->objectName()].append(child);
        collectNamed(child, named);
    }
}

class WindowIndex
{
public:
    explicit WindowIndex(const QList<QWidget *> &windows)
    {
        for (QWidget *window : windows) {
            if (window)
                m_windows[window->objectName()].append(window);
        }
    }

    bool hasWindow(const char *name) const { return m_windows.contains(QLatin1String(name)); }

    // Every object that a target names, in every window of the target's class.
    QList<QObject *> objects(const LanguageTable::Target &target)
    {
        QList<QObject *> found;
        for (QWidget *window : m_windows.value(QLatin1String(target.window))) {
            if (target.kind == LanguageTable::TargetKind::WindowTitle) {
                found.append(window);
                continue;
            }
            auto it = m_named.find(window);
            if (it == m_named.end()) {
                it = m_named.insert(window, {});
                collectNamed(window, *it);
            }
            found += it->value(QLatin1String(target.component));
        }
        return found;
    }

private:
    QHash<QString, QList<QWidget *>> m_windows;
    QHash<QWidget *, QHash<QString, QList<QObject *>>> m_named;
};

// Sets the text by the object's runtime type; false when the object takes no text. With a null text only
// answers whether it would.
bool setText(QObject *object, LanguageTable::TargetKind kind, const QString *text)
{
    if (kind == LanguageTable::TargetKind::WindowTitle) {
        auto *window = qobject_cast<QWidget *>(object);
        if (window && text)
            window->setWindowTitle(*text);
        return window != nullptr;
    }
    if (auto *action = qobject_cast<QAction *>(object)) {
        if (text)
            action->setText(*text);
    } else if (auto *menu = qobject_cast<QMenu *>(object)) {
        if (text)
            menu->setTitle(*text);
    } else if (auto *button = qobject_cast<QAbstractButton *>(object)) {
        if (text)
            button->setText(*text);
    } else if (auto *label = qobject_cast<QLabel *>(object)) {
        if (text) {
            // A language file's text is shown as it stands, never read as markup.
            label->setTextFormat(Qt::PlainText);
            label->setText(*text);
        }
    } else if (auto *group = qobject_cast<QGroupBox *>(object)) {
        if (text)
            group->setTitle(*text);
    } else if (auto *edit = qobject_cast<QLineEdit *>(object)) {
        if (text)
            edit->setText(*text);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(object)) {
        if (text)
            plain->setPlainText(*text);
    } else if (auto *rich = qobject_cast<QTextEdit *>(object)) {
        if (text)
            rich->setPlainText(*text);
    } else {
        return false;
    }
    return true;
}

} // namespace

QList<QWidget *> languageWindows()
{
    QList<QWidget *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (isLanguageWindow(widget))
            windows.append(widget);
    }
    return windows;
}

void applyLanguage(const QStringList &table, const QList<QWidget *> &windows)
{
    WindowIndex index(windows);
    for (const LanguageTable::Target &target : LanguageTable::targets()) {
        const QString text =
            target.index < table.size() ? table[target.index] : LanguageTable::builtinText(target.index);
        for (QObject *object : index.objects(target))
            setText(object, target.kind, &text);
    }
    for (QWidget *window : windows)
        AccessibleNames::update(window);
}

QList<LanguageTable::Target> unreachedTargets(const QList<QWidget *> &windows)
{
    WindowIndex index(windows);
    QList<LanguageTable::Target> unreached;
    for (const LanguageTable::Target &target : LanguageTable::targets()) {
        if (!index.hasWindow(target.window))
            continue;
        const QList<QObject *> objects = index.objects(target);
        const bool reached = std::any_of(objects.begin(), objects.end(),
                                         [&](QObject *object) { return setText(object, target.kind, nullptr); });
        if (!reached)
            unreached.append(target);
    }
    return unreached;
}
