// A package folder: setup1.inf, the payload beside it and under its payload folder, and
// the list of files to store compressed.
#pragma once

#include <span>

#include "inf.h"
#include "memory.h"
#include "payload.h"
#include "plan.h"
#include "report.h"
#include "text.h"

// The folder of a package's files, below the folder of setup1.inf.
constexpr char kPayloadFolder[] = "payload";
// Names (or patterns with "*" and "?") of the files to store compressed, one a line.
constexpr char kCompressList[] = "compress.lst";
// The setup program, which the first disk carries beside setup1.inf.
constexpr char kSetupProgram[] = "setup.exe";

struct Package {
    Package(Arena& arena, const char* directory, const char* infPath, Bytes infBytes);

    Arena& arena;
    const char* directory;
    const char* infPath;
    Inf inf;
    Payload payload;
    CopyPlan plan;
    // From compress.lst: its patterns and their lines; present says whether the file exists.
    struct Pattern {
        Text text;
        uint32_t line;
    };
    ArenaList<Pattern> compressPatterns;
    bool compressListPresent = false;
    const char* compressListPath = nullptr;
};

// Reads DIR/setup1.inf (its name in any case); false when there is none.
bool ReadSetupInf(Arena& arena, const char* directory, const char*& path, Bytes& bytes);

// Lists the payload (the folder of setup1.inf, its payload folder, the extra folders), reads
// compress.lst and walks the copy plan. Folders that cannot be read are reported.
void OpenPackage(Package& package, std::span<const char* const> extraPayload, Report& report);

// True when compress.lst names the file.
bool ListedForCompression(const Package& package, Text name);
