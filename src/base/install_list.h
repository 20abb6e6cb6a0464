// The list of what the setup wrote, kept beside the uninstall record: every file it wrote
// (whether one stood there before, and a kept copy of it), every profile entry and registry
// value it wrote (with what stood there before), and the Program Manager group and items it
// made. Each line goes to the disk before the change it names, so a setup that stops halfway
// leaves a list that is true. The uninstaller undoes exactly what the list names.
#pragma once

#include <windows.h>

#include <cstddef>

constexpr char kInstallListName[] = "uninst.lst";
constexpr char kKeptDirName[] = "KEPT\\";  // kept copies, under the K-VOX directory
constexpr char kInstallListHeader[] = "K-VOX install list 1";

// ---- Lines
// The fields of each kind, after the kind's letter, separated by tabs:
//   P  the K-VOX directory that k-vox.ini named before this installation
//   F  path, what stood there before (FileBefore), name of the kept copy
//   V  file, section, key, before (ValueBefore), old value, value written
//   R  root, subkey, name, before, old type, old data, type written, data written
//   G  group made
//   I  group, AddItem argument
// Data are hexadecimal; tabs, line ends, other control characters and "%" in texts are
// written as "%" and two hexadecimal digits.
enum class ListKind : char { Previous = 'P', File = 'F', Profile = 'V', Registry = 'R', Group = 'G', Item = 'I' };
enum class FileBefore : char { None = 'N', Kept = 'K', Left = 'L' };
// Unknown: a value stood there that was too large to keep; it is left as it is.
enum class ValueBefore : char { Missing = 'M', Existed = 'E', Unknown = 'U' };

constexpr int kMaxListFields = 8;

struct ListEntry {
    ListKind kind;
    int fieldCount;
    const char* field[kMaxListFields];
    // What the uninstaller made of the entry.
    bool drop;    // done: left out when the list is written again
    bool keep;    // not undone in this run: stays in the list
    bool failed;  // could not be undone: stays in the list
};

// One entry as a line, CR LF included; false when it does not fit `size`.
bool FormatListLine(const ListEntry& entry, char* line, size_t size);

// Takes a line (without its line end) apart in place; false when it is not a whole entry.
bool ParseListLine(char* line, ListEntry& entry);

// Whether two entries name the same file, entry, value, group or item.
bool SameListTarget(const ListEntry& a, const ListEntry& b);

// The item's name in an AddItem argument: what follows the program's path and its comma.
void ItemNameOf(const char* argument, char (&name)[128]);

// Registry roots by the short names the list uses ("HKLM"); null for an unknown name.
const char* RootName(HKEY root);
HKEY RootFromName(const char* name);

// Bytes as hexadecimal digits, and back; false when they do not fit or are not digits.
bool HexFromBytes(const BYTE* data, DWORD size, char* text, size_t textSize);
bool BytesFromHex(const char* text, BYTE* data, DWORD size, DWORD& used);

// ---- A whole list in memory
class InstallList {
public:
    InstallList() = default;
    ~InstallList();
    InstallList(const InstallList&) = delete;
    InstallList& operator=(const InstallList&) = delete;

    // Reads the list file; false when it is missing, unreadable or not a list. Lines that
    // are not entries are counted, not kept.
    bool Load(const char* path);
    void Clear();
    // Writes the entries not dropped, header first; false on a failed write.
    bool Save(const char* path) const;

    int Count() const { return count_; }
    int Unreadable() const { return unreadable_; }
    // Whether the file ended with a line end: a list cut by a crash ends inside a line.
    bool EndsWithLineEnd() const { return endsWithLineEnd_; }
    ListEntry& operator[](int i) { return entries_[i]; }
    const ListEntry& operator[](int i) const { return entries_[i]; }
    // The first entry that names the same target, or -1.
    int Find(const ListEntry& target) const;
    // The directory of the installation before this one, or empty.
    const char* Previous() const;

private:
    char* text_ = nullptr;
    ListEntry* entries_ = nullptr;
    int count_ = 0;
    int unreadable_ = 0;
    bool endsWithLineEnd_ = true;
};

// ---- Written by the setup
// Starts the list in the destination directory: a new one while uninstall is enabled; in an
// installation over an earlier one, that one's list, whose entries stay first. True while the
// setup lists what it writes.
bool StartInstallList();
void CloseInstallList();
bool InstallListActive();

// Creates a destination file, or empties one, as _lcreat does. While listing it first notes
// whether a file stood there and, outside the K-VOX directory, keeps a copy of it.
HFILE CreateListedFile(const char* path);

// Before a profile entry or a registry value is written: what stood there, and what comes.
void ListProfileWrite(const char* file, const char* section, const char* key, const char* value);
void ListRegistryWrite(HKEY root, const char* subkey, const char* name, DWORD type, const BYTE* data, DWORD size);

// After Program Manager took a group or an item.
void ListProgmanGroup(const char* group);
void ListProgmanItem(const char* group, const char* argument);
