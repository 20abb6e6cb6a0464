// Thin helpers over the profile API that keep buffer sizes explicit and hold the
// missing-versus-empty rules of key lists in one place.
#pragma once

#include <windows.h>
#include <cstddef>

// Reads one value into `buffer` of `size` characters; a longer value is cut to size - 1.
// A missing key or section gives `defaultValue` (none: empty). Returns the length copied;
// 0 means missing or empty.
DWORD ReadProfileValue(const char* file, const char* section, const char* key, const char* defaultValue,
                       char* buffer, DWORD size);
template <size_t N>
DWORD ReadProfileValue(const char* file, const char* section, const char* key, const char* defaultValue,
                       char (&buffer)[N]) {
    return ReadProfileValue(file, section, key, defaultValue, buffer, static_cast<DWORD>(N));
}

// Reads the key names of a section: each name ended by a zero, the list by an empty name.
// A section that is missing or has no keys gives `defaultValue` as its one name; with no
// default the list is empty and the result 0. Returns the length of the list.
DWORD ReadKeyList(const char* file, const char* section, const char* defaultValue, char* buffer, DWORD size);
template <size_t N>
DWORD ReadKeyList(const char* file, const char* section, const char* defaultValue, char (&buffer)[N]) {
    return ReadKeyList(file, section, defaultValue, buffer, static_cast<DWORD>(N));
}

// The key names of a win.ini section, with no default.
DWORD ReadWinIniKeyList(const char* section, char* buffer, DWORD size);

// A number; `defaultValue` when the key is missing.
UINT ReadProfileNumber(const char* file, const char* section, const char* key, int defaultValue);

// Writes key=value into the section, creating what is missing; nonzero on success.
BOOL WriteProfileValue(const char* file, const char* section, const char* key, const char* value);

// Writes key=value; a failure is reported with IDS_CANT_WRITE_ENTRY (key, value, section) and the
// work goes on. Returns nonzero on success.
BOOL WriteProfileValueOrReport(const char* file, const char* section, const char* key, const char* value);

// Deletes a whole section; nonzero on success (also when there was no such section).
BOOL DeleteProfileSection(const char* file, const char* section);

