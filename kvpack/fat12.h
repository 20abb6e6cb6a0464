// Disks of the period: the floppy formats, how much a disk holds, and images of them as a
// floppy drive reads them (FAT12, the files in the root directory, a volume label).
#pragma once

#include <cstdint>
#include <span>

#include "memory.h"
#include "text.h"

struct FloppyFormat {
    uint32_t kilobytes;
    uint8_t sectorsPerCluster;
    uint16_t rootEntries;
    uint8_t media;
    uint16_t sectorsPerFat;
    uint16_t sectorsPerTrack;
    uint16_t heads;
};

// The format of a standard floppy of that size, or null.
const FloppyFormat* FloppyFormatOf(uint64_t bytes);

// What one disk holds: allocation units of `unitBytes`, and at most `entries` names in its
// directory (0: no limit), the volume label's own entry already taken.
struct DiskCapacity {
    uint64_t unitBytes;
    uint64_t units;
    uint32_t entries;
};

// A standard floppy's data area and root directory; any other size is taken as a directory
// of that many bytes in units of 512, for packages copied to hard disks or servers.
DiskCapacity CapacityOf(uint64_t diskBytes);

uint64_t UnitsFor(const DiskCapacity& capacity, uint64_t bytes);

struct ImageFile {
    Text name;    // an 8.3 name
    Bytes bytes;
};

// The image of a floppy of this format holding the files, in their order, and the label
// (up to 11 characters). False when they do not fit.
bool MakeFloppyImage(Arena& arena, const FloppyFormat& format, Text label, std::span<const ImageFile> files,
                     Bytes& image);

// A volume label as FAT holds it: capitals, at most 11 characters a label may have; empty
// when none of the text's characters may stand in a label.
Text VolumeLabel(Arena& arena, Text text);
