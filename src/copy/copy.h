// File copying: the free-space check and the copy phase.
#pragma once

#include <cstddef>

// 1 when copying may start, 0 when the user chose to go back to the options.
int CheckDiskSpace();

// Copies the package's files for the chosen components; 1 when all were copied.
int CopyPackageFiles();

// Asks for the disk `disk` (its label from [disks]) that holds `fileName`. 1 when the user
// confirmed a directory, which is written into `directory` ending with a backslash; 0 when
// the user cancelled.
int PromptForDisk(const char* fileName, const char* disk, char* directory, size_t size);
template <size_t N>
int PromptForDisk(const char* fileName, const char* disk, char (&directory)[N]) {
    return PromptForDisk(fileName, disk, directory, N);
}
