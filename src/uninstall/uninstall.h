// The package's uninstaller: reads the uninstall record that the setup left in the K-VOX
// directory, puts back every value the setup replaced, removes the package's icons, files
// and product profile records, and logs every step.
#pragma once

#include <windows.h>

#include "base/handles.h"
#include "base/install_list.h"
#include "base/session.h"

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
    char directory[260] = "";      // the K-VOX directory: where the record lies, as [Location] names it
    char setupInfPath[260] = "";   // the setup information file an older setup left beside it
    char listPath[260] = "";       // the list of what the setup wrote
    bool hasList = false;
};

// How the run went: values put back, files and entries removed, things left on purpose
// (they stood before the installation, or were changed since), entries of the record refused
// (they name what the setup does not change) and failures (reported at the end).
struct UninstallTally {
    int restored = 0;
    int removed = 0;
    int left = 0;
    int refused = 0;
    int failed = 0;

    // One value put back or one thing removed when done, else one failure.
    void Count(bool done, bool removal) {
        if (!done) ++failed;
        else if (removal) ++removed;
        else ++restored;
    }
};

// The key of a location, made when it is missing, open for writing; invalid on failure.
UniqueRegKey OpenForWriting(const RegistryLocation& location);

// One uninstall log line from up to four parts.
void LogParts(const char* a, const char* b = "", const char* c = "", const char* d = "");

// Reads the record uninst.inf in `directory` (with a trailing backslash). A record whose
// [Location] names another directory than the one it lies in is damaged.
void ReadUninstallRecord(const char* directory, UninstallRecord& record);

// ---- What the uninstaller may touch
// Whether two directories are one, by their long or their short names.
bool SameDirectory(const char* a, const char* b);
// Whether the path names the running program, however it is spelt.
bool IsRunningProgram(const char* path);
// Null when the setup may have written a file at `path`; else why not.
const char* RefusedFilePath(const char* path, const char* recordDir);
// Whether the configuration writes that entry ("win.ini", "system.ini", or control.inf's
// full path) or value; the location of the value's key, or null.
bool SetupWritesEntry(const char* file, const char* section, const char* key);
const RegistryLocation* SetupWritesValue(HKEY root, const char* subkey, const char* name);
// Whether a value names the file: by its name, or by a path that ends in it.
bool NamesFile(const char* value, const char* fileName);

// ---- The run from the list of what the setup wrote
// This installation's list, and the lists of the installations in other directories just
// above it (made later, over it) and just below it (made earlier).
struct ListUndo {
    InstallList own;
    InstallList above;
    InstallList below;
    char aboveDir[260] = "";
    char belowDir[260] = "";
    bool hasAbove = false;
    bool hasBelow = false;
};

// Loads the list and finds the neighbours; false when the list cannot be read.
bool PrepareListUndo(const UninstallRecord& record, ListUndo& undo);
// What the installation above wrote too stays: it takes over what stood there before ours.
void HandOverShared(const UninstallRecord& record, ListUndo& undo, UninstallTally& tally);
// Entries and values that still hold what the setup wrote get back what stood there.
void UndoValues(const UninstallRecord& record, ListUndo& undo, UninstallTally& tally);
void UndoProgmanItems(const UninstallRecord& record, ListUndo& undo, UninstallTally& tally);
// Files the setup made go, files it replaced come back from their kept copies; a file that a
// value which could not be put back names stays. k-vox.ini last, after a run without failures.
void UndoFiles(const UninstallRecord& record, ListUndo& undo, UninstallTally& tally);
// Without failures the record, the list and the kept copies go; with failures the list keeps
// what is still to be done.
void FinishListUndo(const UninstallRecord& record, ListUndo& undo, const UninstallTally& tally);

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

// A font file: one the setup loaded is still open until it is let go.
bool IsFontFile(const char* path);

// Deletes the file at `path` or, given `copy`, puts that copy in its place; tried again for
// a moment, since a program that has just closed keeps its file a moment longer, and one of
// the package's programs that started since is asked to close again.
bool ChangeFileSoon(const char* path, const char* copy = nullptr);
