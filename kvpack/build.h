// kvpack build: the package's files compressed where they should be, laid out on disks of
// a size, setup1.inf completed with the disks and sizes, and what goes with the disks.
#pragma once

#include <cstdint>

#include "package.h"
#include "report.h"

struct BuildOptions {
    const char* out = nullptr;
    uint64_t diskBytes = 1440 * 1024;
    bool images = false;     // DISKn.IMG, floppy images of the disks
    bool oneDirectory = false;  // ONEDIR: every disk's files in one directory
    bool originals = false;  // ORIGINALS: every file as the installation must leave it
};

// Checks the package first and builds nothing when the check finds an error. Returns the
// program's exit code.
int BuildPackage(Package& package, const BuildOptions& options, Report& report);
