// The uninstall record uninst.inf (and the product profile's [Location]): where the package
// lives, whether it can be uninstalled, which layouts were installed.
#include <windows.h>

#include "base/message_dialog.h"
#include "base/session.h"
#include "copy/copy.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"

int WriteLocationRecord(const char* profilePath, const char* directory) {
    ResourceText<32> section(IDS_SECTION_LOCATION);
    if (!DeleteProfileSection(profilePath, section))
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_WRITE_ENTRY, directory, " ", section.Get());
    WriteProfileValueOrReport(profilePath, section, directory, " ");
    return 1;
}

void WriteEnabledRecord(const char* value) {
    WriteProfileValueOrReport(g_session.uninstallRecordPath, "Enabled", "Enabled", value);
}

void RecordInstalledLanguage(const char* layout, const char* countryKey) {
    WriteProfileValueOrReport(g_session.uninstallRecordPath, ResourceText<32>(IDS_SECTION_LANGUAGES_INSTALLED), layout,
                              countryKey);
}
