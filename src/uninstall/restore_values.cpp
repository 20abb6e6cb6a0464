// Putting back what the setup replaced: the win.ini and system.ini entries and the registry
// values saved in the uninstall record, and control.inf from its copy control.old.
//
// The setup saves a missing entry as empty, so an empty saved value stands for an entry
// that was empty or missing. Windows 95's own system.ini carries its keyboard.dll,
// oemansi.bin and language.dll entries empty, so such an entry is put back empty; only the
// package's own entries, which Windows never has, are removed. A registry value saved empty
// did not exist (Windows keeps no empty font values) and is removed. Values of whole
// registry keys are saved as they were, empty data included.
#include "base/handles.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "uninstall/uninstall.h"

namespace {

// Saved-values sections of profile entries, and the sections they came from.
struct SavedProfileSection {
    UINT saved;
    UINT file;
    UINT section;
};

constexpr SavedProfileSection kSavedProfileSections[] = {
    {IDS_SAVED_INTL, IDS_WIN_INI, IDS_SECTION_INTL},
    {IDS_SAVED_BOOT, IDS_SYSTEM_INI, IDS_SECTION_BOOT},
    {IDS_SAVED_LANG, IDS_SYSTEM_INI, IDS_SECTION_BOOT_DESCRIPTION},
    {IDS_SAVED_KEYBOARD, IDS_SYSTEM_INI, IDS_SECTION_KEYBOARD},
    {IDS_SAVED_GRAB, IDS_SYSTEM_INI, IDS_SECTION_386ENH},
};

// Saved-values sections of registry values. A whole key was saved with all its values,
// so a value missing from its section was added later.
struct SavedRegistryKey {
    UINT saved;
    RegistryLocation SetupSession::*location;
    bool wholeKey;
};

constexpr SavedRegistryKey kSavedRegistryKeys[] = {
    {IDS_SAVED_FONTS, &SetupSession::installedFontsKey, true},
    {IDS_SAVED_DISPLAY_FONTS, &SetupSession::displayFontsKey, true},
    {IDS_SAVED_FONT_SUBSTITUTES, &SetupSession::fontSubstitutesKey, true},
    {IDS_SAVED_SYSTEM_FONTS, &SetupSession::displaySettingsKey, false},
};

constexpr int kIntlEntries = 22;  // the [intl] entries the setup writes, from IDS_KEY_INTL_FIRST
constexpr DWORD kKeyListSize = 16384;

// One log line from up to four parts.
void LogParts(const char* a, const char* b, const char* c = "", const char* d = "") {
    char line[256];
    CopyText(line, a);
    AppendText(line, b);
    AppendText(line, c);
    AppendText(line, d);
    LogLine(line);
}

// Whether a profile holds the key at all, empty or not: a missing key reads as the default.
bool HasEntry(const char* file, const char* section, const char* key) {
    char value[8];
    return ReadProfileValue(file, section, key, "\x01", value) != 1 || value[0] != '\x01';
}

// "[section] key" as the log names a profile entry.
void EntryName(char (&name)[160], const char* section, const char* key) {
    CopyText(name, "[");
    AppendText(name, section);
    AppendText(name, "] ");
    AppendText(name, key);
}

// Entries that only the package's keyboard driver reads.
bool IsPackageEntry(const char* key) { return lstrcmpiA(key, ResourceText<32>(IDS_KEY_SECOND_KEYB_DLL)) == 0; }

void WriteProfileEntry(const char* file, const char* section, const char* key, const char* value, bool remove,
                       UninstallTally& tally) {
    bool done = WritePrivateProfileStringA(section, key, remove ? nullptr : value, file) != 0;
    char entry[160];
    EntryName(entry, section, key);
    if (!done) LogParts("Could not restore ", entry, " in ", file);
    else if (remove) LogParts("Removed ", entry, " from ", file);
    else LogParts("Restored ", entry, "=", value);
    tally.Count(done, remove);
}

void RestoreProfileEntry(const char* file, const char* section, const char* key, const char* value,
                         UninstallTally& tally) {
    WriteProfileEntry(file, section, key, value, value[0] == '\0' && IsPackageEntry(key), tally);
}

void RemoveProfileEntry(const char* file, const char* section, const char* key, UninstallTally& tally) {
    if (!HasEntry(file, section, key)) return;
    WriteProfileEntry(file, section, key, "", true, tally);
}

void RestoreSavedSection(const char* record, const SavedProfileSection& saved, UninstallTally& tally) {
    ResourceText<32> savedName(saved.saved), file(saved.file), section(saved.section);
    static char keys[kKeyListSize];
    ReadKeyList(record, savedName, nullptr, keys, kKeyListSize);
    ForEachListedName(keys, [&](const char* key) {
        char value[1024];
        ReadProfileValue(record, savedName, key, nullptr, value);
        RestoreProfileEntry(file, section, key, value, tally);
    });
}

// The [intl] entries that the setup added where win.ini had none, which its saved copy of
// the section therefore lacks.
void RemoveAddedIntlEntries(const char* record, UninstallTally& tally) {
    ResourceText<32> saved(IDS_SAVED_INTL), winIni(IDS_WIN_INI), intl(IDS_SECTION_INTL);
    char probe[4];
    if (ReadKeyList(record, saved, nullptr, probe) == 0) return;  // nothing was saved: nothing is known
    for (int field = 0; field < kIntlEntries; ++field) {
        ResourceText<32> key(IDS_KEY_INTL_FIRST + field);
        if (!HasEntry(record, saved, key)) RemoveProfileEntry(winIni, intl, key, tally);
    }
}

// --- Registry

bool SetRegistryText(const RegistryLocation& location, const char* name, const char* text) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(location.root, location.subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                        nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueRegKey key(opened);
    return RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(TextLength(text) + 1)) == ERROR_SUCCESS;
}

bool DeleteRegistryValue(const RegistryLocation& location, const char* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(location.root, location.subkey, 0, KEY_READ | KEY_WRITE, &opened) != ERROR_SUCCESS)
        return false;
    UniqueRegKey key(opened);
    LONG result = RegDeleteValueA(key.Get(), name);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

void RestoreRegistryValue(const RegistryLocation& location, const char* name, const char* value, bool removeEmpty,
                          UninstallTally& tally) {
    bool remove = removeEmpty && value[0] == '\0';
    bool done = remove ? DeleteRegistryValue(location, name) : SetRegistryText(location, name, value);
    if (!done) LogParts("Could not restore value ", name, " of ", location.subkey);
    else if (remove) LogParts("Removed value ", name, " from ", location.subkey);
    else LogParts("Restored value ", name, "=", value);
    tally.Count(done, remove);
}

// Values of a whole saved key that its saved section lacks: the setup's own (a font file of
// the package, or a substitute the setup information file lists) go, others stay.
void RemoveAddedValues(const UninstallRecord& record, const RegistryLocation& location, const char* savedKeys,
                       const PackageFileList& files, UninstallTally& tally) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(location.root, location.subkey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
    UniqueRegKey key(opened);
    static char added[kKeyListSize];  // names to remove, each ended by a zero, once the walk is over
    size_t used = 0;
    for (DWORD index = 0;; ++index) {
        char name[1024] = "", data[1024] = "";
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key.Get(), index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data),
                          &dataSize) != ERROR_SUCCESS)
            break;
        bool saved = false;
        ForEachListedName(savedKeys, [&](const char* savedName) { saved = saved || lstrcmpiA(savedName, name) == 0; });
        if (saved) continue;
        bool listedSubstitute =
            HasEntry(record.setupInfPath, ResourceText<32>(IDS_SECTION_FONT_SUBSTITUTES), name);
        bool packageFile = type == REG_SZ && files.Names(FileNamePart(data));
        if (!packageFile && !listedSubstitute) {
            LogParts("Left value ", name, " of ", location.subkey);
            ++tally.left;
            continue;
        }
        size_t length = TextLength(name);
        if (used + length + 2 > sizeof added) break;
        CopyText(added + used, length + 1, name);
        used += length + 1;
    }
    added[used] = '\0';
    key.Reset();
    ForEachListedName(added, [&](const char* name) { RestoreRegistryValue(location, name, "", true, tally); });
}

void RestoreSavedKey(const UninstallRecord& record, const SavedRegistryKey& saved, const PackageFileList& files,
                     UninstallTally& tally) {
    const RegistryLocation& location = g_session.*saved.location;
    ResourceText<32> savedName(saved.saved);
    static char keys[kKeyListSize];
    ReadKeyList(record.path, savedName, nullptr, keys, kKeyListSize);
    ForEachListedName(keys, [&](const char* name) {
        char value[1024];
        ReadProfileValue(record.path, savedName, name, nullptr, value);
        RestoreRegistryValue(location, name, value, !saved.wholeKey, tally);
    });
    if (saved.wholeKey) RemoveAddedValues(record, location, keys, files, tally);
}

}  // namespace

void RestoreProfileValues(const UninstallRecord& record, UninstallTally& tally) {
    for (const SavedProfileSection& saved : kSavedProfileSections) RestoreSavedSection(record.path, saved, tally);
    RemoveAddedIntlEntries(record.path, tally);
    // The layout switch is written without saving: no other program reads it.
    RemoveProfileEntry(ResourceText<32>(IDS_SYSTEM_INI), ResourceText<32>(IDS_SECTION_KEYBOARD),
                       ResourceText<32>(IDS_SECTION_HOTKEY), tally);
}

void RestoreRegistryValues(const UninstallRecord& record, UninstallTally& tally) {
    PackageFileList files;
    CollectPackageFiles(record, files);
    for (const SavedRegistryKey& saved : kSavedRegistryKeys) RestoreSavedKey(record, saved, files, tally);
}

void RestoreControlInf(UninstallTally& tally) {
    char controlInf[260], controlOld[260];
    JoinPath(controlInf, g_session.systemDir, ResourceText<32>(IDS_CONTROL_INF));
    JoinPath(controlOld, g_session.systemDir, ResourceText<32>(IDS_CONTROL_OLD));
    if (!FileExists(controlOld)) {
        LogParts("No ", controlOld, ": control.inf is left as it is.", "");
        ++tally.left;
        return;
    }
    bool done = CopyFileA(controlOld, controlInf, FALSE) != 0;
    if (done) {
        LogParts("Restored ", controlInf, " from ", controlOld);
        DeleteFileA(controlOld);
    } else {
        LogParts("Could not restore ", controlInf, " from ", controlOld);
    }
    tally.Count(done, false);
}
