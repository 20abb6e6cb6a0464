// Walking the sections of setup1.inf that list files: whole file sections, single items,
// and the TrueType fonts, which are loaded once copied.
#include <windows.h>

#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "copy/copy.h"
#include "resources/inf_schema.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

// The separator of list fields, as the lookup takes it.
struct Separator {
    char text[2];
    Separator() : text{g_session.listSeparator, '\0'} {}
};

void LogSection(const char* section, const char* key = nullptr) {
    char line[256];
    CopyText(line, "Copying section [");
    AppendText(line, section);
    AppendText(line, "]");
    if (key) {
        AppendText(line, " item ");
        AppendText(line, key);
    }
    LogLine(line);
}

// The section's name; "sysfonts" and "fixedfonts" are completed with the code page.
void SectionName(UINT sectionId, char (&name)[32]) {
    LoadText(sectionId, name);
    if (sectionId == IDS_SECTION_SYSFONTS || sectionId == IDS_SECTION_FIXEDFONTS) {
        AppendText(name, ".");
        AppendText(name, g_session.systemFontsCodePage);
    }
}

// The file of an item and its disk (members n and n+1). 0 when a member is missing
// (reported), -1 when the file member is empty, 1 otherwise.
int ItemFile(const char* value, int member, char (&file)[setupinf::kItemFileSize],
             char (&disk)[setupinf::kItemDiskSize]) {
    Separator separator;
    if (!GetListMember(value, member, file, separator.text, true)) return 0;
    if (!file[0]) return -1;
    return GetListMember(value, member + 1, disk, separator.text, true) ? 1 : 0;
}

int CopyItem(const char* section, const char* key, int member, const char* destinationDir) {
    char value[setupinf::kListValueSize];
    ReadProfileValue(g_session.setupInfPath, section, key, nullptr, value);
    char file[setupinf::kItemFileSize], disk[setupinf::kItemDiskSize];
    int found = ItemFile(value, member, file, disk);
    if (found <= 0) return found == 0 ? 0 : 1;
    if (SkipIfPresent(destinationDir, file)) return 1;
    return CopyOneFile(disk, g_session.sourceDir, destinationDir, file) != 0 ? 1 : 0;
}

// The "key=value" lines of a file section, read at once: the disk of each file is then
// found without reading setup1.inf again for every file.
class SectionPairs {
public:
    explicit SectionPairs(const char* section) {
        pairs_ = static_cast<char*>(GlobalAlloc(GMEM_FIXED, kSize));
        if (!pairs_) return;
        DWORD got = GetPrivateProfileSectionA(section, pairs_, kSize, g_session.setupInfPath);
        whole_ = got + 2 < kSize;  // a section that filled the buffer may be cut
    }
    ~SectionPairs() {
        if (pairs_) GlobalFree(pairs_);
    }
    SectionPairs(const SectionPairs&) = delete;
    SectionPairs& operator=(const SectionPairs&) = delete;

    // The plain value of the key's first line; false when the lines cannot tell it as the
    // profile reader would (no such line, no "=", a quoted value).
    bool Find(const char* key, char (&value)[setupinf::kDiskNumberSize]) const {
        if (!pairs_ || !whole_) return false;
        for (const char* pair = pairs_; *pair; pair += TextLength(pair) + 1) {
            const char* equals = FindChar(pair, '=');
            if (!equals || !SameKey(pair, equals, key)) continue;
            const char* start = equals + 1;
            while (*start == ' ' || *start == '\t') ++start;
            if (*start == '"' || *start == '\'') return false;
            size_t length = TextLength(start);
            while (length > 0 && (start[length - 1] == ' ' || start[length - 1] == '\t')) --length;
            CopyText(value, length + 1 < sizeof value ? length + 1 : sizeof value, start);
            return true;
        }
        return false;
    }

private:
    static constexpr DWORD kSize = 32767;  // the most a profile section can give at once

    // Whether the line's key, before its "=" and without blanks around it, is `key`.
    static bool SameKey(const char* begin, const char* end, const char* key) {
        while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
        while (end > begin && (end[-1] == ' ' || end[-1] == '\t')) --end;
        size_t length = static_cast<size_t>(end - begin);
        char name[260];
        if (length != TextLength(key) || length >= sizeof name) return false;
        CopyText(name, length + 1, begin);
        return lstrcmpiA(name, key) == 0;
    }

    char* pairs_ = nullptr;
    bool whole_ = false;
};

}  // namespace

bool SkipIfPresent(const char* destinationDir, const char* name) {
    if (g_session.replaceOldFiles) return false;
    char path[260];
    CopyText(path, destinationDir);
    AppendText(path, name);
    if (!FileExists(path)) return false;
    g_session.bytesDone += static_cast<int32_t>(FileSizeOf(path));
    return true;
}

int CopySection(unsigned sectionId, const char* destinationDir) {
    SetupSession& s = g_session;
    ResourceText<32> section(sectionId);
    char names[setupinf::kFileSectionNamesSize];
    DWORD length = ReadKeyList(s.setupInfPath, section, "?", names);
    LogSection(section);
    // A missing section reads as the default "?": nothing to copy. A section whose only key
    // has one character looks the same and copies nothing either.
    bool oneShortKey = names[0] && !names[1] && !names[2];
    if (length <= 1 || !names[0] || oneShortKey) return 1;
    int result = 1;
    SectionPairs disks(section);
    ForEachListedName(names, [&](const char* name) {
        if (!result) return;
        char disk[setupinf::kDiskNumberSize];
        if (!disks.Find(name, disk)) ReadProfileValue(s.setupInfPath, section, name, "3", disk);
        if (SkipIfPresent(destinationDir, name)) return;
        if (CopyOneFile(disk, s.sourceDir, destinationDir, name) == 0) result = 0;
    });
    return result;
}

int CopySectionItem(unsigned sectionId, const char* key, int member, const char* destinationDir) {
    char section[32];
    SectionName(sectionId, section);
    LogSection(section, key);
    return CopyItem(section, key, member, destinationDir);
}

int CopyNamedSectionItem(const char* section, const char* key, int member, const char* destinationDir) {
    return CopyItem(section, key, member, destinationDir);
}

int CopyTrueTypeSection(unsigned sectionId, int member, const char* destinationDir) {
    SetupSession& s = g_session;
    ResourceText<128> section(sectionId);
    char names[setupinf::kKeyListSize];
    if (ReadSetupInfKeys(section, names) == 0) return 0;
    for (const char* name = names; *name; name += TextLength(name) + 1) {
        char value[setupinf::kListValueSize];
        ReadProfileValue(s.setupInfPath, section, name, nullptr, value);
        char file[setupinf::kItemFileSize], disk[setupinf::kItemDiskSize];
        int found = ItemFile(value, member, file, disk);
        if (found == 0) return 0;
        if (found < 0) return 1;  // an empty file member ends the section
        if (SkipIfPresent(destinationDir, file)) continue;
        if (CopyOneFile(disk, s.sourceDir, destinationDir, file) == 0) return 0;
        char path[260];
        CopyText(path, destinationDir);
        AppendText(path, file);
        if (AddFontResourceA(path) == 0) LogLine(".TTF not loaded.");
    }
    return 1;
}
