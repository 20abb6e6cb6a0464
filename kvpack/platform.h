// The little kvpack needs of the system it runs on: whole files, directories, console
// output and memory blocks. One implementation over POSIX, one over Win32; the rest of
// kvpack is plain C++ that calls nothing else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

// The separator of directories in a path.
extern const char kPathSeparator;

// A block of at least `size` bytes, or null; FreeBlock gives it back.
void* AllocateBlock(size_t size);
void FreeBlock(void* block);

// The size of a regular file; false when it is missing or is no file.
bool FileSize(const char* path, uint64_t& size);
// Reads the first `buffer.size()` bytes of a file (all of it when the sizes agree).
bool ReadFile(const char* path, std::span<uint8_t> buffer);
// Creates or replaces a file with these bytes.
bool WriteFile(const char* path, std::span<const uint8_t> bytes);
bool RemoveFile(const char* path);

bool IsDirectory(const char* path);
// Creates one directory; true also when it already exists.
bool MakeDirectory(const char* path);
// Removes an empty directory.
bool RemoveEmptyDirectory(const char* path);

// Calls visit for each entry of a directory but "." and ".."; false when it cannot be read.
using DirectoryVisit = void (*)(void* context, const char* name, bool isDirectory);
bool ListDirectory(const char* path, DirectoryVisit visit, void* context);

enum class Stream { Out, Error };
void Write(Stream stream, const char* text, size_t length);

// Ends the program at once with this exit code (memory gone: nothing sensible is left to do).
[[noreturn]] void Exit(int code);

}  // namespace platform

// The program, called by either system's start with the command's arguments.
int KvpackMain(int argc, char** argv);
