// The copy phase.
//
// Placeholder until the copy phase is built: it copies the files of the package's file
// sections that lie in the source directory (the start directory, else the directory of
// setup1.inf), expanding compressed ones, and shows each on the progress window. It asks
// for no disks and no decisions; a file that is not there is logged and left out.
#include "copy/copy.h"

#include <windows.h>

#include "base/handles.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "progress/progress.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"

namespace {

struct SectionPlan {
    UINT section;
    const char* directory;
    bool chosen;
};

// Path of a file in the source directory, under its own name or its compressed name.
bool FindSource(const char* name, char (&path)[260]) {
    CopyText(path, g_session.sourceDir);
    AppendText(path, name);
    if (FileExists(path)) return true;
    PathParts parts = SplitPath(name);
    size_t length = TextLength(parts.extension);
    if (length > 1) parts.extension[length - 1] = '_';
    else CopyText(parts.extension, "._");
    CopyText(path, g_session.sourceDir);
    AppendText(path, parts.name);
    AppendText(path, parts.extension);
    return FileExists(path) != 0;
}

// Size of a file once expanded.
int32_t ExpandedSize(const char* source) {
    OFSTRUCT opened{};
    UniqueLzFile file(LZOpenFileA(const_cast<char*>(source), &opened, OF_READ));
    if (file.Get() < 0) return 0;
    LONG size = LZSeek(file.Get(), 0, 2);
    return size > 0 ? size : 0;
}

int32_t ExpandFile(const char* source, const char* destination) {
    OFSTRUCT openedSource{}, openedDestination{};
    UniqueLzFile from(LZOpenFileA(const_cast<char*>(source), &openedSource, OF_READ));
    if (from.Get() < 0) return 0;
    UniqueLzFile to(LZOpenFileA(const_cast<char*>(destination), &openedDestination, OF_CREATE));
    if (to.Get() < 0) return 0;
    LONG copied = LZCopy(from.Get(), to.Get());
    return copied > 0 ? copied : 0;
}

template <typename Visit>
void ForEachFile(const SectionPlan& plan, Visit visit) {
    char names[700];
    ReadKeyList(g_session.setupInfPath, ResourceText<32>(plan.section), nullptr, names);
    ForEachListedName(names, visit);
}

void CopySectionFiles(const SectionPlan& plan) {
    char heading[64];
    wsprintfA(heading, "Copying section [%s]", ResourceText<32>(plan.section).Get());
    LogLine(heading);
    ForEachFile(plan, [&](const char* name) {
        char source[260], destination[260];
        CopyText(destination, plan.directory);
        AppendText(destination, name);
        ShowCopyProgress(g_session.sourceDir, plan.directory, name);
        if (!FindSource(name, source)) {
            LogLine(source, " - can not open source file.");
            return;
        }
        int32_t copied = ExpandFile(source, destination);
        g_session.bytesDone += copied > 0 ? copied : 1;
        char line[260];
        wsprintfA(line, "%s %lu", destination, static_cast<unsigned long>(copied));
        LogLine(line);
        ShowCopyProgress(g_session.sourceDir, plan.directory, name);
    });
}

}  // namespace

int CopyPackageFiles() {
    SetupSession& s = g_session;
    if (s.startDir[0]) {
        CopyText(s.sourceDir, s.startDir);
    } else {
        PathParts parts = SplitPath(s.setupInfPath);
        CopyText(s.sourceDir, parts.drive);
        AppendText(s.sourceDir, parts.directory);
    }
    LogLine("Source directory: ", s.sourceDir);

    const SectionPlan plans[] = {
        {IDS_SECTION_WINDOWS_SYSTEM, s.systemDir, true},
        {IDS_SECTION_WINDOWS, s.windowsDir, true},
        {IDS_SECTION_UNINSTALL_KVOX, s.destinationDir, s.uninstallEnabled != 0},
        {IDS_SECTION_PROGFILES_KVOX, s.destinationDir, s.programFiles != 0},
        {IDS_SECTION_PROGFILES_SYSTEM, s.systemDir, s.programFiles != 0},
        {IDS_SECTION_PROGFILES_WINDOWS, s.windowsDir, s.programFiles != 0},
        {IDS_SECTION_APPLICATION, s.destinationDir, s.applications != 0},
        {IDS_SECTION_APPLICATIONS_SYSTEM, s.systemDir, s.applications != 0},
        {IDS_SECTION_KDK, s.destinationDir, s.developersKitSample != 0},
    };
    s.totalBytes = 0;
    for (const SectionPlan& plan : plans) {
        if (!plan.chosen) continue;
        ForEachFile(plan, [&](const char* name) {
            char source[260];
            if (FindSource(name, source)) s.totalBytes += ExpandedSize(source);
        });
    }
    LZStart();
    for (const SectionPlan& plan : plans)
        if (plan.chosen) CopySectionFiles(plan);
    LZDone();

    s.bytesDone = s.totalBytes + 1;
    s.currentFileName[0] = '\0';
    LoadText(IDS_UPDATE_SYSTEM_INFO, s.currentTargetPath, 120);
    InvalidateRect(ProgressWindow(), nullptr, TRUE);
    UpdateWindow(ProgressWindow());
    return 1;
}
