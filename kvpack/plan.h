// Every file the setup may copy, for any choice of components, country, code page, screen
// and printer: the setup's copy plan walked over one setup1.inf.
#pragma once

#include <cstdint>

#include "inf.h"
#include "memory.h"
#include "resources/inf_schema.h"
#include "text.h"

struct FileRef {
    Text name;                       // the file, as the setup copies it
    Text disk;                       // its disk number as the setup reads it; empty when none
    const setupinf::CopyStep* step;
    Text section;                    // the section as the setup names it
    Text itemKey;                    // the key of an item section's line (a code page, a country...)
    Text volumeKey;                  // the [volume] key its size counts under
    uint32_t line;                   // the line that names it; 0 for k-vox.ini, which no line names
    // Where the disk number stands in setup1.inf, for kvpack build to write another one:
    // `diskPrefix` goes before the number when there is none yet ("," or "=").
    size_t diskOffset;
    size_t diskLength;
    Text diskPrefix;
    bool diskFixed;                  // no line says the disk: it cannot move
};

// A mistake met while walking the plan, which the check reports.
struct PlanProblem {
    uint32_t line;
    bool error;
    Text message;
};

struct CopyPlan {
    explicit CopyPlan(Arena& arena) : files(arena), problems(arena), codePages(arena) {}
    ArenaList<FileRef> files;
    ArenaList<PlanProblem> problems;
    ArenaList<Text> codePages;       // the Windows code pages of the countries
};

// Walks the copy plan over the file.
void WalkCopyPlan(Arena& arena, const Inf& inf, CopyPlan& plan);

// The name of a step's section for one code page ("sysfonts.1251"), or its plain name.
Text StepSection(Arena& arena, const setupinf::CopyStep& step, Text codePage);

// The keys of an item section the setup reads for a kind of key; empty for "every key".
std::span<const char* const> FixedKeys(setupinf::Keys keys);
