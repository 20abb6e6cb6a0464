// Opening a package folder.
#include "package.h"

#include "names.h"
#include "platform.h"
#include "resources/inf_schema.h"

namespace {

struct NameSearch {
    Arena* arena;
    Text wanted;
    const char* found;
};

void MatchName(void* context, const char* name, bool isDirectory) {
    auto& search = *static_cast<NameSearch*>(context);
    if (!isDirectory && !search.found && SameText(name, search.wanted)) search.found = Terminated(*search.arena, name);
}

// The file of this name in the directory, in whatever case the directory spells it.
const char* FindInDirectory(Arena& arena, const char* directory, Text name) {
    NameSearch search{&arena, name, nullptr};
    platform::ListDirectory(directory, MatchName, &search);
    return search.found ? JoinPath(arena, directory, search.found) : nullptr;
}

bool ReadWhole(Arena& arena, const char* path, Bytes& bytes) {
    uint64_t size = 0;
    if (!platform::FileSize(path, size)) return false;
    auto buffer = arena.Array<uint8_t>(static_cast<size_t>(size));
    if (!platform::ReadFile(path, buffer)) return false;
    bytes = buffer;
    return true;
}

void ReadCompressList(Package& package) {
    package.compressListPath = FindInDirectory(package.arena, package.directory, kCompressList);
    Bytes bytes;
    if (!package.compressListPath || !ReadWhole(package.arena, package.compressListPath, bytes)) return;
    package.compressListPresent = true;
    Text text = AsText(bytes);
    uint32_t number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == Text::npos) end = text.size();
        ++number;
        Text line = TrimBlanks(Slice(text, start, end - start));
        if (!line.empty() && line.back() == '\r') line = TrimBlanks(Slice(line, 0, line.size() - 1));
        if (!line.empty() && line[0] != ';') package.compressPatterns.Add({line, number});
        start = end + 1;
    }
}

}  // namespace

Package::Package(Arena& arena_, const char* directory_, const char* infPath_, Bytes infBytes)
    : arena(arena_),
      directory(directory_),
      infPath(infPath_),
      inf(arena_, infBytes),
      payload(arena_),
      plan(arena_),
      compressPatterns(arena_) {}

bool ReadSetupInf(Arena& arena, const char* directory, const char*& path, Bytes& bytes) {
    path = FindInDirectory(arena, directory, INF_FILE_NAME);
    return path && ReadWhole(arena, path, bytes);
}

void OpenPackage(Package& package, std::span<const char* const> extraPayload, Report& report) {
    package.payload.AddDirectory(package.directory, false);
    const char* folder = JoinPath(package.arena, package.directory, kPayloadFolder);
    if (platform::IsDirectory(folder) && !package.payload.AddDirectory(folder, true))
        report.Error(0, report.Message().Add("cannot read the payload folder ").Add(folder).text());
    for (const char* extra : extraPayload)
        if (!package.payload.AddDirectory(extra, true))
            report.Error(0, report.Message().Add("cannot read the payload folder ").Add(extra).text());
    ReadCompressList(package);
    WalkCopyPlan(package.arena, package.inf, package.plan);
}

bool ListedForCompression(const Package& package, Text name) {
    for (const Package::Pattern& pattern : package.compressPatterns)
        if (MatchesPattern(name, pattern.text)) return true;
    return false;
}
