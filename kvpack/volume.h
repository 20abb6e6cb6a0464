// The sizes [volume] states: for each of its keys, the bytes that the files counted under it
// take once installed, for the largest choice of country, code page and screen.
#pragma once

#include <cstdint>

#include "memory.h"
#include "plan.h"
#include "text.h"

struct VolumeEntry {
    Text key;
    uint64_t bytes;
};

// The installed size of one listed file; false when it is unknown (not in the payload).
using InstalledSizeOf = bool (*)(void* context, const FileRef& file, uint64_t& size);

// Every [volume] key the plan counts, in the order of the plan, with its size. Files whose
// size is unknown count nothing.
void ComputeVolume(const CopyPlan& plan, InstalledSizeOf sizeOf, void* context, ArenaList<VolumeEntry>& volume);
