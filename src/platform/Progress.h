#pragma once

#include <functional>

// Reports how far a long operation has come (items done of items in all) and answers whether to go on:
// true goes on, false cancels. An empty Progress goes on always.
using Progress = std::function<bool(int done, int total)>;

inline bool goOn(const Progress &progress, int done, int total)
{
    return !progress || progress(done, total);
}
