// The package's Program Manager group and its start-up item, removed over DDE with
// Program Manager's own commands.
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "progman/progman.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/surveys.h"
#include "uninstall/uninstall.h"

namespace {

// The name of the start-up item: the first Program Files item, "file,name" in the setup
// information file. False when there is none.
bool StartupItemName(const UninstallRecord& record, char (&name)[128]) {
    char lines[1024];
    if (ReadKeyList(record.setupInfPath, ResourceText<32>(IDS_SECTION_ITEMS_PROGFILES), nullptr, lines) == 0)
        return false;
    const char* comma = FindChar(lines, ',');
    if (!comma || !comma[1]) return false;
    CopyText(name, comma + 1);
    return true;
}

}  // namespace

void RemoveProgmanItems(const UninstallRecord& record, UninstallTally& tally) {
    if (!ProgmanConnect()) {
        LogLine("Connection to Progman failed: the K-VOX group is left.");
        ++tally.failed;
        return;
    }
    char group[128];
    LoadText(IDS_PRODUCT_NAME, group);
    bool sent = ProgmanSendCommand("DeleteGroup", group) != 0;
    LogLine(sent ? "Removed Progman group " : "Could not remove Progman group ", group);
    tally.Count(sent, true);

    char item[128];
    if (StartupItemName(record, item)) {
        char startup[64];
        ReadStartupGroupName(startup);
        // The item is named within the group that was shown last.
        bool itemSent = ProgmanSendCommand("ShowGroup", startup, ",1") != 0 && ProgmanSendCommand("DeleteItem", item) != 0;
        LogLine(itemSent ? "Removed start-up item " : "Could not remove start-up item ", item);
        tally.Count(itemSent, true);
    }
    ProgmanDisconnect();
}
