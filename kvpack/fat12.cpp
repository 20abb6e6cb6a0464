// FAT12 floppy images written directly: one boot sector, two FATs, the root directory and
// the files one after the other. The dates are fixed, so the same disks give the same images.
#include "fat12.h"

namespace {

constexpr uint32_t kSectorBytes = 512;
constexpr uint32_t kEntryBytes = 32;
constexpr uint16_t kReservedSectors = 1;
constexpr uint8_t kFatCount = 2;
constexpr uint32_t kFirstCluster = 2;
constexpr uint16_t kEndOfChain = 0xFFF;
constexpr uint8_t kAttributeLabel = 0x08;
constexpr uint8_t kAttributeArchive = 0x20;
// 1 January 1996, noon: every file and the label carry it.
constexpr uint16_t kDosDate = ((1996 - 1980) << 9) | (1 << 5) | 1;
constexpr uint16_t kDosTime = 12 << 11;

constexpr FloppyFormat kFormats[] = {
    {360, 2, 112, 0xFD, 2, 9, 2},  {720, 2, 112, 0xF9, 3, 9, 2},   {1200, 1, 224, 0xF9, 7, 15, 2},
    {1440, 1, 224, 0xF0, 9, 18, 2}, {2880, 2, 240, 0xF0, 9, 36, 2},
};

// What a PC started from such a disk shows: a few real-mode instructions that print the
// message below through the BIOS, wait for a key and restart.
constexpr uint8_t kBootCodeOffset = 0x3E;
constexpr uint8_t kBootCode[] = {
    0x31, 0xC0,        // xor ax, ax
    0x8E, 0xD8,        // mov ds, ax
    0x31, 0xDB,        // xor bx, bx
    0xBE, 0x00, 0x00,  // mov si, message (filled in)
    0xAC,              // next: lodsb
    0x08, 0xC0,        // or al, al
    0x74, 0x06,        // jz done
    0xB4, 0x0E,        // mov ah, 0Eh
    0xCD, 0x10,        // int 10h
    0xEB, 0xF5,        // jmp next
    0x31, 0xC0,        // done: xor ax, ax
    0xCD, 0x16,        // int 16h
    0xCD, 0x19,        // int 19h
};
constexpr size_t kBootMessageAddressAt = 7;
constexpr char kBootMessage[] = "This is a K-VOX setup disk, not a system disk.\r\nPress a key to restart.\r\n";

void Put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    Put16(at, value);
    Put16(at + 2, value >> 16);
}

struct Layout {
    uint32_t sectors;
    uint32_t rootSectors;
    uint32_t firstDataSector;
    uint32_t clusters;
    uint32_t clusterBytes;
};

Layout LayoutOf(const FloppyFormat& format) {
    Layout layout{};
    layout.sectors = format.kilobytes * 1024 / kSectorBytes;
    layout.rootSectors = format.rootEntries * kEntryBytes / kSectorBytes;
    layout.firstDataSector = kReservedSectors + kFatCount * format.sectorsPerFat + layout.rootSectors;
    layout.clusters = (layout.sectors - layout.firstDataSector) / format.sectorsPerCluster;
    layout.clusterBytes = format.sectorsPerCluster * kSectorBytes;
    return layout;
}

void SetFatEntry(uint8_t* fat, uint32_t cluster, uint16_t value) {
    uint8_t* at = fat + cluster * 3 / 2;
    if (cluster & 1) {
        at[0] = static_cast<uint8_t>((at[0] & 0x0F) | ((value & 0x0F) << 4));
        at[1] = static_cast<uint8_t>(value >> 4);
    } else {
        at[0] = static_cast<uint8_t>(value);
        at[1] = static_cast<uint8_t>((at[1] & 0xF0) | ((value >> 8) & 0x0F));
    }
}

// The eleven characters of a directory entry's name: base and extension, blank-filled.
void PutName(uint8_t* at, Text name) {
    for (int i = 0; i < 11; ++i) at[i] = ' ';
    size_t dot = name.rfind('.');
    Text base = Slice(name, 0, dot), extension = dot == Text::npos ? Text() : Slice(name, dot + 1);
    for (size_t i = 0; i < base.size() && i < 8; ++i) at[i] = static_cast<uint8_t>(UpperAscii(base[i]));
    for (size_t i = 0; i < extension.size() && i < 3; ++i) at[8 + i] = static_cast<uint8_t>(UpperAscii(extension[i]));
}

void PutEntry(uint8_t* at, uint8_t attributes, uint32_t cluster, uint32_t size) {
    at[11] = attributes;
    Put16(at + 22, kDosTime);
    Put16(at + 24, kDosDate);
    Put16(at + 26, cluster);
    Put32(at + 28, size);
}

// A serial number made of the label and the first bytes of the files: the same disk, the same number.
uint32_t SerialOf(Text label, std::span<const ImageFile> files) {
    uint32_t serial = 0x4B564F58;  // "KVOX"
    auto mix = [&](uint8_t byte) { serial = (serial << 5 | serial >> 27) ^ byte; };
    for (char c : label) mix(static_cast<uint8_t>(c));
    for (const ImageFile& file : files)
        for (size_t i = 0; i < file.bytes.size() && i < 64; ++i) mix(file.bytes[i]);
    return serial;
}

void WriteBootSector(uint8_t* sector, const FloppyFormat& format, const Layout& layout, Text label, uint32_t serial) {
    static constexpr uint8_t kJump[] = {0xEB, 0x3C, 0x90};
    for (size_t i = 0; i < sizeof kJump; ++i) sector[i] = kJump[i];
    for (size_t i = 0; i < 8; ++i) sector[3 + i] = static_cast<uint8_t>("MSDOS5.0"[i]);
    Put16(sector + 11, kSectorBytes);
    sector[13] = format.sectorsPerCluster;
    Put16(sector + 14, kReservedSectors);
    sector[16] = kFatCount;
    Put16(sector + 17, format.rootEntries);
    Put16(sector + 19, layout.sectors);
    sector[21] = format.media;
    Put16(sector + 22, format.sectorsPerFat);
    Put16(sector + 24, format.sectorsPerTrack);
    Put16(sector + 26, format.heads);
    sector[38] = 0x29;  // the fields below are present
    Put32(sector + 39, serial);
    for (int i = 0; i < 11; ++i) sector[43 + i] = i < static_cast<int>(label.size()) ? static_cast<uint8_t>(label[i]) : ' ';
    for (size_t i = 0; i < 8; ++i) sector[54 + i] = static_cast<uint8_t>("FAT12   "[i]);
    uint8_t* code = sector + kBootCodeOffset;
    for (size_t i = 0; i < sizeof kBootCode; ++i) code[i] = kBootCode[i];
    uint32_t message = kBootCodeOffset + sizeof kBootCode;
    Put16(code + kBootMessageAddressAt, 0x7C00 + message);
    for (size_t i = 0; i < sizeof kBootMessage; ++i) sector[message + i] = static_cast<uint8_t>(kBootMessage[i]);
    sector[510] = 0x55;
    sector[511] = 0xAA;
}

bool IsLabelCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '_' || c == '!' ||
           c == '#' || c == '$' || c == '%' || c == '&' || c == '(' || c == ')' || c == '@' || c == '^' || c == '~';
}

}  // namespace

const FloppyFormat* FloppyFormatOf(uint64_t bytes) {
    for (const FloppyFormat& format : kFormats)
        if (static_cast<uint64_t>(format.kilobytes) * 1024 == bytes) return &format;
    return nullptr;
}

DiskCapacity CapacityOf(uint64_t diskBytes) {
    if (const FloppyFormat* format = FloppyFormatOf(diskBytes)) {
        Layout layout = LayoutOf(*format);
        return {layout.clusterBytes, layout.clusters, static_cast<uint32_t>(format->rootEntries - 1)};
    }
    return {kSectorBytes, diskBytes / kSectorBytes, 0};
}

uint64_t UnitsFor(const DiskCapacity& capacity, uint64_t bytes) {
    return (bytes + capacity.unitBytes - 1) / capacity.unitBytes;
}

bool MakeFloppyImage(Arena& arena, const FloppyFormat& format, Text label, std::span<const ImageFile> files,
                     Bytes& image) {
    Layout layout = LayoutOf(format);
    if (files.size() + 1 > format.rootEntries) return false;
    auto bytes = arena.Array<uint8_t>(layout.sectors * kSectorBytes);
    WriteBootSector(bytes.data(), format, layout, label, SerialOf(label, files));
    uint8_t* fat = bytes.data() + kReservedSectors * kSectorBytes;
    SetFatEntry(fat, 0, static_cast<uint16_t>(0xF00 | format.media));
    SetFatEntry(fat, 1, kEndOfChain);
    uint8_t* root = fat + kFatCount * format.sectorsPerFat * kSectorBytes;
    PutName(root, label);
    PutEntry(root, kAttributeLabel, 0, 0);
    uint32_t cluster = kFirstCluster;
    for (size_t i = 0; i < files.size(); ++i) {
        const ImageFile& file = files[i];
        auto clusters = static_cast<uint32_t>((file.bytes.size() + layout.clusterBytes - 1) / layout.clusterBytes);
        if (cluster - kFirstCluster + clusters > layout.clusters) return false;
        uint8_t* entry = root + (i + 1) * kEntryBytes;
        PutName(entry, file.name);
        PutEntry(entry, kAttributeArchive, clusters ? cluster : 0, static_cast<uint32_t>(file.bytes.size()));
        uint8_t* data = bytes.data() + (layout.firstDataSector + (cluster - kFirstCluster) * format.sectorsPerCluster) *
                                           kSectorBytes;
        for (size_t b = 0; b < file.bytes.size(); ++b) data[b] = file.bytes[b];
        for (uint32_t c = 0; c < clusters; ++c)
            SetFatEntry(fat, cluster + c, c + 1 == clusters ? kEndOfChain : static_cast<uint16_t>(cluster + c + 1));
        cluster += clusters;
    }
    uint8_t* copy = fat + format.sectorsPerFat * kSectorBytes;
    for (uint32_t b = 0; b < format.sectorsPerFat * kSectorBytes; ++b) copy[b] = fat[b];
    image = bytes;
    return true;
}

Text VolumeLabel(Arena& arena, Text text) {
    TextBuilder label(arena, 11);
    for (char c : TrimBlanks(text)) {
        char upper = UpperAscii(c);
        if (IsLabelCharacter(upper) && label.size() < 11) label.Add(upper);
    }
    return TrimTrailingBlanks(label.text());
}
