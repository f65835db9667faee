#pragma once

#include "platform/Messages.h"

// The real messages: modal boxes captioned "Cartling" over the active window.
class MessageBoxSink : public MessageSink
{
public:
    void show(const QString &text) override;
    void error(const QString &text) override;
    bool confirm(const QString &text) override;
    bool confirmWithOption(const QString &text, const QString &option, bool *ticked) override;
    void about(const QString &title, const QString &text) override;
};
