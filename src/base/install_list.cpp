// The list of what the setup wrote: its lines, a whole list in memory, and the setup's
// writing of it as it goes.
#include "base/install_list.h"

#include <initializer_list>

#include "base/handles.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/text.h"
#include "resources/resource_ids.h"

namespace {

constexpr size_t kLineSize = 16384;       // a line of the list, with hexadecimal data
constexpr DWORD kRegistryDataSize = 2048;  // a registry value kept whole

// Fields after the kind's letter, by kind.
int FieldCount(ListKind kind) {
    switch (kind) {
    case ListKind::Previous: return 1;
    case ListKind::File: return 3;
    case ListKind::Profile: return 6;
    case ListKind::Registry: return 8;
    case ListKind::Group: return 1;
    case ListKind::Item: return 2;
    }
    return 0;
}

bool IsKind(char c) {
    return c == 'P' || c == 'F' || c == 'V' || c == 'R' || c == 'G' || c == 'I';
}

char HexDigit(unsigned value) { return "0123456789ABCDEF"[value & 15]; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool NeedsEscape(unsigned char c) { return c < 0x20 || c == '%' || c == 0x7F; }

// Appends a text with its special characters escaped; false when it does not fit.
bool AppendEscaped(char* line, size_t size, size_t& used, const char* text) {
    for (const char* c = text; *c; ++c) {
        auto byte = static_cast<unsigned char>(*c);
        size_t need = NeedsEscape(byte) ? 3 : 1;
        if (used + need + 1 > size) return false;
        if (need == 3) {
            line[used++] = '%';
            line[used++] = HexDigit(byte >> 4);
            line[used++] = HexDigit(byte);
        } else {
            line[used++] = *c;
        }
    }
    line[used] = '\0';
    return true;
}

// Undoes the escapes in place; false for a "%" without two digits.
bool Unescape(char* text) {
    char* to = text;
    for (const char* from = text; *from; ++from) {
        if (*from != '%') {
            *to++ = *from;
            continue;
        }
        int high = HexValue(from[1]), low = high < 0 ? -1 : HexValue(from[2]);
        if (low < 0) return false;
        *to++ = static_cast<char>(high * 16 + low);
        from += 2;
    }
    *to = '\0';
    return true;
}

// How many leading fields name the entry's target.
int TargetFields(ListKind kind) {
    switch (kind) {
    case ListKind::Profile:
    case ListKind::Registry: return 3;
    case ListKind::Previous: return 0;
    default: return 1;
    }
}

HANDLE OpenExisting(const char* path, DWORD access) {
    return CreateFileA(path, access, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteAll(HANDLE file, const char* text, DWORD length) {
    DWORD written = 0;
    return WriteFile(file, text, length, &written, nullptr) && written == length;
}

}  // namespace

// ---- Lines

bool FormatListLine(const ListEntry& entry, char* line, size_t size) {
    if (size < 4 || entry.fieldCount != FieldCount(entry.kind)) return false;
    size_t used = 0;
    line[used++] = static_cast<char>(entry.kind);
    for (int i = 0; i < entry.fieldCount; ++i) {
        line[used++] = '\t';
        if (!AppendEscaped(line, size, used, entry.field[i] ? entry.field[i] : "")) return false;
        if (used + 3 > size) return false;
    }
    line[used++] = '\r';
    line[used++] = '\n';
    line[used] = '\0';
    return true;
}

bool ParseListLine(char* line, ListEntry& entry) {
    entry = ListEntry{};
    if (!IsKind(line[0]) || line[1] != '\t') return false;
    entry.kind = static_cast<ListKind>(line[0]);
    int expected = FieldCount(entry.kind);
    char* cursor = line + 2;
    for (;;) {
        if (entry.fieldCount == expected) return false;
        char* field = cursor;
        entry.field[entry.fieldCount++] = field;
        while (*cursor && *cursor != '\t') ++cursor;
        bool last = *cursor == '\0';
        *cursor = '\0';
        if (!Unescape(field)) return false;
        if (last) break;
        ++cursor;
    }
    return entry.fieldCount == expected;
}

void ItemNameOf(const char* argument, char (&name)[128]) {
    name[0] = '\0';
    const char* comma = FindChar(argument, ',');
    if (!comma) return;
    const char* end = comma + 1;
    while (*end && *end != ',') ++end;
    size_t length = static_cast<size_t>(end - comma - 1);
    CopyText(name, length + 1 < sizeof name ? length + 1 : sizeof name, comma + 1);
}

bool SameListTarget(const ListEntry& a, const ListEntry& b) {
    if (a.kind != b.kind || a.kind == ListKind::Previous) return false;
    int fields = TargetFields(a.kind);
    for (int i = 0; i < fields; ++i)
        if (CompareNames(a.field[i], b.field[i]) != 0) return false;
    if (a.kind != ListKind::Item) return true;
    char first[128], second[128];
    ItemNameOf(a.field[1], first);
    ItemNameOf(b.field[1], second);
    return CompareNames(first, second) == 0;
}

namespace {

struct RootNames {
    HKEY root;
    const char* name;
};

const RootNames kRoots[] = {
    {HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_CURRENT_USER, "HKCU"}, {HKEY_CURRENT_CONFIG, "HKCC"},
    {HKEY_USERS, "HKU"},          {HKEY_CLASSES_ROOT, "HKCR"},
};

}  // namespace

const char* RootName(HKEY root) {
    for (const RootNames& known : kRoots)
        if (known.root == root) return known.name;
    return nullptr;
}

HKEY RootFromName(const char* name) {
    for (const RootNames& known : kRoots)
        if (lstrcmpA(known.name, name) == 0) return known.root;
    return nullptr;
}

bool HexFromBytes(const BYTE* data, DWORD size, char* text, size_t textSize) {
    if (static_cast<size_t>(size) * 2 + 1 > textSize) return false;
    for (DWORD i = 0; i < size; ++i) {
        text[2 * i] = HexDigit(data[i] >> 4);
        text[2 * i + 1] = HexDigit(data[i]);
    }
    text[2 * static_cast<size_t>(size)] = '\0';
    return true;
}

bool BytesFromHex(const char* text, BYTE* data, DWORD size, DWORD& used) {
    used = 0;
    for (const char* c = text; *c; c += 2) {
        int high = HexValue(c[0]), low = high < 0 ? -1 : HexValue(c[1]);
        if (low < 0 || used == size) return false;
        data[used++] = static_cast<BYTE>(high * 16 + low);
    }
    return true;
}

// ---- A whole list in memory

InstallList::~InstallList() { Clear(); }

void InstallList::Clear() {
    if (text_) GlobalFree(text_);
    if (entries_) GlobalFree(entries_);
    text_ = nullptr;
    entries_ = nullptr;
    count_ = unreadable_ = 0;
}

bool InstallList::Load(const char* path) {
    Clear();
    UniqueFile file(OpenExisting(path, GENERIC_READ));
    if (!file) return false;
    DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > 16 * 1024 * 1024) return false;
    text_ = static_cast<char*>(GlobalAlloc(GMEM_FIXED, size + 1));
    if (!text_) return false;
    DWORD read = 0;
    if (!ReadFile(file.Get(), text_, size, &read, nullptr) || read != size) return false;
    text_[size] = '\0';
    endsWithLineEnd_ = size == 0 || text_[size - 1] == '\n';
    int lines = 1;
    for (DWORD i = 0; i < size; ++i) lines += text_[i] == '\n';
    entries_ = static_cast<ListEntry*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, lines * sizeof(ListEntry)));
    if (!entries_) return false;

    // Walked by its size: a zero byte (a damaged disk, a file cut by a crash) spoils its own
    // line, which then is not an entry, and hides none of the lines after it.
    bool header = true;
    char* const textEnd = text_ + size;
    for (char* line = text_; line < textEnd;) {
        char* end = line;
        bool zero = false;
        for (; end < textEnd && *end != '\n'; ++end) zero = zero || *end == '\0';
        char* next = end < textEnd ? end + 1 : end;
        *end = '\0';
        if (end > line && end[-1] == '\r') end[-1] = '\0';
        if (header) {
            if (zero || lstrcmpA(line, kInstallListHeader) != 0) return false;
            header = false;
        } else if (zero) {
            ++unreadable_;
        } else if (line[0]) {
            if (ParseListLine(line, entries_[count_])) ++count_;
            else ++unreadable_;
        }
        line = next;
    }
    return !header;
}

bool InstallList::Save(const char* path) const {
    UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    char* line = static_cast<char*>(GlobalAlloc(GMEM_FIXED, kLineSize));
    if (!line) return false;
    CopyText(line, kLineSize, kInstallListHeader);
    AppendText(line, kLineSize, "\r\n");
    bool written = WriteAll(file.Get(), line, static_cast<DWORD>(TextLength(line)));
    for (int i = 0; written && i < count_; ++i) {
        if (entries_[i].drop) continue;
        written = FormatListLine(entries_[i], line, kLineSize) &&
                  WriteAll(file.Get(), line, static_cast<DWORD>(TextLength(line)));
    }
    GlobalFree(line);
    return written;
}

int InstallList::Find(const ListEntry& target) const {
    for (int i = 0; i < count_; ++i)
        if (!entries_[i].drop && SameListTarget(entries_[i], target)) return i;
    return -1;
}

const char* InstallList::Previous() const {
    for (int i = 0; i < count_; ++i)
        if (!entries_[i].drop && entries_[i].kind == ListKind::Previous) return entries_[i].field[0];
    return "";
}

// ---- Written by the setup

namespace {

// The targets listed so far, each as a hash and its text, so that only the first write
// of a file or value is listed: what stood there before the installation.
struct ListedTargets {
    char* block;
    size_t used;
    size_t size;
};

// Room to build one line, taken while the setup lists: the program's own data stays small.
struct WriterBuffers {
    char line[kLineSize];
    char oldValue[1024];
    BYTE oldData[kRegistryDataSize];
    char oldHex[kRegistryDataSize * 2 + 1];
    char newHex[kRegistryDataSize * 2 + 1];
};

struct ListWriter {
    HANDLE file;  // null while the setup is not listing
    WriterBuffers* buffers;
    char keptDir[260];
    int nextKept;
    ListedTargets targets;
};

constinit ListWriter g_writer{};

uint32_t HashText(const char* text) {
    uint32_t hash = 2166136261u;
    for (; *text; ++text) hash = (hash ^ static_cast<unsigned char>(UpperAscii(*text))) * 16777619u;
    return hash;
}

// The target of an entry as one text: its kind and the fields that name it.
void TargetText(const ListEntry& entry, char (&text)[1024]) {
    text[0] = static_cast<char>(entry.kind);
    text[1] = '\0';
    int fields = TargetFields(entry.kind);
    for (int i = 0; i < fields; ++i) {
        AppendText(text, "\t");
        AppendText(text, entry.field[i]);
    }
    if (entry.kind == ListKind::Item) {
        char name[128];
        ItemNameOf(entry.field[1], name);
        AppendText(text, "\t");
        AppendText(text, name);
    }
}

bool Listed(const ListEntry& entry) {
    char text[1024];
    TargetText(entry, text);
    uint32_t hash = HashText(text);
    const ListedTargets& t = g_writer.targets;
    for (size_t at = 0; at < t.used;) {
        uint32_t stored;
        CopyBytes(&stored, t.block + at, sizeof stored);
        const char* storedText = t.block + at + sizeof stored;
        if (stored == hash && CompareNames(storedText, text) == 0) return true;
        at += sizeof stored + TextLength(storedText) + 1;
    }
    return false;
}

void Remember(const ListEntry& entry) {
    char text[1024];
    TargetText(entry, text);
    uint32_t hash = HashText(text);
    ListedTargets& t = g_writer.targets;
    size_t need = sizeof hash + TextLength(text) + 1;
    if (t.used + need > t.size) {
        size_t size = t.size ? t.size * 2 : 64 * 1024;
        while (t.used + need > size) size *= 2;
        char* grown = static_cast<char*>(GlobalAlloc(GMEM_FIXED, size));
        if (!grown) return;  // listed twice at worst: the first line still counts
        if (t.block) {
            CopyBytes(grown, t.block, t.used);
            GlobalFree(t.block);
        }
        t.block = grown;
        t.size = size;
    }
    CopyBytes(t.block + t.used, &hash, sizeof hash);
    CopyText(t.block + t.used + sizeof hash, need - sizeof hash, text);
    t.used += need;
}

// Appends the entry's line to the list at once, and remembers its target.
void Append(const ListEntry& entry) {
    char* line = g_writer.buffers->line;
    if (FormatListLine(entry, line, kLineSize)) WriteAll(g_writer.file, line, static_cast<DWORD>(TextLength(line)));
    Remember(entry);
}

ListEntry MakeEntry(ListKind kind, std::initializer_list<const char*> fields) {
    ListEntry entry{};
    entry.kind = kind;
    for (const char* field : fields) entry.field[entry.fieldCount++] = field;
    return entry;
}

// The K-VOX directory that k-vox.ini names now, when it is not this one.
void PreviousInstallation(char (&directory)[260]) {
    directory[0] = '\0';
    char profile[260], keys[1024];
    ProductProfilePath(profile);
    ClearBytes(keys, sizeof keys);
    ResourceText<32> location(IDS_SECTION_LOCATION);
    if (GetPrivateProfileStringA(location, nullptr, "", keys, sizeof keys, profile) == 0) return;
    if (lstrcmpiA(keys, g_session.destinationDir) != 0) CopyText(directory, keys);
}

bool OpenNewList(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    g_writer.file = file;
    char header[64];
    CopyText(header, kInstallListHeader);
    AppendText(header, "\r\n");
    WriteAll(file, header, static_cast<DWORD>(TextLength(header)));
    char previous[260];
    PreviousInstallation(previous);
    if (previous[0]) Append(MakeEntry(ListKind::Previous, {previous}));
    return true;
}

// An earlier installation's list goes on: its targets stand listed already.
bool ContinueList(const char* path) {
    InstallList earlier;
    if (!earlier.Load(path)) return false;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    if (SetFilePointer(file, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER) {
        CloseHandle(file);
        return false;
    }
    g_writer.file = file;
    // A list cut in the middle of its last line: the next line starts on a line of its own.
    if (!earlier.EndsWithLineEnd()) WriteAll(file, "\r\n", 2);
    for (int i = 0; i < earlier.Count(); ++i) Remember(earlier[i]);
    return true;
}

bool InDirectory(const char* path, const char* directory) {
    PathParts parts = SplitPath(path);
    char own[260];
    CopyText(own, parts.drive);
    AppendText(own, parts.directory);
    return lstrcmpiA(own, directory) == 0;
}

// A file that stands where the setup is about to write. In the K-VOX directory it is the
// package's own or the user's, and stays when the package goes; elsewhere it is Windows' and
// a copy of it is kept under the K-VOX directory to be put back.
FileBefore KeepCopy(const char* path, char (&kept)[16]) {
    const SetupSession& s = g_session;
    kept[0] = '\0';
    bool systemDirectory = lstrcmpiA(s.destinationDir, s.windowsDir) == 0 ||
                           lstrcmpiA(s.destinationDir, s.systemDir) == 0 || lstrcmpiA(s.destinationDir, s.fontsDir) == 0;
    if (InDirectory(path, s.destinationDir) && !systemDirectory) return FileBefore::Left;
    char directory[260];
    CopyText(directory, g_writer.keptDir);
    RemoveTrailingBackslash(directory);
    CreateDirectoryA(directory, nullptr);
    for (int tries = 0; tries < 10000; ++tries, ++g_writer.nextKept) {
        wsprintfA(kept, "%08d.KEP", g_writer.nextKept);
        char copy[260];
        if (!JoinPath(copy, g_writer.keptDir, kept)) break;
        if (CopyFileA(path, copy, TRUE)) {
            ++g_writer.nextKept;
            return FileBefore::Kept;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    kept[0] = '\0';
    return FileBefore::Left;
}

}  // namespace

bool StartInstallList() {
    const SetupSession& s = g_session;
    CloseInstallList();
    char path[260];
    if (!JoinPath(path, s.destinationDir, kInstallListName)) return false;
    if (!JoinPath(g_writer.keptDir, s.destinationDir, kKeptDirName)) return false;
    g_writer.nextKept = 1;
    if (!s.uninstallEnabled && !s.alreadyInstalled) return false;
    g_writer.buffers = static_cast<WriterBuffers*>(GlobalAlloc(GMEM_FIXED, sizeof(WriterBuffers)));
    if (!g_writer.buffers) return false;
    bool listing = s.uninstallEnabled ? OpenNewList(path) : ContinueList(path);
    if (!listing) CloseInstallList();
    return listing;
}

void CloseInstallList() {
    if (g_writer.file) CloseHandle(g_writer.file);
    g_writer.file = nullptr;
    if (g_writer.buffers) GlobalFree(g_writer.buffers);
    g_writer.buffers = nullptr;
    if (g_writer.targets.block) GlobalFree(g_writer.targets.block);
    g_writer.targets = ListedTargets{};
}

bool InstallListActive() { return g_writer.file != nullptr; }

HFILE CreateListedFile(const char* path) {
    if (!g_writer.file) return _lcreat(path, 0);
    ListEntry entry = MakeEntry(ListKind::File, {path, "", ""});
    if (Listed(entry)) return _lcreat(path, 0);
    HANDLE created = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created != INVALID_HANDLE_VALUE) {
        char before[2] = {static_cast<char>(FileBefore::None), '\0'};
        entry.field[1] = before;
        Append(entry);
        return static_cast<HFILE>(reinterpret_cast<INT_PTR>(created));
    }
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return HFILE_ERROR;
    char kept[16];
    char before[2] = {static_cast<char>(KeepCopy(path, kept)), '\0'};
    entry.field[1] = before;
    entry.field[2] = kept;
    Append(entry);
    return _lcreat(path, 0);
}

void ListProfileWrite(const char* file, const char* section, const char* key, const char* value) {
    if (!g_writer.file) return;
    ListEntry entry = MakeEntry(ListKind::Profile, {file, section, key, "", "", value});
    if (Listed(entry)) return;
    // A value no entry can have stands for a missing one.
    static const char kAbsent[] = "\x01\x02";
    char* old = g_writer.buffers->oldValue;
    GetPrivateProfileStringA(section, key, kAbsent, old, sizeof g_writer.buffers->oldValue, file);
    bool missing = lstrcmpA(old, kAbsent) == 0;
    char before[2] = {static_cast<char>(missing ? ValueBefore::Missing : ValueBefore::Existed), '\0'};
    entry.field[3] = before;
    entry.field[4] = missing ? "" : old;
    Append(entry);
}

void ListRegistryWrite(HKEY root, const char* subkey, const char* name, DWORD type, const BYTE* data, DWORD size) {
    const char* rootName = RootName(root);
    if (!g_writer.file || !rootName) return;
    ListEntry entry = MakeEntry(ListKind::Registry, {rootName, subkey, name, "", "", "", "", ""});
    if (Listed(entry)) return;
    WriterBuffers& b = *g_writer.buffers;
    BYTE* old = b.oldData;
    char *oldHex = b.oldHex, *newHex = b.newHex;
    char oldType[16] = "", newType[16];
    DWORD oldSize = kRegistryDataSize, storedType = 0;
    ValueBefore before = ValueBefore::Missing;
    oldHex[0] = '\0';
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        LONG result = RegQueryValueExA(key, name, nullptr, &storedType, old, &oldSize);
        RegCloseKey(key);
        if (result == ERROR_SUCCESS) {
            before = ValueBefore::Existed;
            wsprintfA(oldType, "%lu", static_cast<unsigned long>(storedType));
            HexFromBytes(old, oldSize, oldHex, sizeof b.oldHex);
        } else if (result != ERROR_FILE_NOT_FOUND) {
            before = ValueBefore::Unknown;  // it stands there, too large to keep
        }
    }
    if (!HexFromBytes(data, size, newHex, sizeof b.newHex)) return;
    wsprintfA(newType, "%lu", static_cast<unsigned long>(type));
    char beforeText[2] = {static_cast<char>(before), '\0'};
    entry.field[3] = beforeText;
    entry.field[4] = oldType;
    entry.field[5] = oldHex;
    entry.field[6] = newType;
    entry.field[7] = newHex;
    Append(entry);
}

void ListProgmanGroup(const char* group) {
    if (!g_writer.file) return;
    ListEntry entry = MakeEntry(ListKind::Group, {group});
    if (!Listed(entry)) Append(entry);
}

void ListProgmanItem(const char* group, const char* argument) {
    if (!g_writer.file) return;
    ListEntry entry = MakeEntry(ListKind::Item, {group, argument});
    if (!Listed(entry)) Append(entry);
}
