// A Cartling that is killed while it writes: rewrites one large settings or data file over and over, each
// time with the next generation number, and says "written" after each write.
#include "GenerationWriter.h"

#include <QString>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[2]);
    const bool data = std::strcmp(argv[1], "data") == 0;
    for (;;) {
        writeNextGeneration(data, path);
        std::puts("written");
        std::fflush(stdout);
    }
}
