#pragma once

#include "platform/Messages.h"

// Swallows the messages a benchmarked operation shows, so that no box or output disturbs the timing.
class SilentMessages : public MessageSink
{
public:
    void show(const QString &) override {}
    bool confirm(const QString &) override { return false; }
};
