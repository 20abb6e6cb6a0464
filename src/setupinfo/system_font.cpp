// Probes of the system font named in system.ini [boot] "fonts.fon".
#include <cstdlib>
#include <cstring>

#include "driver/paths.h"
#include "driver/session.h"
#include "driver/text.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

struct SplitPath {
    char drive[_MAX_DRIVE];
    char directory[_MAX_DIR];
    char name[_MAX_FNAME];
    char extension[_MAX_EXT];
};

SplitPath SplitSystemFontFile() {
    char file[260];
    GetSystemFontFile(file);
    SplitPath parts;
    _splitpath(file, parts.drive, parts.directory, parts.name, parts.extension);
    return parts;
}

// The standard system fonts are known by their first letter and their exact size.
int IsStandardFontFileInSystemDir(const SplitPath& parts) {
    char path[260];
    CopyText(path, g_session.systemDir);
    AppendText(path, parts.name);
    AppendText(path, parts.extension);
    uint32_t size = FileSizeOf(path);
    switch (parts.name[0]) {
    case 'e': return size == 6528 ? 1 : 0;
    case 'v': return size == 7872 ? 1 : 0;
    case '8': return size == 10960 ? 1 : 0;
    default: return 0;
    }
}

}  // namespace

void GetSystemFontFile(char (&file)[260]) {
    ReadProfileValue(ResourceText<32>(IDS_SYSTEM_INI), ResourceText<32>(IDS_SECTION_BOOT),
                     ResourceText<32>(IDS_KEY_FONTS_FON), nullptr, file);
}

int UsesSmallSystemFont() {
    return SplitSystemFontFile().name[0] == '8' ? 0 : 1;
}

int IsStandardSystemFont() {
    SplitPath parts = SplitSystemFontFile();
    if (parts.directory[0] == '\0') return IsStandardFontFileInSystemDir(parts);
    RemoveTrailingBackslash(parts.directory);
    size_t length = strlen(parts.directory);
    return length > 0 && parts.directory[length - 1] == '1' ? 1 : 0;
}
