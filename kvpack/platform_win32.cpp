// kvpack's platform over Win32, as Windows 95 offers it: the console program of the
// period's machines. It starts at the programs' own console entry and links no C runtime.
#include <windows.h>

#include "platform.h"

namespace platform {

const char kPathSeparator = '\\';

void* AllocateBlock(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }

void FreeBlock(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}

namespace {

// A file handle closed when it leaves scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now, for a caller that must know whether the last writes reached the disk.
    bool Close() {
        bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

HANDLE OpenForReading(const char* path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Large transfers go in parts a 32-bit count holds.
constexpr DWORD kTransferPart = 1u << 20;

}  // namespace

bool FileSize(const char* path, uint64_t& size) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    FileHandle file(OpenForReading(path));
    if (!file.valid()) return false;
    DWORD high = 0;
    DWORD low = GetFileSize(file.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    size = (static_cast<uint64_t>(high) << 32) | low;
    return true;
}

bool ReadFile(const char* path, std::span<uint8_t> buffer) {
    FileHandle file(OpenForReading(path));
    if (!file.valid()) return false;
    for (size_t done = 0; done < buffer.size();) {
        DWORD part = buffer.size() - done < kTransferPart ? static_cast<DWORD>(buffer.size() - done) : kTransferPart;
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer.data() + done, part, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

bool WriteFile(const char* path, std::span<const uint8_t> bytes) {
    FileHandle file(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    for (size_t done = 0; done < bytes.size();) {
        DWORD part = bytes.size() - done < kTransferPart ? static_cast<DWORD>(bytes.size() - done) : kTransferPart;
        DWORD wrote = 0;
        if (!::WriteFile(file.get(), bytes.data() + done, part, &wrote, nullptr) || wrote != part) return false;
        done += wrote;
    }
    return file.Close();
}

bool RemoveFile(const char* path) { return DeleteFileA(path) != 0; }

bool IsDirectory(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const char* path) { return CreateDirectoryA(path, nullptr) != 0 || IsDirectory(path); }

bool RemoveEmptyDirectory(const char* path) { return RemoveDirectoryA(path) != 0; }

bool ListDirectory(const char* path, DirectoryVisit visit, void* context) {
    char pattern[MAX_PATH];
    int used = 0;
    for (const char* c = path; *c && used < MAX_PATH - 3; ++c) pattern[used++] = *c;
    pattern[used++] = '\\';
    pattern[used++] = '*';
    pattern[used] = '\0';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        const char* name = found.cFileName;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        visit(context, name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

void Write(Stream stream, const char* text, size_t length) {
    HANDLE handle = GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD written = 0;
    ::WriteFile(handle, text, static_cast<DWORD>(length), &written, nullptr);
}

[[noreturn]] void Exit(int code) { ExitProcess(static_cast<UINT>(code)); }

}  // namespace platform

int ConsoleMain(int argc, char** argv) { return KvpackMain(argc, argv); }

// What the standard library's text views call where the compiler does not inline them;
// built without builtins, so that these loops stay loops.
extern "C" size_t strlen(const char* text) {
    size_t length = 0;
    while (text[length]) ++length;
    return length;
}

extern "C" void* memchr(const void* block, int value, size_t size) {
    auto* bytes = static_cast<const unsigned char*>(block);
    for (size_t i = 0; i < size; ++i)
        if (bytes[i] == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(bytes + i);
    return nullptr;
}
