#pragma once

#include <QString>
#include <optional>
#include <zip.h>

// libzip's functions, reached through a table. On Linux the library is loaded by hand when first used: linked
// in, it and the crypto library it depends on held up every start by about four milliseconds before main, a
// tenth of the start-up, so the program loads it once its window is on the screen. Elsewhere the table points
// at the linked functions.
#define CARTLING_LIBZIP_FUNCTIONS(X)                                                                                   \
    X(close)                                                                                                           \
    X(discard)                                                                                                         \
    X(error_fini)                                                                                                      \
    X(error_init)                                                                                                      \
    X(error_init_with_code)                                                                                            \
    X(error_strerror)                                                                                                  \
    X(fclose)                                                                                                          \
    X(file_add)                                                                                                        \
    X(file_get_external_attributes)                                                                                    \
    X(file_strerror)                                                                                                   \
    X(fopen_index)                                                                                                     \
    X(fread)                                                                                                           \
    X(get_name)                                                                                                        \
    X(get_num_entries)                                                                                                 \
    X(libzip_version)                                                                                                  \
    X(name_locate)                                                                                                     \
    X(open)                                                                                                            \
    X(open_from_source)                                                                                                \
    X(register_cancel_callback_with_state)                                                                             \
    X(register_progress_callback_with_state)                                                                           \
    X(set_file_compression)                                                                                            \
    X(source_buffer)                                                                                                   \
    X(source_buffer_create)                                                                                            \
    X(source_file)                                                                                                     \
    X(source_free)                                                                                                     \
    X(stat_index)                                                                                                      \
    X(stat_init)                                                                                                       \
    X(strerror)

// Each member is named as libzip's function without its "zip_" prefix: libzip().open is zip_open.
struct LibzipFunctions
{
#define CARTLING_LIBZIP_MEMBER(name) decltype(&::zip_##name) name;
    CARTLING_LIBZIP_FUNCTIONS(CARTLING_LIBZIP_MEMBER)
#undef CARTLING_LIBZIP_MEMBER
};

// The functions, or nullptr when the library cannot be loaded; the first call loads it.
const LibzipFunctions *loadedLibzip();
// The functions; throws a FatalError with the start-up check's text when the library cannot be loaded.
const LibzipFunctions &libzip();

// The library's name: its run-time name (libzip.so.4) where the program loads it, else "libzip".
QString libzipName();
// What the system's loader said when the library could not be loaded; empty when it was.
QString libzipLoadError();
// The file the library was loaded from, where the system tells it; empty otherwise.
QString libzipFile();

// Tests: from now on the library counts as missing, the loader having said `loaderError`; std::nullopt gives it
// back. Called while no other thread uses the library.
void simulateMissingLibzip(const std::optional<QString> &loaderError);
