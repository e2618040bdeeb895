// The platform part of the settings file on Windows: GetFullPathNameA for the
// path, _commit for the written file and MoveFileExA with write-through for the
// replace. The only file of the state that includes <windows.h>.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <io.h>

#include <cstdio>

#include "state/settings_file.h"
#include "state/settings_platform.h"

std::size_t FullPathOf(const char* name, char* path, std::size_t size) {
    if (size == 0) return 0;
    DWORD length = GetFullPathNameA(name, static_cast<DWORD>(size), path, nullptr);
    // A buffer that is too small gives the size it would need, NUL included.
    if (length == 0 || length >= size) {
        path[0] = '\0';
        return 0;
    }
    return length;
}

bool FlushFileToDisk(std::FILE* file) {
    return _commit(_fileno(file)) == 0;
}

bool ReplaceWithFile(const char* temporary, const char* target) {
    return MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
