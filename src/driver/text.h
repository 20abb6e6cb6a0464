// Fixed-size text helpers: every copy names its buffer size and cuts to size - 1.
#pragma once

#include <windows.h>
#include <cstddef>
#include <cstring>

inline void CopyText(char* dest, size_t size, const char* text) {
    if (size > 0) lstrcpynA(dest, text ? text : "", static_cast<int>(size));
}
template <size_t N>
void CopyText(char (&dest)[N], const char* text) { CopyText(dest, N, text); }

inline void AppendText(char* dest, size_t size, const char* text) {
    size_t length = strlen(dest);
    if (length + 1 < size) CopyText(dest + length, size - length, text);
}
template <size_t N>
void AppendText(char (&dest)[N], const char* text) { AppendText(dest, N, text); }

// Walks a key list (names each ended by a zero, the list by an empty name).
template <typename Visit>
void ForEachListedName(const char* list, Visit visit) {
    for (const char* name = list; *name; name += strlen(name) + 1) visit(name);
}
