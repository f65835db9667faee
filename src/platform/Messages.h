#pragma once

#include <QString>

// Every message the user sees goes through one sink; tests install one that records instead of showing.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    // A modal box with one OK button, captioned "Cartling".
    virtual void show(const QString &text) = 0;
    // The same for an error raised by the program's run-time (a refused write, a file not created).
    virtual void error(const QString &text) { show(text); }
    // A yes/no question; true for yes.
    virtual bool confirm(const QString &text) = 0;
    // A yes/no question with a box to tick below it, unticked at first; true for yes, `*ticked` the box's state.
    virtual bool confirmWithOption(const QString &text, const QString &option, bool *ticked)
    {
        (void)option;
        *ticked = false;
        return confirm(text);
    }
    // The About box: the program's icon, its name line and a second line.
    virtual void about(const QString &title, const QString &text) { show(title + u'\n' + text); }
};

MessageSink &messages();
// Installs a sink for the whole program; nullptr puts the real message boxes back.
void setMessageSink(MessageSink *sink);

inline void showMessage(const QString &text)
{
    messages().show(text);
}
