// Writes the built-in language table as a language file, so the shipped Spanish file never drifts from it.
#include "language/LanguageFile.h"
#include "platform/TextFile.h"

#include <QString>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.cti>\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (!TextFile::writeBytes(path, LanguageFile::builtinFileBytes())) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
