// Asking for a disk, or for the directory that holds the package's files.
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "copy/copy.h"
#include "dialogs/dialogs.h"
#include "resources/inf_schema.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

int PromptForDisk(const char* fileName, const char* disk, char* directory, size_t size) {
    SetupSession& s = g_session;
    char value[setupinf::kDiskLabelSize];
    ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_DISKS), disk, "K-VOX Disk", value);
    GetListMember(value, 1, s.valueBuffer, ",", false);  // the label; member 1 is always there
    LogLine("Prompt: Insert disk or type path to file ", fileName);
    if (RunInsertDiskDialog() != 1) {
        LogLine("Prompt dialog cancelled.");
        return 0;
    }
    s.sourceDirKnown = 1;
    ForgetSourceListing();  // the same path may hold another disk now
    CopyText(directory, size, s.messageBuffer);
    LogLine("New source path:", s.messageBuffer);
    return 1;
}
