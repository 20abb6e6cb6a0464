// The system configuration update: win.ini, system.ini, control.inf and the registry, each
// replaced value saved first into the uninstall record while uninstall is enabled.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/session.h"

// ---- The configuration phase

// Every configuration edit in its order; 1 when the phase is complete (control.inf done).
int UpdateSystemInformation();

// system.ini: the language driver, the keyboard drivers and the boot driver entry.
int ConfigureLanguageAndKeyboard();

// system.ini: the fonts of DOS windows.
int ConfigureDosWindowFonts();

// ---- Saved values and write primitives

// Logs "<prefix>[ entry <entry>] section [<section>]" (cut to 127 characters).
void LogConfigLine(const char* prefix, const char* section, const char* entry = nullptr);

// Every entry of a win.ini section into `savedSection` of `savedFile`; 0 when the section
// has no keys.
int SaveProfileSection(const char* section, const char* savedSection, const char* savedFile);

// Every value of a registry key into `savedSection` of `savedFile`; 0 when the key cannot
// be opened.
int SaveRegistryKey(HKEY root, const char* subkey, const char* savedSection, const char* savedFile);

// Creates or opens the key and sets one value; 1 on success, 0 after telling the user.
int SetRegKeyValue(HKEY root, const char* subkey, const char* name, DWORD type, const BYTE* data, DWORD length);

// Reads one value: 0 on success, ERROR_BADKEY when the key or value cannot be read,
// ERROR_MORE_DATA when the value does not fit with a zero after it.
LONG GetRegKeyValueEx(HKEY root, const char* subkey, const char* name, DWORD* type, BYTE* buffer, DWORD size);

// 1 when the key can be opened, else 0.
int RegKeyExists(HKEY root, const char* subkey);

// The saving rule for one profile entry: its old value (read into `oldSize` characters)
// into saved section `savedId` of the uninstall record while uninstall is enabled, with a
// " Saving" line.
void SaveProfileEntry(const char* file, const char* section, const char* key, UINT savedId, DWORD oldSize);

// Writes one profile entry with its "Writing" line; a failure is reported. True on success.
bool WriteConfigEntry(const char* file, const char* section, const char* key, const char* value);

// Both: the old value saved, then the new one written.
bool ReplaceProfileEntry(const char* file, const char* section, const char* key, const char* value, UINT savedId,
                         DWORD oldSize);

// Writes a text value into a registry location; a failure is told (SetRegKeyValue) and
// reported with IDS_CANT_WRITE_ENTRY. True on success.
bool WriteRegistryText(const RegistryLocation& location, const char* name, const char* text);

// ---- Country settings

// win.ini [intl] from the chosen country's line; 1 when all 22 entries were written.
int UpdateCountrySettings();

// ---- Fonts

int ConfigureFonts();
int RegisterFontGroup(UINT sectionId, const char* key, const char* directory);
int RegisterTrueTypeFonts(UINT sectionId, const char* directory);
int SetFontSubstitutes();
int ConfigureSystemFonts();
int SetSystemFont(const char* valueName, const char* section, const char* key, const char* directory);

// ---- control.inf

// Backs control.inf up as control.old (uninstall enabled) and adds the country line of each
// chosen layout the package provides. 0 when control.inf cannot be backed up or the layout
// table cannot be read.
int EditControlInf();

// ---- The keyboard driver of an earlier installation

// The scan code that tells the running keyboard driver of the new layout switch.
uint32_t HotKeyScanCode(int32_t hotKeyCode);
