// Saved values and write primitives: every value the configuration replaces goes through
// here, so that its old value is saved first while uninstall is enabled.
#include "base/handles.h"
#include "base/install_list.h"
#include "base/message_dialog.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "sysconfig/sysconfig.h"

namespace {

UniqueRegKey OpenForReading(HKEY root, const char* subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return UniqueRegKey();
    return UniqueRegKey(key);
}

void TellRegistryFailure(const char* text) { ShowMessageText(text, nullptr, g_session.uiFontFace, MB_OK); }

}  // namespace

void LogConfigLine(const char* prefix, const char* section, const char* entry) {
    char line[128];
    CopyText(line, prefix);
    if (entry) {
        AppendText(line, " entry ");
        AppendText(line, entry);
    }
    AppendText(line, " section [");
    AppendText(line, section);
    AppendText(line, "]");
    LogLine(line);
}

int SaveProfileSection(const char* section, const char* savedSection, const char* savedFile) {
    char keys[1024];
    if (ReadWinIniKeyList(section, keys, sizeof keys) == 0 || !keys[0]) return 0;
    ForEachListedName(keys, [&](const char* key) {
        char value[120];
        value[0] = '\0';
        GetProfileStringA(section, key, "", value, sizeof value);
        WriteProfileValueOrReport(savedFile, savedSection, key, value);
    });
    return 1;
}

int SaveRegistryKey(HKEY root, const char* subkey, const char* savedSection, const char* savedFile) {
    UniqueRegKey key = OpenForReading(root, subkey);
    if (!key) return 0;
    for (DWORD index = 0;; ++index) {
        char name[1024], data[1024];
        ClearBytes(name, sizeof name);
        ClearBytes(data, sizeof data);
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key.Get(), index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data),
                          &dataSize) != ERROR_SUCCESS)
            break;
        data[sizeof data - 1] = '\0';  // a value of 1024 bytes without its zero
        WriteProfileValueOrReport(savedFile, savedSection, name, data);
    }
    return 1;
}

int SetRegKeyValue(HKEY root, const char* subkey, const char* name, DWORD type, const BYTE* data, DWORD length) {
    HKEY opened = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &opened,
                        &disposition) != ERROR_SUCCESS) {
        char text[256];
        CopyText(text, "Can not create registry key:\r  ");
        AppendText(text, subkey);
        AppendText(text, "\rfor WRITING value:\r  ");
        AppendText(text, name);
        AppendText(text, ".\rYou may not have the permission for this action.");
        TellRegistryFailure(text);
        return 0;
    }
    UniqueRegKey key(opened);
    if (RegSetValueExA(key.Get(), name, 0, type, data, length) != ERROR_SUCCESS) {
        key.Reset();
        char text[256];
        CopyText(text, "Can not set value:\r  ");
        AppendText(text, name);
        AppendText(text, ".\rYou may not have the permission for this action.");
        TellRegistryFailure(text);
        return 0;
    }
    return 1;
}

int RegKeyExists(HKEY root, const char* subkey) { return OpenForReading(root, subkey) ? 1 : 0; }

LONG GetRegKeyValueEx(HKEY root, const char* subkey, const char* name, DWORD* type, BYTE* buffer, DWORD size) {
    if (!RegKeyExists(root, subkey)) return ERROR_BADKEY;
    UniqueRegKey key = OpenForReading(root, subkey);
    if (!key) {
        ShowMessageText("GetRegKeyValueEx: can not open registry key", nullptr, g_session.uiFontFace, MB_ICONHAND);
        return ERROR_BADKEY;
    }
    DWORD stored = size;
    LONG result = RegQueryValueExA(key.Get(), name, nullptr, type, buffer, &stored);
    // Data that fills the buffer without ending in a zero leaves no room for the zero of a text.
    bool unended = result == ERROR_SUCCESS && stored == size && (size == 0 || buffer[size - 1] != 0);
    if (result == ERROR_MORE_DATA || stored > size || unended) {
        if (size > 0) buffer[0] = 0;  // what the query left there is not a text
        ShowMessageText("GetRegKeyValueEx: buffer too small", nullptr, g_session.uiFontFace, MB_ICONHAND);
        return ERROR_MORE_DATA;
    }
    if (result != ERROR_SUCCESS) {
        if (size > 0) buffer[0] = 0;
        return ERROR_BADKEY;
    }
    if (stored < size) buffer[stored] = 0;
    return ERROR_SUCCESS;
}

void SaveProfileEntry(const char* file, const char* section, const char* key, UINT savedId, DWORD oldSize) {
    SetupSession& s = g_session;
    if (!s.uninstallEnabled) return;
    char old[1024];
    ClearBytes(old, sizeof old);
    if (oldSize > sizeof old) oldSize = sizeof old;
    ReadProfileValue(file, section, key, nullptr, old, oldSize);
    ResourceText<32> saved(savedId);
    if (s.loggingEnabled) LogConfigLine(" Saving", saved, key);
    WriteProfileValueOrReport(s.uninstallRecordPath, saved, key, old);
}

bool WriteConfigEntry(const char* file, const char* section, const char* key, const char* value) {
    if (g_session.loggingEnabled) LogConfigLine("Writing", section, key);
    ListProfileWrite(file, section, key, value);
    return WriteProfileValueOrReport(file, section, key, value) != FALSE;
}

bool ReplaceProfileEntry(const char* file, const char* section, const char* key, const char* value, UINT savedId,
                         DWORD oldSize) {
    SaveProfileEntry(file, section, key, savedId, oldSize);
    return WriteConfigEntry(file, section, key, value);
}

bool WriteRegistryText(const RegistryLocation& location, const char* name, const char* text) {
    const BYTE* data = reinterpret_cast<const BYTE*>(text);
    DWORD length = static_cast<DWORD>(TextLength(text));
    ListRegistryWrite(location.root, location.subkey, name, REG_SZ, data, length);
    if (SetRegKeyValue(location.root, location.subkey, name, REG_SZ, data, length)) return true;
    ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_WRITE_ENTRY, name, text, location.subkey);
    return false;
}
