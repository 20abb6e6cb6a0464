// The uninstallation from the list of what the setup wrote: values first, where they still
// hold what the setup wrote; then the Program Manager group; files last, each file that a
// value still names kept. Another installation made over this one takes over what both
// wrote, with what stood there before this one.
#include "base/handles.h"
#include "base/install_list.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "progman/progman.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/surveys.h"
#include "uninstall/uninstall.h"

namespace {

constexpr int kMaxChain = 16;  // installations followed from k-vox.ini before giving up
constexpr DWORD kValueSize = 4096;

bool IsKind(const ListEntry& entry, ListKind kind) {
    return entry.kind == kind && !entry.drop && !entry.keep;
}

char Before(const ListEntry& entry, int field) { return entry.field[field][0]; }

// The K-VOX directory that k-vox.ini names, with its backslash; empty when none.
void LatestInstallation(char (&directory)[260]) {
    char profile[260], keys[1024];
    ProductProfilePath(profile);
    directory[0] = '\0';
    if (ReadKeyList(profile, ResourceText<32>(IDS_SECTION_LOCATION), nullptr, keys) == 0) return;
    CopyText(directory, keys);
    AddTrailingBackslash(directory);
}

bool LoadListIn(const char* directory, InstallList& list) {
    char path[260];
    return JoinPath(path, directory, kInstallListName) && list.Load(path);
}

// The installation whose list names this one as the one before it, found by following the
// installations back from the one k-vox.ini names.
bool FindAbove(const UninstallRecord& record, ListUndo& undo) {
    char directory[260];
    LatestInstallation(directory);
    for (int depth = 0; depth < kMaxChain && directory[0]; ++depth) {
        if (SameDirectory(directory, record.directory)) return false;
        if (!LoadListIn(directory, undo.above)) return false;
        char previous[260];
        CopyText(previous, undo.above.Previous());
        if (previous[0] && SameDirectory(previous, record.directory)) {
            CopyText(undo.aboveDir, directory);
            return true;
        }
        CopyText(directory, previous);
    }
    undo.above.Clear();
    return false;
}

void KeptPath(const char* installation, const char* name, char (&path)[260]) {
    JoinPath(path, installation, kKeptDirName);
    AppendText(path, name);
}

void DescribeTarget(const ListEntry& entry, char (&text)[300]) {
    switch (entry.kind) {
    case ListKind::Profile:
    case ListKind::Registry:
        CopyText(text, "[");
        AppendText(text, entry.field[1]);
        AppendText(text, "] ");
        AppendText(text, entry.field[2]);
        break;
    default:
        CopyText(text, entry.field[0]);
        break;
    }
}

void Refuse(ListEntry& entry, const char* why, UninstallTally& tally) {
    char target[300];
    DescribeTarget(entry, target);
    LogParts("Refused ", target, ": ", why);
    entry.drop = true;
    ++tally.refused;
}

// ---- Handing over to the installation above

// What becomes of the kept copies once the installation above has taken the list over.
struct KeptMove {
    int own;         // the entry of this installation
    char from[16];   // its kept copy, moved to the installation above
    char to[16];
    char gone[16];   // the copy the installation above kept of this one's file, deleted
};

// A name for a kept copy that is free in the installation above.
void FreeKeptName(const char* installation, const char* wanted, char (&name)[16], int& next) {
    char path[260];
    CopyText(name, wanted);
    KeptPath(installation, name, path);
    while (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        wsprintfA(name, "%08d.KEP", 50000000 + next++);
        KeptPath(installation, name, path);
    }
}

}  // namespace

UniqueRegKey OpenForWriting(const RegistryLocation& location) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(location.root, location.subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                        nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return UniqueRegKey();
    return UniqueRegKey(opened);
}

bool PrepareListUndo(const UninstallRecord& record, ListUndo& undo) {
    if (!undo.own.Load(record.listPath)) return false;
    undo.hasAbove = FindAbove(record, undo);
    const char* previous = undo.own.Previous();
    char recordPath[260];
    if (previous[0] && JoinPath(recordPath, previous, ResourceText<32>(IDS_UNINSTALL_RECORD_NAME)) &&
        FileExists(recordPath) && LoadListIn(previous, undo.below)) {
        CopyText(undo.belowDir, previous);
        undo.hasBelow = true;
    }
    if (undo.own.Unreadable() > 0) {
        char count[16];
        wsprintfA(count, "%d", undo.own.Unreadable());
        LogParts("Refused ", count, " lines of the list that are not entries.");
        // Each one counts, so that the user hears of a damaged list.
    }
    return true;
}

void HandOverShared(const UninstallRecord& record, ListUndo& undo, UninstallTally& tally) {
    if (!undo.hasAbove) return;
    LogParts("Another installation was made over this one, in ", undo.aboveDir);
    InstallList& own = undo.own;
    InstallList& above = undo.above;
    auto* moves = static_cast<KeptMove*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, (own.Count() + 1) * sizeof(KeptMove)));
    auto* handedEntries = static_cast<int*>(GlobalAlloc(GMEM_FIXED, (own.Count() + 1) * sizeof(int)));
    if (!moves || !handedEntries) {
        if (moves) GlobalFree(moves);
        if (handedEntries) GlobalFree(handedEntries);
        ++tally.failed;
        return;
    }
    int moveCount = 0, next = 1, handed = 0;
    for (int i = 0; i < own.Count(); ++i) {
        ListEntry& entry = own[i];
        if (entry.drop || entry.keep || entry.kind == ListKind::Previous) continue;
        int j = above.Find(entry);
        if (j < 0) continue;
        ListEntry& theirs = above[j];
        if (entry.kind == ListKind::File) {
            KeptMove& move = moves[moveCount++];
            move.own = i;
            if (Before(theirs, 1) == static_cast<char>(FileBefore::Kept)) CopyText(move.gone, theirs.field[2]);
            theirs.field[1] = entry.field[1];
            theirs.field[2] = "";
            if (Before(entry, 1) == static_cast<char>(FileBefore::Kept)) {
                CopyText(move.from, entry.field[2]);
                FreeKeptName(undo.aboveDir, move.from, move.to, next);
                theirs.field[2] = move.to;
            }
        } else if (entry.kind == ListKind::Profile || entry.kind == ListKind::Registry) {
            for (int field = 3; field < (entry.kind == ListKind::Profile ? 5 : 6); ++field)
                theirs.field[field] = entry.field[field];
        }
        entry.drop = true;
        handedEntries[handed++] = i;
    }
    // The installation above now stands on the one below this one.
    for (int j = 0; j < above.Count(); ++j)
        if (above[j].kind == ListKind::Previous) {
            above[j].field[0] = own.Previous();
            above[j].drop = own.Previous()[0] == '\0';
        }
    char abovePath[260];
    JoinPath(abovePath, undo.aboveDir, kInstallListName);
    if (!above.Save(abovePath)) {
        // Nothing was handed over: what both wrote stays, for a later run.
        for (int h = 0; h < handed; ++h) {
            own[handedEntries[h]].drop = false;
            own[handedEntries[h]].keep = true;
        }
        LogParts("Could not write the list of the installation in ", undo.aboveDir);
        ++tally.failed;
        GlobalFree(moves);
        GlobalFree(handedEntries);
        return;
    }
    for (int m = 0; m < moveCount; ++m) {
        char to[260];
        if (moves[m].gone[0]) {
            KeptPath(undo.aboveDir, moves[m].gone, to);
            DeleteFileA(to);
        }
        if (!moves[m].from[0]) continue;
        char from[260], directory[260];
        KeptPath(record.directory, moves[m].from, from);
        JoinPath(directory, undo.aboveDir, kKeptDirName);
        RemoveTrailingBackslash(directory);
        CreateDirectoryA(directory, nullptr);
        KeptPath(undo.aboveDir, moves[m].to, to);
        if (!MoveFileA(from, to) && !(CopyFileA(from, to, TRUE) && DeleteFileA(from)))
            LogParts("Could not hand over the kept copy ", from);
    }
    GlobalFree(handedEntries);
    GlobalFree(moves);
    char count[16];
    wsprintfA(count, "%d", handed);
    LogParts("Handed over to that installation what both wrote: ", count, " entries.");
    tally.left += handed;
}

namespace {

// ---- Values

bool Trimmed(const char* text, char (&out)[1024]) {
    while (*text == ' ' || *text == '\t') ++text;
    CopyText(out, text);
    size_t length = TextLength(out);
    while (length > 0 && (out[length - 1] == ' ' || out[length - 1] == '\t')) out[--length] = '\0';
    return true;
}

bool SameProfileText(const char* a, const char* b) {
    char left[1024], right[1024];
    Trimmed(a, left);
    Trimmed(b, right);
    return lstrcmpA(left, right) == 0;
}

// The entry as it stands; false when it is missing.
bool CurrentProfileValue(const char* file, const char* section, const char* key, char (&value)[1024]) {
    static const char kAbsent[] = "\x01\x02";
    GetPrivateProfileStringA(section, key, kAbsent, value, sizeof value, file);
    return lstrcmpA(value, kAbsent) != 0;
}

void UndoProfileEntry(ListEntry& entry, UninstallTally& tally) {
    const char *file = entry.field[0], *section = entry.field[1], *key = entry.field[2];
    if (!SetupWritesEntry(file, section, key)) return Refuse(entry, "Setup writes no such entry", tally);
    char name[300], now[1024];
    DescribeTarget(entry, name);
    if (!CurrentProfileValue(file, section, key, now) || !SameProfileText(now, entry.field[5])) {
        LogParts("Left ", name, " in ", file);
        LogParts("  it was changed since the installation");
        ++tally.left;
        entry.drop = true;
        return;
    }
    char before = Before(entry, 3);
    bool remove = before == static_cast<char>(ValueBefore::Missing);
    if (before != static_cast<char>(ValueBefore::Existed) && !remove) {
        LogParts("Left ", name, ": what stood there before is not known");
        ++tally.left;
        entry.drop = true;
        return;
    }
    bool done = WritePrivateProfileStringA(section, key, remove ? nullptr : entry.field[4], file) != 0;
    if (!done) LogParts("Could not restore ", name, " in ", file);
    else if (remove) LogParts("Removed ", name, " from ", file);
    else LogParts("Restored ", name, "=", entry.field[4]);
    tally.Count(done, remove);
    entry.drop = done;
    entry.failed = !done;
}

struct RegistryData {
    DWORD type;
    BYTE bytes[kValueSize];
    DWORD size;
};

bool DecodeData(const char* typeText, const char* hex, RegistryData& data) {
    data.type = static_cast<DWORD>(LeadingNumber(typeText));
    return BytesFromHex(hex, data.bytes, sizeof data.bytes, data.size);
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Two values are alike when their types and bytes are; a text's closing zeros do not count.
bool SameData(const RegistryData& a, const RegistryData& b) {
    DWORD sizeA = a.size, sizeB = b.size;
    if (IsText(a.type) && IsText(b.type)) {
        while (sizeA > 0 && a.bytes[sizeA - 1] == 0) --sizeA;
        while (sizeB > 0 && b.bytes[sizeB - 1] == 0) --sizeB;
    } else if (a.type != b.type) {
        return false;
    }
    if (sizeA != sizeB) return false;
    for (DWORD i = 0; i < sizeA; ++i)
        if (a.bytes[i] != b.bytes[i]) return false;
    return true;
}

bool CurrentRegistryValue(const RegistryLocation& location, const char* name, RegistryData& data) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(location.root, location.subkey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    UniqueRegKey key(opened);
    data.size = sizeof data.bytes;
    return RegQueryValueExA(key.Get(), name, nullptr, &data.type, data.bytes, &data.size) == ERROR_SUCCESS;
}

bool PutRegistryValue(const RegistryLocation& location, const char* name, const RegistryData* data) {
    UniqueRegKey key = OpenForWriting(location);
    if (!key) return false;
    if (!data) {
        LONG result = RegDeleteValueA(key.Get(), name);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    return RegSetValueExA(key.Get(), name, 0, data->type, data->bytes, data->size) == ERROR_SUCCESS;
}

void UndoRegistryValue(ListEntry& entry, UninstallTally& tally) {
    HKEY root = RootFromName(entry.field[0]);
    const RegistryLocation* location = root ? SetupWritesValue(root, entry.field[1], entry.field[2]) : nullptr;
    if (!location) return Refuse(entry, "Setup writes no such value", tally);
    static RegistryData written, now, old;
    const char* name = entry.field[2];
    char before = Before(entry, 3);
    if (!DecodeData(entry.field[6], entry.field[7], written) ||
        (before == static_cast<char>(ValueBefore::Existed) && !DecodeData(entry.field[4], entry.field[5], old)))
        return Refuse(entry, "its data are damaged", tally);
    if (!CurrentRegistryValue(*location, name, now) || !SameData(now, written)) {
        LogParts("Left value ", name, " of ", location->subkey);
        LogParts("  it was changed since the installation");
        ++tally.left;
        entry.drop = true;
        return;
    }
    bool remove = before == static_cast<char>(ValueBefore::Missing);
    if (!remove && before != static_cast<char>(ValueBefore::Existed)) {
        LogParts("Left value ", name, ": what stood there before is not known");
        ++tally.left;
        entry.drop = true;
        return;
    }
    bool done = PutRegistryValue(*location, name, remove ? nullptr : &old);
    if (!done) LogParts("Could not restore value ", name, " of ", location->subkey);
    else if (remove) LogParts("Removed value ", name, " from ", location->subkey);
    else LogParts("Restored value ", name, " of ", location->subkey);
    tally.Count(done, remove);
    entry.drop = done;
    entry.failed = !done;
}

// ---- Files

// The value that could not be put back and still names the file, if any.
const ListEntry* HoldingValue(const InstallList& list, const char* fileName) {
    static RegistryData data;
    for (int i = 0; i < list.Count(); ++i) {
        const ListEntry& entry = list[i];
        if (!entry.failed) continue;
        if (entry.kind == ListKind::Profile && NamesFile(entry.field[5], fileName)) return &entry;
        if (entry.kind == ListKind::Registry && DecodeData(entry.field[6], entry.field[7], data) && IsText(data.type)) {
            char text[kValueSize + 1];
            CopyBytes(text, data.bytes, data.size);
            text[data.size] = '\0';
            if (NamesFile(text, fileName)) return &entry;
        }
    }
    return nullptr;
}

bool SameContent(const char* a, const char* b) {
    UniqueFile first(CreateFileA(a, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    UniqueFile second(CreateFileA(b, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!first || !second || GetFileSize(first.Get(), nullptr) != GetFileSize(second.Get(), nullptr)) return false;
    static BYTE left[8192], right[8192];
    for (;;) {
        DWORD gotLeft = 0, gotRight = 0;
        if (!ReadFile(first.Get(), left, sizeof left, &gotLeft, nullptr) ||
            !ReadFile(second.Get(), right, sizeof right, &gotRight, nullptr) || gotLeft != gotRight)
            return false;
        if (gotLeft == 0) return true;
        for (DWORD i = 0; i < gotLeft; ++i)
            if (left[i] != right[i]) return false;
    }
}

bool IsProductProfile(const char* path) {
    char profile[260];
    ProductProfilePath(profile);
    return lstrcmpiA(profile, path) == 0;
}

void UndoFile(const UninstallRecord& record, InstallList& list, ListEntry& entry, UninstallTally& tally) {
    const char* path = entry.field[0];
    if (const char* why = RefusedFilePath(path, record.directory)) return Refuse(entry, why, tally);
    if (const ListEntry* holder = HoldingValue(list, FileNamePart(path))) {
        char value[300];
        DescribeTarget(*holder, value);
        LogParts("Left file ", path, ": it is named by ", value);
        ++tally.left;
        entry.keep = true;
        return;
    }
    char before = Before(entry, 1);
    bool exists = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    if (before == static_cast<char>(FileBefore::Left)) {
        if (exists) {
            LogParts("Left file ", path, ": it stood there before the installation");
            ++tally.left;
        }
        entry.drop = true;
        return;
    }
    if (before == static_cast<char>(FileBefore::Kept)) {
        char kept[260];
        if (!IsPlainFileName(entry.field[2]) || !JoinPath(kept, record.directory, kKeptDirName) ||
            !JoinPath(kept, kept, entry.field[2]))
            return Refuse(entry, "its kept copy is not one of this installation's", tally);
        if (GetFileAttributesA(kept) == INVALID_FILE_ATTRIBUTES) {
            LogParts("Left file ", path, ": its kept copy is missing");
            ++tally.left;
            entry.drop = true;
            return;
        }
        if (exists && SameContent(path, kept)) {
            DeleteFileA(kept);
            entry.drop = true;
            return;
        }
        if (IsFontFile(path)) RemoveFontResourceA(path);
        bool done = ChangeFileSoon(path, kept);
        LogParts(done ? "Restored file " : "Could not restore file, in use or read-only: ", path);
        if (done) DeleteFileA(kept);
        tally.Count(done, false);
        entry.drop = done;
        entry.failed = !done;
        return;
    }
    if (!exists) {
        entry.drop = true;
        return;
    }
    if (IsRunningProgram(path)) {
        LogParts("Left the running uninstaller ", path);
        ++tally.left;
        entry.drop = true;
        return;
    }
    if (IsFontFile(path)) RemoveFontResourceA(path);  // a font the setup loaded is still open
    bool removed = ChangeFileSoon(path);
    LogParts(removed ? "Removed file " : "Could not remove file, in use or read-only: ", path);
    tally.Count(removed, true);
    entry.drop = removed;
    entry.failed = !removed;
}

// ---- Program Manager

bool SameName(const char* a, UINT id) { return lstrcmpiA(a, ResourceText<128>(id)) == 0; }

// The items of the installation below in that group come back, as it made them: all of
// them, or the one of that name.
void RestoreItemsBelow(const ListUndo& undo, const char* group, const char* itemName) {
    if (!undo.hasBelow) return;
    for (int i = 0; i < undo.below.Count(); ++i) {
        const ListEntry& item = undo.below[i];
        if (item.kind != ListKind::Item || lstrcmpiA(item.field[0], group) != 0) continue;
        char name[128], program[260];
        ItemNameOf(item.field[1], name);
        if (!IsPlainFileName(name) || (itemName && lstrcmpiA(name, itemName) != 0)) continue;
        // Only a program of that installation's own.
        const char* comma = FindChar(item.field[1], ',');
        size_t length = comma ? static_cast<size_t>(comma - item.field[1]) : 0;
        CopyText(program, length + 1 < sizeof program ? length + 1 : sizeof program, item.field[1]);
        PathParts parts = SplitPath(program);
        char directory[260];
        CopyText(directory, parts.drive);
        AppendText(directory, parts.directory);
        if (!SameDirectory(directory, undo.belowDir)) continue;
        ProgmanSendCommand("AddItem", item.field[1]);
    }
}

bool BelowMadeGroup(const ListUndo& undo, const char* group) {
    if (!undo.hasBelow) return false;
    for (int i = 0; i < undo.below.Count(); ++i)
        if (undo.below[i].kind == ListKind::Group && lstrcmpiA(undo.below[i].field[0], group) == 0) return true;
    return false;
}

}  // namespace

void UndoValues(const UninstallRecord&, ListUndo& undo, UninstallTally& tally) {
    for (int i = 0; i < undo.own.Count(); ++i) {
        ListEntry& entry = undo.own[i];
        if (IsKind(entry, ListKind::Profile)) UndoProfileEntry(entry, tally);
        else if (IsKind(entry, ListKind::Registry)) UndoRegistryValue(entry, tally);
    }
}

void UndoProgmanItems(const UninstallRecord&, ListUndo& undo, UninstallTally& tally) {
    InstallList& list = undo.own;
    bool any = false;
    for (int i = 0; i < list.Count(); ++i)
        any = any || IsKind(list[i], ListKind::Group) || IsKind(list[i], ListKind::Item);
    if (!any) return;
    if (!ProgmanConnect()) {
        LogParts("Connection to Progman failed: the K-VOX group is left.");
        ++tally.failed;
        return;
    }
    char startup[64];
    ReadStartupGroupName(startup);
    for (int i = 0; i < list.Count(); ++i) {
        ListEntry& group = list[i];
        if (!IsKind(group, ListKind::Group)) continue;
        if (!SameName(group.field[0], IDS_PRODUCT_NAME)) {
            Refuse(group, "not the package's group", tally);
            continue;
        }
        bool sent = ProgmanSendCommand("DeleteGroup", group.field[0]) != 0;
        LogParts(sent ? "Removed Progman group " : "Could not remove Progman group ", group.field[0]);
        tally.Count(sent, true);
        group.drop = sent;
        group.failed = !sent;
        if (sent && BelowMadeGroup(undo, group.field[0])) {
            ProgmanCreateGroup(group.field[0]);
            RestoreItemsBelow(undo, group.field[0], nullptr);
            LogParts("Made the group again for the installation in ", undo.belowDir);
        }
    }
    for (int i = 0; i < list.Count(); ++i) {
        ListEntry& item = list[i];
        if (!IsKind(item, ListKind::Item)) continue;
        const char* group = item.field[0];
        if (SameName(group, IDS_PRODUCT_NAME)) {
            item.drop = true;  // went with its group
            continue;
        }
        if (lstrcmpiA(group, startup) != 0) {
            Refuse(item, "not in a group the setup uses", tally);
            continue;
        }
        char name[128];
        ItemNameOf(item.field[1], name);
        // A name with a directory in it would name a shortcut outside the group.
        if (!IsPlainFileName(name)) {
            Refuse(item, "not an item's name", tally);
            continue;
        }
        // The item is named within the group that was shown last.
        bool sent = ProgmanSendCommand("ShowGroup", group, ",1") != 0 && ProgmanSendCommand("DeleteItem", name) != 0;
        LogParts(sent ? "Removed start-up item " : "Could not remove start-up item ", name);
        tally.Count(sent, true);
        item.drop = sent;
        item.failed = !sent;
        if (sent) RestoreItemsBelow(undo, group, name);
    }
    ProgmanDisconnect();
}

void UndoFiles(const UninstallRecord& record, ListUndo& undo, UninstallTally& tally) {
    InstallList& list = undo.own;
    for (int i = 0; i < list.Count(); ++i)
        if (IsKind(list[i], ListKind::File) && !IsProductProfile(list[i].field[0])) UndoFile(record, list, list[i], tally);
    // k-vox.ini tells a later setup that the package is installed here: it goes only when
    // everything else has.
    for (int i = 0; i < list.Count(); ++i) {
        if (!IsKind(list[i], ListKind::File) || !IsProductProfile(list[i].field[0])) continue;
        if (tally.failed == 0) {
            UndoFile(record, list, list[i], tally);
        } else {
            LogParts("Left ", list[i].field[0], ": it still names this installation for the next run");
            list[i].keep = true;
        }
    }
}

void FinishListUndo(const UninstallRecord& record, ListUndo& undo, const UninstallTally& tally) {
    if (tally.failed > 0) {
        if (!undo.own.Save(record.listPath)) LogParts("Could not write the list of what is left to do.");
        LogParts("The uninstall record and the list are kept for another run.");
        return;
    }
    char kept[260];
    JoinPath(kept, record.directory, kKeptDirName);
    RemoveTrailingBackslash(kept);
    RemoveDirectoryA(kept);
    DeleteFileA(record.listPath);
}
