// kvpack's platform over POSIX: where packages are made today.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform.h"

namespace platform {

const char kPathSeparator = '/';

void* AllocateBlock(size_t size) { return std::malloc(size); }

void FreeBlock(void* block) { std::free(block); }

bool FileSize(const char* path, uint64_t& size) {
    struct stat info;
    if (stat(path, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    size = static_cast<uint64_t>(info.st_size);
    return true;
}

// Reads or writes everything, also when the system hands over less at a time.
template <typename Transfer>
bool TransferAll(Transfer transfer, size_t total) {
    size_t done = 0;
    while (done < total) {
        ssize_t n = transfer(done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool ReadFile(const char* path, std::span<uint8_t> buffer) {
    int file = open(path, O_RDONLY);
    if (file < 0) return false;
    bool read = TransferAll([&](size_t done) { return ::read(file, buffer.data() + done, buffer.size() - done); },
                            buffer.size());
    close(file);
    return read;
}

bool WriteFile(const char* path, std::span<const uint8_t> bytes) {
    int file = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) return false;
    bool written = TransferAll(
        [&](size_t done) { return ::write(file, bytes.data() + done, bytes.size() - done); }, bytes.size());
    return close(file) == 0 && written;
}

bool RemoveFile(const char* path) { return unlink(path) == 0; }

bool IsDirectory(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectory(const char* path) { return mkdir(path, 0755) == 0 || (errno == EEXIST && IsDirectory(path)); }

bool RemoveEmptyDirectory(const char* path) { return rmdir(path) == 0; }

bool ListDirectory(const char* path, DirectoryVisit visit, void* context) {
    DIR* directory = opendir(path);
    if (!directory) return false;
    while (const dirent* entry = readdir(directory)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        char full[4096];
        size_t used = 0;
        for (const char* c = path; *c && used + 1 < sizeof full; ++c) full[used++] = *c;
        if (used + 1 < sizeof full) full[used++] = '/';
        for (const char* c = name; *c && used + 1 < sizeof full; ++c) full[used++] = *c;
        full[used] = '\0';
        visit(context, name, IsDirectory(full));
    }
    closedir(directory);
    return true;
}

void Write(Stream stream, const char* text, size_t length) {
    int file = stream == Stream::Out ? STDOUT_FILENO : STDERR_FILENO;
    TransferAll([&](size_t done) { return ::write(file, text + done, length - done); }, length);
}

[[noreturn]] void Exit(int code) { _exit(code); }

}  // namespace platform
