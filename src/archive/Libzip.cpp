#include "archive/Libzip.h"

#include "archive/ZipLibrary.h"
#include "platform/ErrorHandler.h"

#include <type_traits>

#ifdef CARTLING_LIBZIP_SONAME
#include <dlfcn.h>
#endif

namespace {

const LibzipFunctions *load()
{
#ifdef CARTLING_LIBZIP_SONAME
    // Never closed: the functions are used until the program ends.
    void *library = dlopen(CARTLING_LIBZIP_SONAME, RTLD_LAZY | RTLD_LOCAL);
    if (!library)
        return nullptr;
    static LibzipFunctions functions;
    bool complete = true;
    const auto resolve = [library, &complete](auto &member, const char *name) {
        member = reinterpret_cast<std::remove_reference_t<decltype(member)>>(dlsym(library, name));
        complete = complete && member;
    };
#define CARTLING_LIBZIP_RESOLVE(name) resolve(functions.name, "zip_" #name);
    CARTLING_LIBZIP_FUNCTIONS(CARTLING_LIBZIP_RESOLVE)
#undef CARTLING_LIBZIP_RESOLVE
    return complete ? &functions : nullptr;
#else
#define CARTLING_LIBZIP_LINKED(name) &::zip_##name,
    static const LibzipFunctions functions{CARTLING_LIBZIP_FUNCTIONS(CARTLING_LIBZIP_LINKED)};
#undef CARTLING_LIBZIP_LINKED
    return &functions;
#endif
}

} // namespace

const LibzipFunctions *loadedLibzip()
{
    static const LibzipFunctions *const functions = load(); // once, whichever thread comes first
    return functions;
}

const LibzipFunctions &libzip()
{
    if (const LibzipFunctions *functions = loadedLibzip())
        return *functions;
    throw CartlingError(checkZipLibraryVersion(nullptr).value_or(QString()));
}
