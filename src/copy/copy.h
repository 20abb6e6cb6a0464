// File copying: the free-space check and the copy phase.
#pragma once

// 1 when copying may start, 0 when the user chose to go back to the options.
int CheckDiskSpace();

// Copies the package's files for the chosen components; 1 when all were copied.
int CopyPackageFiles();
