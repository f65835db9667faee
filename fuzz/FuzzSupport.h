#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// Shared by the fuzz targets. Each target defines LLVMFuzzerTestOneInput; libFuzzer calls it with inputs it
// makes up, the replay driver (ReplayCorpus.cpp) with the files of the target's corpus.

// The input as bytes, without a copy.
inline QByteArray fuzzInput(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A private folder for the files a target writes, made once per process.
QString fuzzFolder();

// Writes the bytes to `path` (in the fuzz folder), replacing what was there; a failure stops the run.
void writeFuzzFile(const QString &path, const QByteArray &bytes);

// Stops the run with the message when a property does not hold: libFuzzer keeps the input that broke it.
[[noreturn]] void fuzzFailure(const char *file, int line, const QString &message);

#define FUZZ_CHECK(condition, message)                                                                                 \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fuzzFailure(__FILE__, __LINE__, QStringLiteral("%1: %2").arg(QLatin1String(#condition), (message)));       \
    } while (false)
