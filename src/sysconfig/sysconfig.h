// The system configuration update: win.ini, system.ini, control.inf and the registry.
#pragma once

// The configuration phase; 1 when it is complete.
int UpdateSystemInformation();
