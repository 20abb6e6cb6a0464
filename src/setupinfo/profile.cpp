// Profile file access over the Windows profile API.
#include "setupinfo/profile.h"

#include "base/message_dialog.h"
#include "base/text.h"
#include "resources/resource_ids.h"

namespace {

// The profile API ends a default that stands for a key list with a single zero; the
// cleared buffer supplies the empty name that ends the list.
DWORD FinishKeyList(char* buffer, DWORD size, DWORD length) {
    if (length + 1 < size) buffer[length + 1] = '\0';
    return length;
}

}  // namespace

DWORD ReadProfileValue(const char* file, const char* section, const char* key, const char* defaultValue,
                       char* buffer, DWORD size) {
    if (size == 0) return 0;
    buffer[0] = '\0';
    return GetPrivateProfileStringA(section, key, defaultValue ? defaultValue : "", buffer, size, file);
}

DWORD ReadKeyList(const char* file, const char* section, const char* defaultValue, char* buffer, DWORD size) {
    if (size < 2) return 0;
    ClearBytes(buffer, size);
    DWORD length = GetPrivateProfileStringA(section, nullptr, defaultValue ? defaultValue : "", buffer, size, file);
    return FinishKeyList(buffer, size, length);
}

DWORD ReadWinIniKeyList(const char* section, char* buffer, DWORD size) {
    if (size < 2) return 0;
    ClearBytes(buffer, size);
    DWORD length = GetProfileStringA(section, nullptr, "", buffer, size);
    return FinishKeyList(buffer, size, length);
}

UINT ReadProfileNumber(const char* file, const char* section, const char* key, int defaultValue) {
    return GetPrivateProfileIntA(section, key, defaultValue, file);
}

BOOL WriteProfileValue(const char* file, const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, file);
}

BOOL WriteProfileValueOrReport(const char* file, const char* section, const char* key, const char* value) {
    BOOL written = WriteProfileValue(file, section, key, value);
    if (!written) ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_WRITE_ENTRY, key, value, section);
    return written;
}

BOOL DeleteProfileSection(const char* file, const char* section) {
    return WritePrivateProfileStringA(section, nullptr, nullptr, file);
}
