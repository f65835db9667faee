// Runs a fuzz target over stored inputs without libFuzzer, so that every test run replays each corpus with
// the normal compiler. Arguments: files, or folders whose files are replayed in name order.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

bool replay(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    // libFuzzer never passes a null pointer; an empty file still gets a valid one.
    static const uint8_t empty = 0;
    LLVMFuzzerTestOneInput(bytes.isEmpty() ? &empty : reinterpret_cast<const uint8_t *>(bytes.constData()),
                           size_t(bytes.size()));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    int replayed = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QFile::decodeName(argv[i]);
        if (QFileInfo(argument).isDir()) {
            const QDir folder(argument);
            for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
                ok = replay(folder.filePath(name)) && ok;
                ++replayed;
            }
        } else {
            ok = replay(argument) && ok;
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    if (replayed == 0) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 1;
    }
    return ok ? 0 : 1;
}
