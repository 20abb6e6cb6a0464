// Text helpers of our own: every copy names its buffer size and cuts to size - 1. The
// program links no C runtime, so the few string routines it needs are here.
#pragma once

#include <windows.h>
#include <cstddef>
#include <cstdint>

inline size_t TextLength(const char* text) {
    size_t length = 0;
    while (text[length]) ++length;
    return length;
}

// The first `c` in the text, or null.
inline const char* FindChar(const char* text, char c) {
    for (; *text; ++text)
        if (*text == c) return text;
    return nullptr;
}

// The leading decimal number of a text (blanks and a sign before it allowed); 0 when none.
// A number beyond 32 bits gives the largest or smallest int32_t.
int32_t LeadingNumber(const char* text);

// Compares two texts; 0 when equal.
inline int CompareText(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return static_cast<unsigned char>(*a) - static_cast<unsigned char>(*b);
}

inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Compares two texts with the letters a to z taken as capitals, as file names are; 0 when
// equal. Other letters compare as they are, whatever the code page.
inline int CompareNames(const char* a, const char* b) {
    while (*a && UpperAscii(*a) == UpperAscii(*b)) ++a, ++b;
    return static_cast<unsigned char>(UpperAscii(*a)) - static_cast<unsigned char>(UpperAscii(*b));
}

inline void CopyText(char* dest, size_t size, const char* text) {
    if (size > 0) lstrcpynA(dest, text ? text : "", static_cast<int>(size));
}
template <size_t N>
void CopyText(char (&dest)[N], const char* text) { CopyText(dest, N, text); }

inline void AppendText(char* dest, size_t size, const char* text) {
    size_t length = TextLength(dest);
    if (length + 1 < size) CopyText(dest + length, size - length, text);
}
template <size_t N>
void AppendText(char (&dest)[N], const char* text) { AppendText(dest, N, text); }

// Copies `size` bytes.
inline void CopyBytes(void* dest, const void* source, size_t size) {
    auto* to = static_cast<volatile char*>(dest);  // volatile: not turned back into a memcpy call
    auto* from = static_cast<const char*>(source);
    for (size_t i = 0; i < size; ++i) to[i] = from[i];
}

// Fills `size` bytes with zeros.
inline void ClearBytes(void* buffer, size_t size) {
    auto* bytes = static_cast<volatile char*>(buffer);  // volatile: not turned back into a memset call
    for (size_t i = 0; i < size; ++i) bytes[i] = 0;
}

// Walks a key list (names each ended by a zero, the list by an empty name).
template <typename Visit>
void ForEachListedName(const char* list, Visit visit) {
    for (const char* name = list; *name; name += TextLength(name) + 1) visit(name);
}

// A path taken apart: "C:" "\DIR\" "NAME" ".EXT". Each part is empty when the path has none.
struct PathParts {
    char drive[3];
    char directory[260];
    char name[260];
    char extension[260];
};
PathParts SplitPath(const char* path);
