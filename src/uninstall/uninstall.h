// The package's uninstaller: reads the uninstall record that the setup left in the K-VOX
// directory, puts back every value the setup replaced, removes the package's icons, files
// and product profile records, and logs every step.
#pragma once

#include <windows.h>

#include <cstddef>

enum class RecordState {
    Missing,   // no uninst.inf beside the program
    Damaged,   // no valid [Enabled], or Enabled=Yes without [Location]
    Disabled,  // Enabled=No: the setup saved nothing
    Enabled,
};

// What the uninstall record says, and where the files that go with it lie.
struct UninstallRecord {
    RecordState state = RecordState::Missing;
    UINT problem = 0;              // string id naming what is wrong with a damaged record
    char path[260] = "";           // uninst.inf
    char directory[260] = "";      // the K-VOX directory ([Location]), with a trailing backslash
    char setupInfPath[260] = "";   // the setup information file that the setup left beside it
};

// How the run went: values put back, files and entries removed, things left on purpose
// (they may have stood before the installation) and failures (reported at the end).
struct UninstallTally {
    int restored = 0;
    int removed = 0;
    int left = 0;
    int failed = 0;

    // One value put back or one thing removed when done, else one failure.
    void Count(bool done, bool removal) {
        if (!done) ++failed;
        else if (removal) ++removed;
        else ++restored;
    }
};

// Reads the record uninst.inf in `directory` (with a trailing backslash).
void ReadUninstallRecord(const char* directory, UninstallRecord& record);

// The steps, in the order the uninstaller runs them. Each logs one line per value or file.
void RestoreProfileValues(const UninstallRecord& record, UninstallTally& tally);
void RestoreRegistryValues(const UninstallRecord& record, UninstallTally& tally);
void RestoreControlInf(UninstallTally& tally);
void RemoveProgmanItems(const UninstallRecord& record, UninstallTally& tally);
void RemovePackageFiles(const UninstallRecord& record, UninstallTally& tally);
void RemoveProductProfileRecords(const UninstallRecord& record, UninstallTally& tally);

// After a run without failures the record and the setup's files beside it go, so that a
// second run finds nothing to do; after failures they stay for the next run.
void FinishUninstallRecord(const UninstallRecord& record, const UninstallTally& tally);

// The names of the package's files, each with the directory the setup copied it into.
enum class PackageDir : char { Destination = 'D', Windows = 'W', System = 'S', Fonts = 'F' };

class PackageFileList {
public:
    PackageFileList();
    ~PackageFileList();
    PackageFileList(const PackageFileList&) = delete;
    PackageFileList& operator=(const PackageFileList&) = delete;

    // Adds a name; one already listed for that directory is not added twice, and names that
    // no longer fit the list's fixed block are dropped.
    void Add(PackageDir dir, const char* name);
    // True when `name` (letter case ignored) is one of the package's files in any directory.
    bool Names(const char* name) const;
    int Count() const { return count_; }

    // Visits every entry: visit(dir, name).
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (const char* entry = text_; entry && *entry; entry += lstrlenA(entry) + 1)
            visit(static_cast<PackageDir>(entry[0]), entry + 1);
    }

private:
    // Whether `name` is listed for `dir`, or for any directory when `dir` is null.
    bool Lists(const char* name, const PackageDir* dir) const;
    char* text_;
    size_t used_ = 0;
    int count_ = 0;
};

// Every file that the setup information file beside the record names, with its directory:
// the file sections, the chosen layouts' drivers, the code-page files and the fonts.
void CollectPackageFiles(const UninstallRecord& record, PackageFileList& files);

// True when the file holds the package's name ("K-VOX", in ANSI or in UTF-16 as version
// resources keep it): a file of that name that stood before the installation would not.
bool HasPackageMark(const char* path);

// The file name part of a path or registry value ("C:\W\KVOX\a.ttf" gives "a.ttf").
const char* FileNamePart(const char* path);
