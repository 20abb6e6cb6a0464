// Path and file helpers that many parts of the setup use.
#pragma once

#include <windows.h>
#include <cstddef>
#include <cstdint>

// Appends "\" unless the path already ends with one. An empty path stays empty.
void AddTrailingBackslash(char* path, size_t size);
template <size_t N>
void AddTrailingBackslash(char (&path)[N]) { AddTrailingBackslash(path, N); }

// `directory` (ending in "\" or empty) followed by `name`, cut to the buffer. False when it
// was cut: the path then names another file.
bool JoinPath(char (&path)[260], const char* directory, const char* name);

// A file name without a directory or a drive, not "." or "..", and no pattern: a name that
// setup1.inf gives for a file can only name a file in the directory it is copied into.
bool IsPlainFileName(const char* name);

// Removes the last character when it is "\".
void RemoveTrailingBackslash(char* path);

// True when the path ends with "\".
bool EndsWithBackslash(const char* path);

// 1 when the file can be opened for reading, else 0.
int FileExists(const char* path);

// The file's size in bytes (low 32 bits); 0 when it cannot be opened.
uint32_t FileSizeOf(const char* path);
