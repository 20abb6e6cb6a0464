// The uninstall record uninst.inf: what it says, and what becomes of it and of the product
// profile's records once the package is gone.
#include <initializer_list>

#include "base/install_list.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "uninstall/uninstall.h"

namespace {

// The setup's files that lie beside the record and go with it.
constexpr const char* kSetupLogName = "KVSETUP.LOG";

// The first key of a profile's [Location]: the K-VOX directory that it names.
bool ReadLocation(const char* file, char (&directory)[260]) {
    char keys[1024];
    if (ReadKeyList(file, ResourceText<32>(IDS_SECTION_LOCATION), nullptr, keys) == 0) return false;
    CopyText(directory, keys);
    AddTrailingBackslash(directory);
    return true;
}

void RemoveBesideRecord(const UninstallRecord& record, const char* name) {
    PathParts parts = SplitPath(record.path);
    char path[260];
    CopyText(path, parts.drive);
    AppendText(path, parts.directory);
    AppendText(path, name);
    if (!FileExists(path)) return;
    if (DeleteFileA(path)) LogLine("Removed file ", path);
    else LogLine("Could not remove file ", path);
}

}  // namespace

void LogParts(const char* a, const char* b, const char* c, const char* d) {
    char line[256];
    CopyText(line, a);
    AppendText(line, b);
    AppendText(line, c);
    AppendText(line, d);
    LogLine(line);
}

void ReadUninstallRecord(const char* directory, UninstallRecord& record) {
    record = UninstallRecord{};
    JoinPath(record.path, directory, ResourceText<32>(IDS_UNINSTALL_RECORD_NAME));
    JoinPath(record.setupInfPath, directory, ResourceText<32>(IDS_SETUP_INF_NAME));
    JoinPath(record.listPath, directory, kInstallListName);
    record.hasList = FileExists(record.listPath) != 0;
    // The record's directory is the one it lies in, whatever it says.
    CopyText(record.directory, directory);
    AddTrailingBackslash(record.directory);
    if (!FileExists(record.path) && !record.hasList) return;

    char enabled[16], location[260];
    ReadProfileValue(record.path, "Enabled", "Enabled", nullptr, enabled);
    bool located = ReadLocation(record.path, location);
    if (lstrcmpiA(enabled, "No") == 0) {
        record.state = RecordState::Disabled;
    } else if (located && !SameDirectory(location, directory)) {
        // A record copied or made elsewhere would undo what another directory's setup did.
        record.state = RecordState::Damaged;
        record.problem = IDS_UNINSTALL_DAMAGED_ELSEWHERE;
    } else if (record.hasList && !enabled[0]) {
        // A setup stopped halfway writes neither [Enabled] nor [Location]; its list is true.
        record.state = RecordState::Enabled;
    } else if (lstrcmpiA(enabled, "Yes") != 0) {
        record.state = RecordState::Damaged;
        record.problem = IDS_UNINSTALL_DAMAGED_ENABLED;
    } else if (!located && !record.hasList) {
        record.state = RecordState::Damaged;
        record.problem = IDS_UNINSTALL_DAMAGED_LOCATION;
    } else {
        record.state = RecordState::Enabled;
    }
}

void RemoveProductProfileRecords(const UninstallRecord& record, UninstallTally& tally) {
    // A later setup into this directory must still find the package here after failures.
    if (tally.failed > 0) {
        LogLine("Left the K-VOX records of k-vox.ini for the next run.");
        return;
    }
    char profile[260];
    ProductProfilePath(profile);
    if (!FileExists(profile)) return;
    char named[260];
    if (ReadLocation(profile, named) && lstrcmpiA(named, record.directory) != 0) {
        // A later installation into another directory owns the profile now.
        LogLine("Left k-vox.ini: it names another K-VOX directory, ", named);
        ++tally.left;
        return;
    }
    // The profile is the package's own file, copied by the setup; its records go with it.
    if (HasPackageMark(profile) && DeleteFileA(profile)) {
        LogLine("Removed file ", profile);
        ++tally.removed;
        return;
    }
    bool removed = true;
    for (UINT section : {IDS_SECTION_LOCATION, IDS_SECTION_COUNTRY, IDS_SECTION_KVNLS})
        removed = DeleteProfileSection(profile, ResourceText<32>(section)) && removed;
    LogLine(removed ? "Removed sections [Location], [country] and [KVNLS] from "
                    : "Could not remove the K-VOX records from ",
            profile);
    tally.Count(removed, true);
}

void FinishUninstallRecord(const UninstallRecord& record, const UninstallTally& tally) {
    if (tally.failed > 0) {
        LogLine("The uninstall record is kept for another run.");
        return;
    }
    RemoveBesideRecord(record, ResourceText<32>(IDS_SETUP_INF_NAME));
    RemoveBesideRecord(record, kSetupLogName);
    RemoveBesideRecord(record, ResourceText<32>(IDS_UNINSTALL_RECORD_NAME));
}
