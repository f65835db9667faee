#include "archive/Libzip.h"

#include "archive/ZipLibrary.h"
#include "platform/ErrorHandler.h"

#include <atomic>
#include <type_traits>

#ifdef CARTLING_LIBZIP_SONAME
#include <dlfcn.h>
#endif

namespace {

struct Loaded
{
    const LibzipFunctions *functions = nullptr;
    QString error; // the loader's words when it failed
};

Loaded load()
{
#ifdef CARTLING_LIBZIP_SONAME
    // Never closed: the functions are used until the program ends.
    void *library = dlopen(CARTLING_LIBZIP_SONAME, RTLD_LAZY | RTLD_LOCAL);
    if (!library)
        return {nullptr, QString::fromLocal8Bit(dlerror())};
    static LibzipFunctions functions;
    QString missing;
    const auto resolve = [library, &missing](auto &member, const char *name) {
        member = reinterpret_cast<std::remove_reference_t<decltype(member)>>(dlsym(library, name));
        if (!member)
            missing = QString::fromLatin1(name);
    };
#define CARTLING_LIBZIP_RESOLVE(name) resolve(functions.name, "zip_" #name);
    CARTLING_LIBZIP_FUNCTIONS(CARTLING_LIBZIP_RESOLVE)
#undef CARTLING_LIBZIP_RESOLVE
    if (!missing.isEmpty())
        return {nullptr, QStringLiteral(CARTLING_LIBZIP_SONAME " has no function ") + missing};
    return {&functions, {}};
#else
#define CARTLING_LIBZIP_LINKED(name) &::zip_##name,
    static const LibzipFunctions functions{CARTLING_LIBZIP_FUNCTIONS(CARTLING_LIBZIP_LINKED)};
#undef CARTLING_LIBZIP_LINKED
    return {&functions, {}};
#endif
}

const Loaded &loaded()
{
    static const Loaded once = load(); // once, whichever thread comes first
    return once;
}

std::atomic<bool> g_simulatedMissing{false};
QString g_simulatedError;

} // namespace

const LibzipFunctions *loadedLibzip()
{
    return g_simulatedMissing ? nullptr : loaded().functions;
}

const LibzipFunctions &libzip()
{
    if (const LibzipFunctions *functions = loadedLibzip())
        return *functions;
    throw FatalError(checkZipLibraryVersion(nullptr).value_or(QString()));
}

QString libzipName()
{
#ifdef CARTLING_LIBZIP_SONAME
    return QStringLiteral(CARTLING_LIBZIP_SONAME);
#else
    return QStringLiteral("libzip");
#endif
}

QString libzipLoadError()
{
    return g_simulatedMissing ? g_simulatedError : loaded().error;
}

QString libzipFile()
{
#ifdef CARTLING_LIBZIP_SONAME
    Dl_info info{};
    if (const LibzipFunctions *functions = loadedLibzip();
        functions && dladdr(reinterpret_cast<const void *>(functions->libzip_version), &info) && info.dli_fname)
        return QString::fromLocal8Bit(info.dli_fname);
#endif
    return {};
}

void simulateMissingLibzip(const std::optional<QString> &loaderError)
{
    g_simulatedError = loaderError.value_or(QString());
    g_simulatedMissing = loaderError.has_value();
}
