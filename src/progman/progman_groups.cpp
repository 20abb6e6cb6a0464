// The Program Manager conversation.
#include "progman/progman.h"

// Placeholder until the Program Manager groups are built: no group is created yet.
int CreateProgmanGroups() { return 1; }
