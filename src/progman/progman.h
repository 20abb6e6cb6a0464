// The package's Program Manager group and icons, created over DDE.
#pragma once

// 1 when no error was counted, else 0.
int CreateProgmanGroups();
