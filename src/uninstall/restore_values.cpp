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
        // A damaged record may carry any key; only those the setup saves come back.
        if (!SetupWritesEntry(file, section, key)) {
            LogParts("Refused [", savedName, "] ", key);
            ++tally.refused;
            return;
        }
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
    UniqueRegKey key = OpenForWriting(location);
    if (!key) return false;
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

// A value as it stands now, as text; false when it is missing or not text.
bool CurrentText(const RegistryLocation& location, const char* name, char (&text)[1024]) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(location.root, location.subkey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    UniqueRegKey key(opened);
    DWORD type = 0, size = sizeof text - 1;
    ClearBytes(text, sizeof text);
    return RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS &&
           (type == REG_SZ || type == REG_EXPAND_SZ);
}

// Whether the value holds what the setup writes there: a file of the package, or a
// substitute the setup information file lists.
bool HoldsWhatSetupWrote(const UninstallRecord& record, const RegistryLocation& location, const char* name,
                         const char* now, const PackageFileList& files) {
    if (files.Names(FileNamePart(now))) return true;
    if (&location != &g_session.fontSubstitutesKey) return false;
    char listed[1024];
    return ReadProfileValue(record.setupInfPath, ResourceText<32>(IDS_SECTION_FONT_SUBSTITUTES), name, nullptr,
                            listed) > 0 &&
           lstrcmpiA(listed, now) == 0;
}

// A saved value comes back only where the value still holds what the setup wrote: one the
// user or another program has changed since, or never changed, stays as it is.
void RestoreSavedValue(const UninstallRecord& record, const RegistryLocation& location, const char* name,
                       const char* saved, bool removeEmpty, const PackageFileList& files, UninstallTally& tally) {
    char now[1024];
    if (!CurrentText(location, name, now) || lstrcmpA(now, saved) == 0) return;
    if (!HoldsWhatSetupWrote(record, location, name, now, files)) {
        LogParts("Left value ", name, " of ", location.subkey);
        ++tally.left;
        return;
    }
    RestoreRegistryValue(location, name, saved, removeEmpty, tally);
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
        if (!SetupWritesValue(location.root, location.subkey, name)) {
            LogParts("Refused [", savedName, "] ", name);
            ++tally.refused;
            return;
        }
        char value[1024];
        ReadProfileValue(record.path, savedName, name, nullptr, value);
        RestoreSavedValue(record, location, name, value, !saved.wholeKey, files, tally);
    });
    if (saved.wholeKey) RemoveAddedValues(record, location, keys, files, tally);
}

}  // namespace

void RestoreProfileValues(const UninstallRecord& record, UninstallTally& tally) {
    for (const SavedProfileSection& saved : kSavedProfileSections) RestoreSavedSection(record.path, saved, tally);
    RemoveAddedIntlEntries(record.path, tally);
    // The layout switch was written without saving what stood there: it stays.
    LogParts("Left [keyboard] hotkey: ", "Setup kept no record of what stood there before.");
    ++tally.left;
}

void RestoreRegistryValues(const UninstallRecord& record, UninstallTally& tally) {
    PackageFileList files;
    CollectPackageFiles(record, files);
    for (const SavedRegistryKey& saved : kSavedRegistryKeys) RestoreSavedKey(record, saved, files, tally);
}

namespace {

// A country line the setup adds: "Name", "fields!RUS", valued with a blank.
bool IsAddedCountryLine(const char* key, const char* value) {
    size_t length = TextLength(key);
    return key[0] == '"' && length > 5 && lstrcmpA(key + length - 5, "!RUS\"") == 0 && !value[0];
}

}  // namespace

void RestoreControlInf(UninstallTally& tally) {
    char controlInf[260], controlOld[260];
    JoinPath(controlInf, g_session.systemDir, ResourceText<32>(IDS_CONTROL_INF));
    JoinPath(controlOld, g_session.systemDir, ResourceText<32>(IDS_CONTROL_OLD));
    if (!FileExists(controlOld)) {
        LogParts("No ", controlOld, ": control.inf is left as it is.", "");
        ++tally.left;
        return;
    }
    // Only the country lines the setup added go: control.old may be older than the
    // installation, and whatever else changed in control.inf since stays.
    ResourceText<32> country(IDS_SECTION_COUNTRY);
    static char keys[kKeyListSize];
    ReadKeyList(controlInf, country, nullptr, keys, kKeyListSize);
    int failures = 0;
    ForEachListedName(keys, [&](const char* key) {
        char value[64];
        ReadProfileValue(controlInf, country, key, nullptr, value);
        if (!IsAddedCountryLine(key, value) || HasEntry(controlOld, country, key)) return;
        bool done = WritePrivateProfileStringA(country, key, nullptr, controlInf) != 0;
        LogParts(done ? "Removed [country] " : "Could not remove [country] ", key, " from ", controlInf);
        tally.Count(done, true);
        failures += done ? 0 : 1;
    });
    if (failures == 0 && DeleteFileA(controlOld)) LogParts("Removed file ", controlOld);
}
