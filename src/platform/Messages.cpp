#include "platform/Messages.h"

#include <cstdio>

namespace {

// Until the program installs its message boxes (and in tools without windows) messages go to stderr.
class StderrSink : public MessageSink
{
public:
    void show(const QString &text) override { std::fprintf(stderr, "Cartling: %s\n", qUtf8Printable(text)); }
    bool confirm(const QString &text) override
    {
        show(text);
        return false;
    }
};

StderrSink g_stderr;
MessageSink *g_sink = nullptr;

} // namespace

MessageSink &messages()
{
    return g_sink ? *g_sink : g_stderr;
}

void setMessageSink(MessageSink *sink)
{
    g_sink = sink;
}
