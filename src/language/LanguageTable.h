#pragma once

#include <QString>
#include <QStringList>
#include <span>

// The built-in Spanish language table: its texts in index order, and the components each text is applied to.
// A language file replaces the texts line for line; the targets never change.
namespace LanguageTable {

// The design's 190 texts, then the texts added since, appended after them so that an older language file,
// which ends at entry 189, keeps the built-in text for each of them.
inline constexpr int DesignEntryCount = 190;
inline constexpr int EntryCount = 420;

enum class TargetKind
{
    Caption,     // a menu item's, button's, label's or group's caption
    WindowTitle, // the window's own title; the component is the window itself
    EditText,    // an edit's text; its change handler runs as for typing
    MemoText,    // a memo's whole text, which may span several lines
};

struct Target
{
    int index;
    const char *window;    // the window's class name, which is its objectName
    const char *component; // the component's objectName; the window's own name for a window title
    TargetKind kind;
};

// The built-in texts, in index order.
const QStringList &builtin();
// One built-in text; empty outside the table.
QString builtinText(int index);
// Every component that an entry is applied to, ordered by index.
std::span<const Target> targets();

} // namespace LanguageTable
