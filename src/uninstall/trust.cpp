// What the uninstaller may touch: only the files, entries and values the setup writes, in the
// directories it writes to. A damaged or hostile record names anything; what it names beyond
// these is refused.
#include <initializer_list>

#include "base/paths.h"
#include "base/session.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "uninstall/uninstall.h"

namespace {

bool EqualsString(const char* text, UINT id) { return lstrcmpiA(text, ResourceText<64>(id)) == 0; }

bool EqualsAny(const char* text, std::initializer_list<UINT> ids) {
    for (UINT id : ids)
        if (EqualsString(text, id)) return true;
    return false;
}

bool EndsWith(const char* text, const char* end) {
    size_t length = TextLength(text), endLength = TextLength(end);
    return length >= endLength && lstrcmpiA(text + length - endLength, end) == 0;
}

bool IsIntlKey(const char* key) {
    for (UINT id = IDS_KEY_INTL_FIRST; id <= IDS_KEY_INTL_FIRST + 21; ++id)
        if (EqualsString(key, id)) return true;
    return false;
}

bool IsWoafontFon(const char* key) {
    char name[32];
    LoadText(IDS_KEY_WOAFONT, name);
    AppendText(name, ".fon");
    return lstrcmpiA(key, name) == 0;
}

// The system.ini entries the configuration writes, by section. Of [boot] the package names
// one driver entry of its own: any "*.drv" key, never one like "shell".
bool SystemIniEntry(const char* section, const char* key) {
    if (EqualsString(section, IDS_SECTION_BOOT))
        return EqualsAny(key, {IDS_KEY_WINCODEPAGE, IDS_KEY_LANGUAGE_DLL}) || EndsWith(key, ".drv");
    if (EqualsString(section, IDS_SECTION_BOOT_DESCRIPTION))
        return EqualsAny(key, {IDS_KEY_CODEPAGE, IDS_KEY_LANGUAGE_DLL}) || IsWoafontFon(key);
    if (EqualsString(section, IDS_SECTION_KEYBOARD))
        return EqualsAny(key, {IDS_KEY_OEMANSI_BIN, IDS_KEY_KEYBOARD_DLL, IDS_KEY_SECOND_KEYB_DLL, IDS_SECTION_HOTKEY});
    if (EqualsString(section, IDS_SECTION_386ENH))
        return EqualsAny(key, {IDS_KEY_WOAFONT, IDS_KEY_EGA80WOA, IDS_KEY_EGA80WOA + 1, IDS_KEY_EGA80WOA + 2,
                               IDS_KEY_EGA80WOA + 3});
    return false;
}

// The directory part of a path, drive included.
void DirectoryOf(const char* path, char (&directory)[260]) {
    PathParts parts = SplitPath(path);
    CopyText(directory, parts.drive);
    AppendText(directory, parts.directory);
}

}  // namespace

bool SameDirectory(const char* a, const char* b) {
    if (lstrcmpiA(a, b) == 0) return true;
    // The same directory may be spelt by its long name or its short one.
    char shortA[260], shortB[260];
    DWORD lengthA = GetShortPathNameA(a, shortA, sizeof shortA);
    DWORD lengthB = GetShortPathNameA(b, shortB, sizeof shortB);
    if (lengthA == 0 || lengthA >= sizeof shortA || lengthB == 0 || lengthB >= sizeof shortB) return false;
    AddTrailingBackslash(shortA);
    AddTrailingBackslash(shortB);
    return lstrcmpiA(shortA, shortB) == 0;
}

bool IsRunningProgram(const char* path) {
    char program[260];
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    if (length == 0 || length >= sizeof program) return false;
    if (lstrcmpiA(program, path) == 0) return true;
    char shortProgram[260], shortPath[260];
    DWORD a = GetShortPathNameA(program, shortProgram, sizeof shortProgram);
    DWORD b = GetShortPathNameA(path, shortPath, sizeof shortPath);
    return a > 0 && a < sizeof shortProgram && b > 0 && b < sizeof shortPath && lstrcmpiA(shortProgram, shortPath) == 0;
}

const char* RefusedFilePath(const char* path, const char* recordDir) {
    size_t length = TextLength(path);
    if (length >= 260) return "the path is too long";
    if (length < 4 || path[1] != ':' || path[2] != '\\') return "not a full path";
    for (const char* c = path; *c; ++c)
        if (c[0] == '.' && c[1] == '.' && (c == path || c[-1] == '\\') && (c[2] == '\\' || c[2] == '\0'))
            return "the path climbs out with \"..\"";
    PathParts parts = SplitPath(path);
    char name[260];
    CopyText(name, parts.name);
    AppendText(name, parts.extension);
    if (!IsPlainFileName(name)) return "no file name";
    char directory[260];
    DirectoryOf(path, directory);
    const SetupSession& s = g_session;
    for (const char* allowed : {static_cast<const char*>(s.windowsDir), static_cast<const char*>(s.systemDir),
                                static_cast<const char*>(s.fontsDir), recordDir})
        if (SameDirectory(directory, allowed)) return nullptr;
    return "outside the directories Setup writes to";
}

bool SetupWritesEntry(const char* file, const char* section, const char* key) {
    if (EqualsString(file, IDS_WIN_INI)) return EqualsString(section, IDS_SECTION_INTL) && IsIntlKey(key);
    if (EqualsString(file, IDS_SYSTEM_INI)) return SystemIniEntry(section, key);
    char controlInf[260];
    JoinPath(controlInf, g_session.systemDir, ResourceText<32>(IDS_CONTROL_INF));
    return lstrcmpiA(file, controlInf) == 0 && EqualsString(section, IDS_SECTION_COUNTRY);
}

const RegistryLocation* SetupWritesValue(HKEY root, const char* subkey, const char* name) {
    const SetupSession& s = g_session;
    for (const RegistryLocation* location :
         {&s.installedFontsKey, &s.fontSubstitutesKey, &s.displayFontsKey, &s.displaySettingsKey}) {
        if (location->root != root || lstrcmpiA(location->subkey, subkey) != 0) continue;
        if (location != &s.displaySettingsKey) return location;
        return EqualsAny(name, {IDS_KEY_FONTS_FON, IDS_KEY_FIXEDFON_FON, IDS_KEY_OEMFONTS_FON}) ? location : nullptr;
    }
    return nullptr;
}

bool NamesFile(const char* value, const char* fileName) {
    // A value names a file by its name alone or by a path that ends in it.
    return lstrcmpiA(FileNamePart(value), fileName) == 0;
}
