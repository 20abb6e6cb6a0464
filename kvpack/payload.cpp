// Finding and reading the payload's files.
#include "payload.h"

#include "names.h"
#include "platform.h"
#include "szdd.h"

namespace {

struct Listing {
    Payload* payload;
    Arena* arena;
    const char* directory;
    bool recursive;
    ArenaList<PayloadFile>* files;
    bool complete = true;
};

void VisitEntry(void* context, const char* name, bool isDirectory) {
    auto& listing = *static_cast<Listing*>(context);
    const char* path = JoinPath(*listing.arena, listing.directory, name);
    if (isDirectory) {
        if (listing.recursive && !listing.payload->AddDirectory(path, true)) listing.complete = false;
        return;
    }
    uint64_t size = 0;
    if (!platform::FileSize(path, size)) return;
    listing.files->Add({Text(Terminated(*listing.arena, name)), path, size, Bytes(), false});
}

}  // namespace

bool Payload::AddDirectory(const char* path, bool recursive) {
    Listing listing{this, arena_, path, recursive, &files_};
    return platform::ListDirectory(path, VisitEntry, &listing) && listing.complete;
}

PayloadFile* Payload::Find(Text name, size_t* count) {
    PayloadFile* first = nullptr;
    size_t found = 0;
    for (PayloadFile& file : files_)
        if (SameText(file.name, name)) {
            if (!first) first = &file;
            ++found;
        }
    if (count) *count = found;
    return first;
}

Source Payload::Resolve(Text name) {
    if (PayloadFile* file = Find(name)) return {file, false};
    return {Find(CompressedName(*arena_, name)), true};
}

Bytes Payload::Load(PayloadFile& file, bool* readable) {
    if (!file.loaded) {
        auto buffer = arena_->Array<uint8_t>(static_cast<size_t>(file.size));
        file.loaded = platform::ReadFile(file.path, buffer);
        file.bytes = file.loaded ? Bytes(buffer) : Bytes();
    }
    if (readable) *readable = file.loaded;
    return file.bytes;
}

bool Payload::Installed(const Source& source, Bytes& bytes) {
    bool readable = false;
    Bytes stored = Load(*source.file, &readable);
    if (!readable) return false;
    if (!source.compressed) {
        bytes = stored;
        return true;
    }
    return SzddExpand(*arena_, stored, bytes);
}

bool Payload::InstalledSize(const Source& source, uint64_t& size) {
    if (!source.compressed) {
        size = source.file->size;
        return true;
    }
    Bytes expanded;
    if (!Installed(source, expanded)) return false;
    size = expanded.size();
    return true;
}
