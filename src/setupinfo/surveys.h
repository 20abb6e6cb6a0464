// Readers that fill the session from files: the install flags of setup1.inf, the DOS code
// page the system runs with, the dot-matrix printers, an earlier installation.
#pragma once

#include <cstdint>

// Wizard switches, default country, hot key and the start-up group's name.
void ReadInstallFlags(const char* setupInfPath);

// The start-up group's name: group1 of [progman.groups] in Windows' own setup.inf, or
// "StartUp" when it has none.
void ReadStartupGroupName(char (&name)[64]);

// The DOS code page of system.ini [keyboard] "oemansi.bin" (as xlat866.bin); 437 when empty.
int32_t ReadCurrentDosCodePage();

// 9 when a 9-pin printer is installed, 24 for a 24-pin one, 33 for both, else 0.
int32_t SurveyPrinters();

// 1 when k-vox.ini [Location] names the destination directory, else 0.
int32_t IsAlreadyInstalled();
