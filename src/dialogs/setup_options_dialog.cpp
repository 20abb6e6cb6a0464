// SETUPOPTIONS: the components, the DOS code page and the layout switch.
#include "base/session.h"
#include "dialogs/dialogs.h"

// Placeholder until the options dialog is built: the country's defaults are kept.
uint16_t RunSetupOptionsDialog() {
    g_session.dialogResult = 1;
    return g_session.dialogResult;
}
