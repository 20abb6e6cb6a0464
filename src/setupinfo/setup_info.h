// The setup information file setup1.inf: finding it, the list-field lookup, filling
// controls with the key names of a section, and the probes of the system font.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <cstddef>

// Finds setup1.inf beside the program, or asks for it (IDS_SETUP_INF_NOT_FOUND and the open-file
// dialog, again until a file that exists is chosen). Sets setupInfPath. 1 found, 0 given up.
int LocateSetupInformationFile(HWND owner);

// The open-file dialog that asks for setup1.inf, as Windows 95 takes it.
void FillOpenFileDialog(OPENFILENAMEA& dialog, HWND owner);

// setup1.inf as the user knows it, for messages: where it was found, also when the setup
// reads a copy of it.
const char* SetupInfNameShown();

// The directory of the running program, with a trailing backslash.
void GetProgramDirectory(char (&path)[260]);

// Member `member` (from 1) of a list whose members are separated by the first character
// of `separator`. Copies it into `out` (cut to outSize - 1) and returns 1; returns 0 and
// leaves `out` unchanged when the list has fewer members, reporting IDS_NO_LIST_MEMBER when asked.
int GetListMember(const char* list, int member, char* out, size_t outSize, const char* separator,
                  bool reportErrors);
template <size_t N>
int GetListMember(const char* list, int member, char (&out)[N], const char* separator, bool reportErrors) {
    return GetListMember(list, member, out, N, separator, reportErrors);
}

// Add the key names of a section of `file` to a combo box (first entry then selected) or a
// list box. A section without keys gives `defaultValue` as the one name. 1 on success;
// 0 after reporting IDS_CANT_READ_FILE when there is no name at all.
int FillComboFromSection(HWND combo, const char* section, const char* defaultValue, const char* file);
int FillListFromSection(HWND list, const char* section, const char* defaultValue, const char* file);

// The key names of a section of setup1.inf, each ending in a null, the list in a second.
// Returns the length; 0 after reporting IDS_CANT_READ_FILE when the section has no key.
DWORD ReadSetupInfKeys(const char* section, char* buffer, DWORD size);
template <size_t N>
DWORD ReadSetupInfKeys(const char* section, char (&buffer)[N]) {
    return ReadSetupInfKeys(section, buffer, static_cast<DWORD>(N));
}

// The value of "fonts.fon" in [boot] of system.ini (empty when missing).
void GetSystemFontFile(char (&file)[260]);

// 1 unless the system font's file name begins with "8" (large fonts), then 0.
int UsesSmallSystemFont();

// 1 when the system font is one of the standard ones that Windows ships, else 0.
int IsStandardSystemFont();
