// The platform part of the settings file on POSIX systems: the full path of a
// name in the current directory (the rule GetFullPathNameA follows for a plain
// file name), fsync for the written file and rename for the replace, with the
// folder synced after it so that the new name itself reaches the disk.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "state/bounded_text.h"
#include "state/settings_file.h"
#include "state/settings_platform.h"

std::size_t FullPathOf(const char* name, char* path, std::size_t size) {
    if (size == 0) return 0;
    if (getcwd(path, size) == nullptr || path[0] != '/') {
        path[0] = '\0';
        return 0;
    }
    std::size_t folder = std::strlen(path);
    const char* separator = path[folder - 1] == '/' ? "" : "/";
    std::size_t length = folder + std::strlen(separator) + std::strlen(name);
    if (length >= size) {
        path[0] = '\0';
        return 0;
    }
    AppendText(path, size, separator);
    AppendText(path, size, name);
    return length;
}

bool FlushFileToDisk(std::FILE* file) {
    return fsync(fileno(file)) == 0;
}

namespace {

// Syncs the folder that holds `path`, so a rename in it survives a power loss.
// Best effort: the new file is already complete and in place when this runs.
void SyncFolderOf(const char* path) {
    static char folder[SETTINGS_PATH_SIZE];
    CopyText(folder, sizeof folder, path);
    char* slash = std::strrchr(folder, '/');
    if (slash == nullptr) return;
    slash[slash == folder ? 1 : 0] = '\0';
    int descriptor = open(folder, O_RDONLY);
    if (descriptor < 0) return;
    fsync(descriptor);
    close(descriptor);
}

} // namespace

bool ReplaceWithFile(const char* temporary, const char* target) {
    if (std::rename(temporary, target) != 0) return false;
    SyncFolderOf(target);
    return true;
}
