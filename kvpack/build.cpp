// Building a package's disks: compression, the placing of every file on a disk, the
// completed setup1.inf, and the disks, images, manifest and copies written out.
#include "build.h"

#include <algorithm>

#include "check.h"
#include "fat12.h"
#include "names.h"
#include "platform.h"
#include "szdd.h"
#include "volume.h"

namespace {

// A file as the disks carry it.
struct StoredFile {
    Text name;        // as setup1.inf lists it
    Text storedName;  // on the disk, in capitals: its own name or its compressed one
    Bytes installed;  // as the installation leaves it
    Bytes stored;     // as the disk holds it
    bool compressed;
    uint32_t crc;     // of the installed bytes
};

// One disk number in setup1.inf, and the files it places.
struct DiskRef {
    uint32_t line;
    size_t offset;
    size_t length;
    Text prefix;
    uint32_t wanted;   // the number setup1.inf gives; 0 for none
    uint32_t disk;     // where kvpack puts the files
    bool fixed;        // no line to change: k-vox.ini
    size_t files[8];   // a [VGA.GR3] line places five fonts
    size_t fileCount;
};

struct Disk {
    uint64_t units;
    uint32_t entries;
};

// Which disks hold a file: bit n for disk n.
using DiskSet = uint64_t;
constexpr uint32_t kMaxDisks = 63;
// Room left on the first disk for setup1.inf to grow by its filled-in numbers.
constexpr uint64_t kSetupInfGrowth = 1024;

constexpr auto kCrcTable = [] {
    struct Table {
        uint32_t entries[256];
    } table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table.entries[n] = c;
    }
    return table;
}();

uint32_t Crc32(Bytes bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t byte : bytes) crc = kCrcTable.entries[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

struct Builder {
    Package& package;
    const BuildOptions& options;
    Report& report;
    Arena& arena;
    DiskCapacity capacity{};
    ArenaList<StoredFile> files;
    ArenaList<DiskRef> refs;
    ArenaList<DiskSet> placed;  // by file
    Disk disks[kMaxDisks + 1]{};
    uint32_t diskCount = 0;
    uint32_t listedDisks = 0;  // the highest number [disks] gives
    size_t setupProgram = 0, setupInf = 0;
    Text infText;

    Builder(Package& package_, const BuildOptions& options_, Report& report_)
        : package(package_),
          options(options_),
          report(report_),
          arena(package_.arena),
          files(arena),
          refs(arena),
          placed(arena) {}

    TextBuilder Say() { return report.Message(); }

    // ---- The files and how they are stored

    size_t FileIndex(Text name) {
        for (size_t i = 0; i < files.size(); ++i)
            if (SameText(files[i].name, name)) return i;
        return files.size();
    }

    // The setup must start, and read setup1.inf, as they stand on the disk.
    static bool StaysPlain(Text name) { return SameText(name, kSetupProgram) || SameText(name, INF_FILE_NAME); }

    // With compress.lst, what it names; without, what takes fewer allocation units so.
    void Store(StoredFile& file, Source source) {
        file.crc = Crc32(file.installed);
        file.compressed = false;
        file.stored = file.installed;
        if (source.compressed && !StaysPlain(file.name)) {  // the payload holds it compressed already
            file.compressed = true;
            file.stored = source.file->bytes;
        } else if (!StaysPlain(file.name) &&
                   (!package.compressListPresent || ListedForCompression(package, file.name))) {
            Bytes packed = SzddCompress(arena, file.installed, ReplacedCharacter(file.name));
            file.compressed = package.compressListPresent ||
                              UnitsFor(capacity, packed.size()) < UnitsFor(capacity, file.installed.size());
            if (file.compressed) file.stored = packed;
        }
        file.storedName = UpperName(arena, file.compressed ? CompressedName(arena, file.name) : file.name);
    }

    bool CollectFiles() {
        for (const FileRef& ref : package.plan.files) {
            if (FileIndex(ref.name) < files.size() || SameText(ref.name, INF_FILE_NAME)) continue;
            Source source = package.payload.Resolve(ref.name);
            StoredFile file{};
            file.name = ref.name;
            if (!source.file || !package.payload.Installed(source, file.installed)) {
                report.Error(ref.line, Say().Add("cannot read \"").Add(ref.name).Add("\" from the payload").text());
                return false;
            }
            Store(file, source);
            files.Add(file);
        }
        return CollectSetup();
    }

    // The setup program and setup1.inf, plain, on the first disk.
    bool CollectSetup() {
        setupProgram = FileIndex(kSetupProgram);
        if (setupProgram < files.size()) return CollectSetupInf();  // installed too: listed already
        Source program = package.payload.Resolve(kSetupProgram);
        StoredFile setup{};
        setup.name = kSetupProgram;
        if (!program.file || !package.payload.Installed(program, setup.installed)) {
            report.Error(0, Say().Add("the payload has no ").Add(kSetupProgram).Add(" for the first disk").text());
            return false;
        }
        setup.stored = setup.installed;
        setup.storedName = UpperName(arena, kSetupProgram);
        setup.crc = Crc32(setup.installed);
        setupProgram = files.size();
        files.Add(setup);
        return CollectSetupInf();
    }

    bool CollectSetupInf() {
        StoredFile inf{};
        inf.name = INF_FILE_NAME;
        inf.storedName = UpperName(arena, INF_FILE_NAME);
        setupInf = files.size();
        files.Add(inf);
        return true;
    }

    // ---- Disk numbers

    void CollectRefs() {
        for (const InfKey& key : package.inf.Keys(INF_SECTION_DISKS)) {
            uint32_t number = 0;
            if (ParseDecimal(key.name, number) && number <= kMaxDisks && number > listedDisks) listedDisks = number;
        }
        for (const FileRef& file : package.plan.files) {
            size_t index = SameText(file.name, INF_FILE_NAME) ? setupInf : FileIndex(file.name);
            DiskRef* ref = nullptr;
            for (DiskRef& known : refs)
                if (!known.fixed && !file.diskFixed && known.offset == file.diskOffset) ref = &known;
            if (!ref) {
                uint32_t wanted = 0;
                ParseDecimal(file.disk, wanted);
                if (wanted > listedDisks) wanted = 0;  // the check has said so
                if (index == setupInf || file.diskFixed) wanted = 1;
                ref = &refs.Add({file.line, file.diskOffset, file.diskLength, file.diskPrefix, wanted, 0,
                                 file.diskFixed || index == setupInf, {}, 0});
                if (index == setupInf && file.disk.empty()) ref->fixed = false;  // "1" is written in
            }
            if (ref->fileCount < sizeof ref->files / sizeof ref->files[0]) ref->files[ref->fileCount++] = index;
        }
    }

    // ---- Placing

    bool OnDisk(uint32_t disk, size_t file) const { return (placed[file] >> disk) & 1; }

    // The files of a disk, in the order of setup1.inf.
    template <typename Visit>
    void ForEachOnDisk(uint32_t disk, Visit visit) const {
        for (size_t file = 0; file < files.size(); ++file)
            if (OnDisk(disk, file)) visit(files[file]);
    }

    size_t CountOnDisk(uint32_t disk) const {
        size_t count = 0;
        ForEachOnDisk(disk, [&](const StoredFile&) { ++count; });
        return count;
    }

    // True when the disk has room for those of the reference's files it does not hold yet.
    bool Fits(const DiskRef& ref, uint32_t disk) const {
        uint64_t units = 0;
        uint32_t entries = 0;
        for (size_t i = 0; i < ref.fileCount; ++i) {
            size_t file = ref.files[i];
            if (file == setupInf || OnDisk(disk, file)) continue;
            units += UnitsFor(capacity, files[file].stored.size());
            ++entries;
        }
        const Disk& d = disks[disk];
        bool entriesFit = capacity.entries == 0 || d.entries + entries <= capacity.entries;
        return d.units + units <= capacity.units && entriesFit;
    }

    void Put(DiskRef& ref, uint32_t disk) {
        ref.disk = disk;
        if (disk > diskCount) diskCount = disk;
        for (size_t i = 0; i < ref.fileCount; ++i) {
            size_t file = ref.files[i];
            if (file == setupInf || OnDisk(disk, file)) continue;
            disks[disk].units += UnitsFor(capacity, files[file].stored.size());
            ++disks[disk].entries;
            placed[file] |= DiskSet(1) << disk;
        }
    }

    // The disk a file that cannot stay goes to: the next disks first, then the earlier ones,
    // then a new one.
    uint32_t DiskWithRoom(const DiskRef& ref) {
        uint32_t from = ref.wanted ? ref.wanted + 1 : 1;
        for (uint32_t disk = from; disk <= diskCount; ++disk)
            if (Fits(ref, disk)) return disk;
        for (uint32_t disk = 1; disk < from && disk <= diskCount; ++disk)
            if (Fits(ref, disk)) return disk;
        return diskCount < kMaxDisks && Fits(ref, diskCount + 1) ? diskCount + 1 : 0;
    }

    bool Place(uint64_t infUnits) {
        for (Disk& disk : disks) disk = Disk{};
        for (DiskSet& set : placed) set = 0;
        while (placed.size() < files.size()) placed.Add(0);
        diskCount = listedDisks ? listedDisks : 1;
        disks[1].units = UnitsFor(capacity, files[setupProgram].stored.size()) + infUnits;
        disks[1].entries = 2;
        placed[setupProgram] = placed[setupInf] = DiskSet(1) << 1;
        if (disks[1].units > capacity.units) {
            report.Error(0, Say().Add(kSetupProgram).Add(" and ").Add(INF_FILE_NAME).Add(" do not fit on a disk").text());
            return false;
        }
        for (DiskRef& ref : refs) ref.disk = 0;
        for (DiskRef& ref : refs)
            if (ref.wanted && Fits(ref, ref.wanted)) Put(ref, ref.wanted);
        for (DiskRef& ref : refs) {
            if (ref.disk) continue;
            if (ref.fixed) {
                report.Error(ref.line, Say().Add("\"").Add(files[ref.files[0]].name).Add("\" must be on disk ")
                                           .Add(ref.wanted).Add(", which has no room for it").text());
                return false;
            }
            uint32_t disk = DiskWithRoom(ref);
            if (!disk) {
                report.Error(ref.line, Say().Add("\"").Add(files[ref.files[0]].name)
                                           .Add("\" does not fit on any disk of this size").text());
                return false;
            }
            Put(ref, disk);
        }
        return true;
    }

    void ReportMoves() {
        for (const DiskRef& ref : refs) {
            if (ref.disk == ref.wanted || ref.fixed) continue;
            TextBuilder message = Say();
            message.Add("\"").Add(files[ref.files[0]].name).Add("\"");
            if (ref.fileCount > 1) message.Add(" and the other files of this line");
            if (ref.wanted)
                message.Add(": disk ").Add(ref.wanted).Add(" is full, so it goes to disk ").Add(ref.disk);
            else
                message.Add(" goes to disk ").Add(ref.disk);
            message.Add("; the setup1.inf of the disks says so");
            report.Add(ref.wanted ? Severity::Warning : Severity::Note, ref.line, message.text());
        }
        for (uint32_t disk = listedDisks + 1; disk <= diskCount; ++disk)
            report.Warning(0, Say().Add("disk ").Add(disk).Add(" was added, as \"Disk ").Add(disk)
                                  .Add("\" in [disks]; give it a label there").text());
    }

    // ---- setup1.inf with the disks and sizes filled in

    struct Edit {
        size_t offset;
        size_t length;
        Text text;
    };

    static bool SizeOfListed(void* context, const FileRef& file, uint64_t& size) {
        auto& builder = *static_cast<Builder*>(context);
        size_t index = SameText(file.name, INF_FILE_NAME) ? builder.setupInf : builder.FileIndex(file.name);
        if (index >= builder.files.size()) return false;
        size = builder.files[index].installed.size();
        return true;
    }

    void VolumeEdits(ArenaList<Edit>& edits) {
        ArenaList<VolumeEntry> volume(arena);
        ComputeVolume(package.plan, SizeOfListed, this, volume);
        const Inf& inf = package.inf;
        const InfSection* section = inf.Find(INF_SECTION_VOLUME);
        Text end = inf.lineEnd();
        TextBuilder added(arena);
        if (!section) added.Add(end).Add('[').Add(INF_SECTION_VOLUME).Add(']').Add(end);
        for (const VolumeEntry& entry : volume) {
            const InfKey* key = inf.FindKey(section, entry.key);
            if (key)
                edits.Add({key->valueOffset, key->value.size(), TextBuilder(arena).Add(entry.bytes).text()});
            else if (entry.bytes)
                added.Add(entry.key).Add('=').Add(entry.bytes).Add(end);
        }
        if (added.size()) edits.Add({section ? section->endOffset : inf.bytes().size(), 0, added.text()});
    }

    void DiskEdits(ArenaList<Edit>& edits) {
        for (const DiskRef& ref : refs)
            if (!ref.fixed && ref.disk != ref.wanted)
                edits.Add({ref.offset, ref.length, TextBuilder(arena).Add(ref.prefix).Add(ref.disk).text()});
        if (diskCount <= listedDisks) return;
        const InfSection* section = package.inf.Find(INF_SECTION_DISKS);
        Text end = package.inf.lineEnd();
        TextBuilder added(arena);
        if (!section) added.Add(end).Add('[').Add(INF_SECTION_DISKS).Add(']').Add(end);
        for (uint32_t disk = listedDisks + 1; disk <= diskCount; ++disk)
            added.Add(disk).Add("=Disk ").Add(disk).Add(end);
        edits.Add({section ? section->endOffset : package.inf.bytes().size(), 0, added.text()});
    }

    Text Render() {
        ArenaList<Edit> edits(arena);
        DiskEdits(edits);
        VolumeEdits(edits);
        std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.offset < b.offset; });
        Text source = AsText(package.inf.bytes());
        TextBuilder out(arena, source.size() + 256);
        size_t at = 0;
        Text end = package.inf.lineEnd();
        for (const Edit& edit : edits) {
            out.Add(Slice(source, at, edit.offset - at));
            // A section that ends the file without a line end gets one before its new lines.
            if (edit.length == 0 && edit.offset == source.size() && !source.empty() && source.back() != '\n')
                out.Add(end);
            out.Add(edit.text);
            at = edit.offset + edit.length;
        }
        out.Add(Slice(source, at));
        return out.text();
    }

    // Places the files and completes setup1.inf until the two agree: setup1.inf's size
    // counts among the sizes it states, and its room on the first disk depends on its size.
    bool Layout() {
        uint64_t infUnits = UnitsFor(capacity, package.inf.bytes().size() + kSetupInfGrowth);
        for (int round = 0; round < 8; ++round) {
            if (!Place(infUnits)) return false;
            Text text = AsText(package.inf.bytes());
            for (int settle = 0; settle < 4; ++settle) {
                files[setupInf].installed = AsBytes(text);  // its own size counts in [volume]
                Text next = Render();
                bool settled = next.size() == text.size();
                text = next;
                if (settled) break;
            }
            infText = text;
            files[setupInf].installed = AsBytes(infText);
            if (UnitsFor(capacity, infText.size()) <= infUnits) {
                StoredFile& inf = files[setupInf];
                inf.stored = inf.installed;
                inf.crc = Crc32(inf.installed);
                return true;
            }
            infUnits = UnitsFor(capacity, infText.size());
        }
        report.Error(0, "setup1.inf does not settle to one size");
        return false;
    }

    // Every disk's names are its own: two files of one name cannot share a disk.
    bool NamesUnique() {
        for (uint32_t disk = 1; disk <= diskCount; ++disk)
            for (size_t i = 0; i < files.size(); ++i)
                for (size_t j = 0; j < i; ++j)
                    if (OnDisk(disk, i) && OnDisk(disk, j) && SameText(files[i].storedName, files[j].storedName)) {
                        report.Error(0, Say().Add("\"").Add(files[i].name).Add("\" and \"").Add(files[j].name)
                                             .Add("\" are both \"").Add(files[i].storedName).Add("\" on disk ").Add(disk)
                                             .text());
                        return false;
                    }
        return true;
    }

    // ---- Writing

    bool Write(const char* path, Bytes bytes) {
        if (platform::WriteFile(path, bytes)) return true;
        report.Error(0, Say().Add("cannot write ").Add(path).text());
        return false;
    }

    bool MakeDirectory(const char* path) {
        if (platform::MakeDirectory(path)) return true;
        report.Error(0, Say().Add("cannot make the directory ").Add(path).text());
        return false;
    }

    bool WriteDisks() {
        for (uint32_t disk = 1; disk <= diskCount; ++disk) {
            const char* directory = JoinPath(arena, options.out, TextBuilder(arena).Add("DISK").Add(disk).text());
            if (!MakeDirectory(directory)) return false;
            bool written = true;
            ForEachOnDisk(disk, [&](const StoredFile& file) {
                written = written && Write(JoinPath(arena, directory, file.storedName), file.stored);
            });
            if (!written) return false;
        }
        return true;
    }

    bool WriteImages() {
        const FloppyFormat* format = FloppyFormatOf(options.diskBytes);
        for (uint32_t disk = 1; disk <= diskCount; ++disk) {
            ArenaList<ImageFile> images(arena);
            ForEachOnDisk(disk, [&](const StoredFile& file) { images.Add({file.storedName, file.stored}); });
            Bytes image;
            if (!MakeFloppyImage(arena, *format, LabelOf(disk), std::span<const ImageFile>(images.begin(), images.size()),
                                 image)) {
                report.Error(0, Say().Add("disk ").Add(disk).Add(" does not fit its image").text());
                return false;
            }
            if (!Write(JoinPath(arena, options.out, TextBuilder(arena).Add("DISK").Add(disk).Add(".IMG").text()), image))
                return false;
        }
        return true;
    }

    // The volume label: member 2 of the disk's line in [disks], else "DISK" and its number.
    Text LabelOf(uint32_t disk) {
        const InfKey* key = package.inf.FindKey(INF_SECTION_DISKS, TextBuilder(arena).Add(disk).text());
        Text member;
        if (key && ListMember(key->value, 2, ',', member)) {
            Text label = VolumeLabel(arena, member);
            if (!label.empty()) return label;
        }
        return TextBuilder(arena).Add("DISK").Add(disk).text();
    }

    bool WriteOneDirectory() {
        const char* directory = JoinPath(arena, options.out, "ONEDIR");
        if (!MakeDirectory(directory)) return false;
        for (size_t i = 0; i < files.size(); ++i)
            if (!Write(JoinPath(arena, directory, files[i].storedName), files[i].stored)) return false;
        return true;
    }

    bool WriteOriginals() {
        const char* directory = JoinPath(arena, options.out, "ORIGINALS");
        if (!MakeDirectory(directory)) return false;
        for (size_t i = 0; i < files.size(); ++i)
            if (i != setupProgram && !Write(JoinPath(arena, directory, LowerName(arena, files[i].name)), files[i].installed))
                return false;
        return true;
    }

    bool WriteManifest() {
        TextBuilder out(arena, 8192);
        out.Add("; kvpack manifest: every file of the disks, its size as stored and as installed,\r\n")
            .Add("; and the CRC-32 of the installed file.\r\n")
            .Add("; disk  on disk        stored  installed  crc32     name\r\n");
        for (uint32_t disk = 1; disk <= diskCount; ++disk) {
            ForEachOnDisk(disk, [&](const StoredFile& file) {
                out.AddPadded(static_cast<uint64_t>(disk), 6, false).AddPadded(file.storedName, 13)
                    .AddPadded(static_cast<uint64_t>(file.stored.size()), 8).Add(' ')
                    .AddPadded(static_cast<uint64_t>(file.installed.size()), 10).Add("  ").AddHex(file.crc, 8)
                    .Add("  ").Add(file.name).Add("\r\n");
            });
        }
        return Write(JoinPath(arena, options.out, "manifest.txt"), AsBytes(out.text()));
    }

    void PrintSummary() {
        TextBuilder out(arena);
        size_t compressed = 0;
        for (const StoredFile& file : files) compressed += file.compressed ? 1 : 0;
        out.Add("kvpack: ").Add(static_cast<uint64_t>(files.size())).Add(" files (")
            .Add(static_cast<uint64_t>(compressed)).Add(" compressed) on ").Add(diskCount)
            .Add(diskCount == 1 ? " disk in " : " disks in ").Add(options.out).Add('\n');
        for (uint32_t disk = 1; disk <= diskCount; ++disk)
            out.Add("  DISK").Add(disk).Add(": ").Add(static_cast<uint64_t>(CountOnDisk(disk)))
                .Add(CountOnDisk(disk) == 1 ? " file, " : " files, ")
                .Add(disks[disk].units * capacity.unitBytes).Add(" of ").Add(capacity.units * capacity.unitBytes)
                .Add(" bytes, label ").Add(LabelOf(disk)).Add('\n');
        platform::Write(platform::Stream::Out, out.c_str(), out.size());
    }
};

// The file names of a directory, gathered before any of them is removed.
struct NameListing {
    Arena* arena;
    ArenaList<Text>* names;
    ArenaList<bool>* directories;
};

void CollectEntry(void* context, const char* name, bool isDirectory) {
    auto& listing = *static_cast<NameListing*>(context);
    listing.names->Add(Text(Terminated(*listing.arena, name)));
    listing.directories->Add(isDirectory);
}

void RemoveDirectoryFiles(Arena& arena, const char* directory) {
    ArenaList<Text> names(arena);
    ArenaList<bool> directories(arena);
    NameListing listing{&arena, &names, &directories};
    platform::ListDirectory(directory, CollectEntry, &listing);
    for (size_t i = 0; i < names.size(); ++i)
        if (!directories[i]) platform::RemoveFile(JoinPath(arena, directory, names[i]));
    platform::RemoveEmptyDirectory(directory);
}

bool IsOutputName(Text name) {
    if (SameText(name, "ONEDIR") || SameText(name, "ORIGINALS")) return true;
    if (!StartsWithText(name, "DISK")) return false;
    Text rest = Slice(name, 4);
    if (EndsWithText(rest, ".IMG")) rest = Slice(rest, 0, rest.size() - 4);
    uint32_t number = 0;
    return ParseDecimal(rest, number);
}

// What an earlier build left: the disks, their images, the copies.
void ClearOutput(Arena& arena, const char* out) {
    ArenaList<Text> names(arena);
    ArenaList<bool> directories(arena);
    NameListing listing{&arena, &names, &directories};
    platform::ListDirectory(out, CollectEntry, &listing);
    for (size_t i = 0; i < names.size(); ++i) {
        if (!IsOutputName(names[i])) continue;
        const char* path = JoinPath(arena, out, names[i]);
        if (directories[i])
            RemoveDirectoryFiles(arena, path);
        else
            platform::RemoveFile(path);
    }
}

}  // namespace

int BuildPackage(Package& package, const BuildOptions& options, Report& report) {
    CheckPackage(package, report);
    if (options.images && !FloppyFormatOf(options.diskBytes))
        report.Error(0, "images are made of floppies of 360K, 720K, 1200K, 1440K or 2880K only");
    if (report.errors()) {
        report.Print();
        return 1;
    }
    Builder builder(package, options, report);
    builder.capacity = CapacityOf(options.diskBytes);
    bool built = builder.CollectFiles();
    if (built) {
        builder.CollectRefs();
        built = builder.Layout() && builder.NamesUnique();
    }
    if (built) {
        builder.ReportMoves();
        ClearOutput(package.arena, options.out);
        built = builder.MakeDirectory(options.out) && builder.WriteDisks() && builder.WriteManifest() &&
                (!options.images || builder.WriteImages()) && (!options.oneDirectory || builder.WriteOneDirectory()) &&
                (!options.originals || builder.WriteOriginals());
    }
    report.Print();
    if (!built) return 1;
    builder.PrintSummary();
    return 0;
}
