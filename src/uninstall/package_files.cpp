// Which files are the package's: the names the setup information file gives, with the
// directory each was copied into, and the mark a package file carries in its content.
#include "base/handles.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "base/windowing.h"
#include "resources/inf_schema.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"
#include "uninstall/uninstall.h"

namespace {

constexpr size_t kListSize = 16384;

// Where the setup copies the files of a step of its copy plan.
PackageDir DirOf(setupinf::InstallDir dir) {
    switch (dir) {
    case setupinf::InstallDir::Windows: return PackageDir::Windows;
    case setupinf::InstallDir::System: return PackageDir::System;
    case setupinf::InstallDir::Fonts: return PackageDir::Fonts;
    case setupinf::InstallDir::Destination: break;
    }
    return PackageDir::Destination;
}

// Font sections, recognised by the start of their names (one section per code page): their
// members 1 are font files; screen sizes go to the fonts directory, the plotter and printer
// keys to the K-VOX directory, TrueType fonts too.
struct FontSections {
    const char* prefix;
    bool screenKeysOnly;  // false: every key
};

constexpr FontSections kFontSections[] = {
    {"sysfonts.", true}, {"fixedfonts.", true}, {"small.", false}, {"helv.", false},
    {"cour.", false},    {"tmsr.", false},      {"TTF.", false},
};

bool StartsWith(const char* text, const char* prefix) {
    char start[32];
    CopyText(start, sizeof start < TextLength(prefix) + 1 ? sizeof start : TextLength(prefix) + 1, text);
    return lstrcmpiA(start, prefix) == 0;
}

bool SameBytes(const BYTE* bytes, const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (bytes[i] != static_cast<BYTE>(text[i])) return false;
    return true;
}

bool IsScreenSizeKey(const char* key) {
    return lstrcmpiA(key, "HI1") == 0 || lstrcmpiA(key, "HI2") == 0 || lstrcmpiA(key, "HI4") == 0;
}

// Member `member` of the value of `key` in `section` of setup1.inf; false when absent.
bool ReadMember(const UninstallRecord& record, const char* section, const char* key, int member,
                char (&out)[128]) {
    char line[1024];
    if (ReadProfileValue(record.setupInfPath, section, key, nullptr, line) == 0) return false;
    return GetListMember(line, member, out, ",", false) != 0;
}

// Member `member` of every value of a section.
template <typename Visit>
void ForEachMember(const UninstallRecord& record, const char* section, int member, Visit visit) {
    char keys[4096];  // not static: a visit may walk another section
    ReadKeyList(record.setupInfPath, section, nullptr, keys);
    ForEachListedName(keys, [&](const char* key) {
        char value[128];
        if (ReadMember(record, section, key, member, value)) visit(key, value);
    });
}

void AddFileSections(const UninstallRecord& record, PackageFileList& files) {
    char keys[4096];
    for (const setupinf::CopyStep& step : setupinf::kCopyPlan) {
        if (step.shape != setupinf::Shape::FileSection) continue;
        ReadKeyList(record.setupInfPath, ResourceText<32>(step.sectionId), nullptr, keys);
        ForEachListedName(keys, [&](const char* name) { files.Add(DirOf(step.dir), name); });
    }
}

// The code-conversion tables, the language libraries, and the drivers of the layouts that
// the record lists as installed.
void AddSystemItems(const UninstallRecord& record, PackageFileList& files) {
    auto addSystem = [&](const char*, const char* name) { files.Add(PackageDir::System, name); };
    ForEachMember(record, ResourceText<32>(IDS_SECTION_OEMANSI), 1, addSystem);
    ForEachMember(record, ResourceText<32>(IDS_SECTION_DEFAULT_SETUP), 4, addSystem);
    char layouts[2048];
    ReadKeyList(record.path, ResourceText<32>(IDS_SECTION_LANGUAGES_INSTALLED), nullptr, layouts);
    ForEachListedName(layouts, [&](const char* layout) {
        char driver[128];
        if (ReadMember(record, ResourceText<32>(IDS_SECTION_KEYBOARD_LAYOUTS), layout, 2, driver))
            files.Add(PackageDir::System, driver);
    });
}

// The DOS-window fonts of every code page: four in the system directory, one "app" font
// in the K-VOX directory.
void AddDosWindowFonts(const UninstallRecord& record, PackageFileList& files) {
    ForEachMember(record, ResourceText<32>(IDS_SECTION_VGA_GR3), 1, [&](const char*, const char* code) {
        for (UINT key = IDS_KEY_EGA80WOA; key < IDS_KEY_EGA80WOA + 4; ++key) {
            char name[128];
            LoadText(key, name, 6);  // the first five characters: "EGA80"
            AppendText(name, code);
            AppendText(name, ".fon");
            files.Add(PackageDir::System, name);
        }
        char app[128] = "app";
        AppendText(app, code);
        AppendText(app, ".fon");
        files.Add(PackageDir::Destination, app);
    });
}

void AddFonts(const UninstallRecord& record, PackageFileList& files) {
    // [oemfonts] names, per code page, the section of the OEM fonts.
    ForEachMember(record, ResourceText<32>(IDS_SECTION_OEMFONTS), 1, [&](const char*, const char* section) {
        ForEachMember(record, section, 1, [&](const char*, const char* name) { files.Add(PackageDir::Fonts, name); });
    });
    static char sections[4096];
    ReadKeyList(record.setupInfPath, nullptr, nullptr, sections);
    ForEachListedName(sections, [&](const char* section) {
        for (const FontSections& fonts : kFontSections) {
            if (!StartsWith(section, fonts.prefix)) continue;
            ForEachMember(record, section, 1, [&](const char* key, const char* name) {
                bool screen = IsScreenSizeKey(key);
                if (fonts.screenKeysOnly && !screen) return;
                files.Add(screen ? PackageDir::Fonts : PackageDir::Destination, name);
            });
        }
    });
}

}  // namespace

PackageFileList::PackageFileList()
    : text_(static_cast<char*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, kListSize))) {}

PackageFileList::~PackageFileList() {
    if (text_) GlobalFree(text_);
}

bool PackageFileList::Lists(const char* name, const PackageDir* dir) const {
    bool found = false;
    ForEach([&](PackageDir listed, const char* listedName) {
        if ((!dir || listed == *dir) && lstrcmpiA(listedName, name) == 0) found = true;
    });
    return found;
}

void PackageFileList::Add(PackageDir dir, const char* name) {
    size_t length = TextLength(name);
    // A name with a directory part would reach outside the directory it is joined to.
    if (!text_ || !IsPlainFileName(name) || Lists(name, &dir)) return;
    if (used_ + length + 3 > kListSize) return;  // room for the tag, the name, its zero and the list's end
    text_[used_] = static_cast<char>(dir);
    CopyText(text_ + used_ + 1, length + 1, name);
    used_ += length + 2;
    text_[used_] = '\0';
    ++count_;
}

bool PackageFileList::Names(const char* name) const { return Lists(name, nullptr); }

void CollectPackageFiles(const UninstallRecord& record, PackageFileList& files) {
    AddFileSections(record, files);
    AddSystemItems(record, files);
    AddDosWindowFonts(record, files);
    AddFonts(record, files);
}

const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* c = path; *c; ++c)
        if (*c == '\\' || *c == '/' || *c == ':') name = c + 1;
    return name;
}

bool HasPackageMark(const char* path) {
    UniqueHFile file(_lopen(path, OF_READ | OF_SHARE_DENY_NONE));
    if (!file) return false;
    static const char kAnsi[] = "K-VOX";
    static const char kWide[] = "K\0-\0V\0O\0X";
    constexpr size_t kAnsiLength = sizeof kAnsi - 1;
    constexpr size_t kWideLength = sizeof kWide - 1;
    // Read in blocks; the last bytes of a block are kept so that a mark across two is found.
    static BYTE buffer[16384];
    size_t kept = 0;
    for (;;) {
        UINT got = _lread(file.Get(), buffer + kept, static_cast<UINT>(sizeof buffer - kept));
        if (got == 0 || got == static_cast<UINT>(HFILE_ERROR)) return false;
        size_t filled = kept + got;
        for (size_t i = 0; i < filled; ++i) {
            if (i + kAnsiLength <= filled && SameBytes(buffer + i, kAnsi, kAnsiLength)) return true;
            if (i + kWideLength <= filled && SameBytes(buffer + i, kWide, kWideLength)) return true;
        }
        kept = filled < kWideLength ? filled : kWideLength;
        for (size_t i = 0; i < kept; ++i) buffer[i] = buffer[filled - kept + i];
    }
}

bool IsFontFile(const char* path) {
    PathParts parts = SplitPath(path);
    return lstrcmpiA(parts.extension, ".fon") == 0 || lstrcmpiA(parts.extension, ".ttf") == 0 ||
           lstrcmpiA(parts.extension, ".fnt") == 0;
}

bool ChangeFileSoon(const char* path, const char* copy) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (copy ? CopyFileA(copy, path, FALSE) : DeleteFileA(path)) return true;
        CloseResidentPrograms();
        Sleep(100);
    }
    return false;
}

namespace {

const char* DirectoryOf(PackageDir dir, const UninstallRecord& record) {
    switch (dir) {
    case PackageDir::Windows: return g_session.windowsDir;
    case PackageDir::System: return g_session.systemDir;
    case PackageDir::Fonts: return g_session.fontsDir;
    case PackageDir::Destination: break;
    }
    return record.directory;
}

void RemovePackageFile(PackageDir dir, const char* path, UninstallTally& tally) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return;  // not installed
    if (IsRunningProgram(path)) {
        LogLine("Left the running uninstaller ", path);
        ++tally.left;
        return;
    }
    // Only the K-VOX directory is the package's alone; elsewhere a file of the same name
    // may have stood before the installation.
    if (dir != PackageDir::Destination && !HasPackageMark(path)) {
        LogLine("Left file, its content does not show it is K-VOX's: ", path);
        ++tally.left;
        return;
    }
    if (IsFontFile(path)) RemoveFontResourceA(path);  // a font the setup loaded is still open
    bool removed = ChangeFileSoon(path);
    LogLine(removed ? "Removed file " : "Could not remove file, in use or read-only: ", path);
    tally.Count(removed, true);
}

}  // namespace

void RemovePackageFiles(const UninstallRecord& record, UninstallTally& tally) {
    if (!FileExists(record.setupInfPath)) {
        // Nothing tells which files are the package's: the record stays for a later run.
        LogLine("No setup information file beside the record; the package's files are left: ", record.setupInfPath);
        ++tally.failed;
        return;
    }
    PackageFileList files;
    CollectPackageFiles(record, files);
    files.ForEach([&](PackageDir dir, const char* name) {
        // The setup information file goes last, with the record (FinishUninstallRecord).
        if (lstrcmpiA(name, ResourceText<32>(IDS_SETUP_INF_NAME)) == 0) return;
        char path[260];
        if (!JoinPath(path, DirectoryOf(dir, record), name)) {
            LogLine("Refused a path too long to name the file: ", path);
            ++tally.refused;
            return;
        }
        RemovePackageFile(dir, path, tally);
    });
}
