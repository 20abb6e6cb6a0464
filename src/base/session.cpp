// The session record and the product profile's path.
#include "base/session.h"

#include "base/text.h"
#include "resources/resource_ids.h"

SetupSession g_session;

void ProductProfilePath(char (&path)[260]) {
    char name[32];
    LoadText(IDS_PRODUCT_PROFILE_NAME, name);
    CopyText(path, g_session.windowsDir);
    AppendText(path, name);
}

HBRUSH SetupGreyBrush() {
    return g_session.greyBrush ? g_session.greyBrush : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}

int LoadText(UINT id, char* buffer, int size) {
    if (size <= 0) return 0;
    buffer[0] = '\0';
    return LoadStringA(g_session.instance, id, buffer, size);
}
