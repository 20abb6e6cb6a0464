// The uninstall record uninst.inf: what it says, and what becomes of it and of the product
// profile's records once the package is gone.
#include <initializer_list>

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

void ReadUninstallRecord(const char* directory, UninstallRecord& record) {
    record = UninstallRecord{};
    JoinPath(record.path, directory, ResourceText<32>(IDS_UNINSTALL_RECORD_NAME));
    JoinPath(record.setupInfPath, directory, ResourceText<32>(IDS_SETUP_INF_NAME));
    if (!FileExists(record.path)) return;

    char enabled[16];
    ReadProfileValue(record.path, "Enabled", "Enabled", nullptr, enabled);
    if (lstrcmpiA(enabled, "No") == 0) {
        record.state = RecordState::Disabled;
    } else if (lstrcmpiA(enabled, "Yes") != 0) {
        record.state = RecordState::Damaged;
        record.problem = IDS_UNINSTALL_DAMAGED_ENABLED;
    } else if (!ReadLocation(record.path, record.directory)) {
        record.state = RecordState::Damaged;
        record.problem = IDS_UNINSTALL_DAMAGED_LOCATION;
    } else {
        record.state = RecordState::Enabled;
    }
}

void RemoveProductProfileRecords(const UninstallRecord& record, UninstallTally& tally) {
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
