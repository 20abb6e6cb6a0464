// The names in the current source directory, read once per directory and disk. A file is
// then opened by its name as the disk spells it, and a name that is not there is not opened
// at all: on a disk the system searches without regard to case (Wine, a server), each miss
// costs a pass over the whole directory, a thousand times over for a large package.
#include <windows.h>

#include "base/text.h"
#include "copy/copy.h"

namespace {

constexpr size_t kNamesSize = 64 * 1024;
constexpr int kMaxNames = 4096;

struct Listing {
    char directory[260];
    char names[kNamesSize];
    const char* sorted[kMaxNames];
    int count;
    bool valid;
    bool complete;  // every name fitted: a name not found is not there
};
// Taken from the system on first use and kept to the end of the program; without it every
// name is tried as it is written.
Listing* g_listing = nullptr;

BOOL NextEntry(HANDLE find, WIN32_FIND_DATAA* entry) {
    return g_findNextFileForTesting ? g_findNextFileForTesting(find, entry) : FindNextFileA(find, entry);
}

void SortNames(Listing& l) {
    for (int gap = l.count / 2; gap > 0; gap /= 2)
        for (int i = gap; i < l.count; ++i)
            for (int j = i; j >= gap && CompareNames(l.sorted[j - gap], l.sorted[j]) > 0; j -= gap) {
                const char* swap = l.sorted[j];
                l.sorted[j] = l.sorted[j - gap];
                l.sorted[j - gap] = swap;
            }
}

void ReadListing(const char* directory) {
    Listing& l = *g_listing;
    CopyText(l.directory, directory);
    l.count = 0;
    l.complete = true;
    l.valid = true;
    char pattern[260];
    CopyText(pattern, directory);
    AppendText(pattern, "*.*");
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(pattern, &entry);
    if (find == INVALID_HANDLE_VALUE) {
        l.complete = false;  // unreadable: every file is tried as it is named
        return;
    }
    size_t used = 0;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        // A long name is also known by its short alias: misses are then left to the system.
        if (entry.cAlternateFileName[0] && lstrcmpiA(entry.cAlternateFileName, entry.cFileName) != 0)
            l.complete = false;
        size_t length = TextLength(entry.cFileName) + 1;
        if (l.count == kMaxNames || used + length > kNamesSize) {
            l.complete = false;
            break;
        }
        CopyText(l.names + used, length, entry.cFileName);
        l.sorted[l.count++] = l.names + used;
        used += length;
    } while (NextEntry(find, &entry));
    // Only the end of the directory makes the listing whole: after any other error names
    // may be missing from it.
    if (GetLastError() != ERROR_NO_MORE_FILES) l.complete = false;
    FindClose(find);
    SortNames(l);
}

const char* Find(const char* name) {
    const Listing& l = *g_listing;
    int low = 0, high = l.count - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        int order = CompareNames(name, l.sorted[middle]);
        if (order == 0) return l.sorted[middle];
        if (order < 0) high = middle - 1;
        else low = middle + 1;
    }
    return nullptr;
}

}  // namespace

BOOL(WINAPI* g_findNextFileForTesting)(HANDLE find, WIN32_FIND_DATAA* entry) = nullptr;

void ForgetSourceListing() {
    if (g_listing) g_listing->valid = false;
}

// A name with a directory part, or with letters beyond A to Z whose case the listing would
// not fold, is left to the system to find; so is a name ending in a blank or a dot, which
// the system drops when it opens the file.
bool ListingCanAnswer(const char* name) {
    char last = '\0';
    for (; *name; ++name) {
        if (*name == '\\' || *name == '/' || static_cast<unsigned char>(*name) >= 0x80) return false;
        last = *name;
    }
    return last != ' ' && last != '.';
}

SourceName FindInSource(const char* directory, const char* name, char (&spelled)[260]) {
    CopyText(spelled, name);
    if (!ListingCanAnswer(name)) return SourceName::Unknown;
    if (!g_listing) g_listing = static_cast<Listing*>(LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, sizeof(Listing)));
    if (!g_listing) return SourceName::Unknown;
    if (!g_listing->valid || lstrcmpiA(g_listing->directory, directory) != 0) ReadListing(directory);
    if (const char* found = Find(name)) {
        CopyText(spelled, found);
        return SourceName::Present;
    }
    return g_listing->complete ? SourceName::Absent : SourceName::Unknown;
}
