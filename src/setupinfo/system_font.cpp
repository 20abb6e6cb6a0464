// Probes of the system font named in system.ini [boot] "fonts.fon".
#include "base/paths.h"
#include "base/session.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

PathParts SplitSystemFontFile() {
    char file[260];
    GetSystemFontFile(file);
    return SplitPath(file);
}

// The standard system fonts are known by their first letter and their exact size.
int IsStandardFontFileInSystemDir(const PathParts& parts) {
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
    PathParts parts = SplitSystemFontFile();
    if (parts.directory[0] == '\0') return IsStandardFontFileInSystemDir(parts);
    RemoveTrailingBackslash(parts.directory);
    size_t length = TextLength(parts.directory);
    return length > 0 && parts.directory[length - 1] == '1' ? 1 : 0;
}
