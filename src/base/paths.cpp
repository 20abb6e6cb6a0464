// Path and file helpers.
#include "base/paths.h"

#include "base/handles.h"
#include "base/text.h"

bool EndsWithBackslash(const char* path) {
    size_t length = TextLength(path);
    return length > 0 && path[length - 1] == '\\';
}

void AddTrailingBackslash(char* path, size_t size) {
    if (path[0] != '\0' && !EndsWithBackslash(path)) AppendText(path, size, "\\");
}

void RemoveTrailingBackslash(char* path) {
    if (EndsWithBackslash(path)) path[TextLength(path) - 1] = '\0';
}

bool IsPlainFileName(const char* name) {
    if (!name[0] || lstrcmpA(name, ".") == 0 || lstrcmpA(name, "..") == 0) return false;
    for (const char* c = name; *c; ++c)
        if (*c == '\\' || *c == '/' || *c == ':' || *c == '*' || *c == '?' || static_cast<unsigned char>(*c) < 0x20)
            return false;
    return true;
}

namespace {

UniqueFile OpenForReading(const char* path) {
    return UniqueFile(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

int FileExists(const char* path) {
    return OpenForReading(path).IsValid() ? 1 : 0;
}

bool JoinPath(char (&path)[260], const char* directory, const char* name) {
    CopyText(path, directory);
    AppendText(path, name);
    return TextLength(directory) + TextLength(name) < sizeof path;
}

uint32_t FileSizeOf(const char* path) {
    UniqueFile file = OpenForReading(path);
    if (!file) return 0;
    DWORD size = GetFileSize(file.Get(), nullptr);
    return size == INVALID_FILE_SIZE ? 0 : size;
}
