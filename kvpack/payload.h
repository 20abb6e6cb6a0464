// The payload of a package: the files beside setup1.inf, those under its payload folder,
// and those of any further payload folders, found by name without regard to case, as the
// setup finds them on a disk.
#pragma once

#include <cstdint>

#include "memory.h"
#include "text.h"

struct PayloadFile {
    Text name;          // as the folder spells it
    const char* path;
    uint64_t size;      // as stored
    Bytes bytes;        // read on first use
    bool loaded;
};

// A listed file found in the payload: under its own name, or only under its compressed one.
struct Source {
    PayloadFile* file;
    bool compressed;
};

class Payload {
public:
    explicit Payload(Arena& arena) : arena_(&arena), files_(arena) {}

    // Adds the directory's files, and with `recursive` those of its folders; false when it
    // cannot be read.
    bool AddDirectory(const char* path, bool recursive);

    // The first file of this name, or null; `count` receives how many there are.
    PayloadFile* Find(Text name, size_t* count = nullptr);
    // The files of this name after the first.
    template <typename Visit>
    void ForEachOther(Text name, Visit visit) {
        bool first = true;
        for (PayloadFile& file : files_)
            if (SameText(file.name, name)) {
                if (!first) visit(file);
                first = false;
            }
    }

    // The file under its own name, else under its compressed name; file null when neither.
    Source Resolve(Text name);

    // The stored bytes; empty when the file cannot be read (`readable` says which).
    Bytes Load(PayloadFile& file, bool* readable = nullptr);
    // The bytes as installed: expanded when stored compressed.
    bool Installed(const Source& source, Bytes& bytes);
    // The size as installed: a compressed file's as LZ32 expands it.
    bool InstalledSize(const Source& source, uint64_t& size);

private:
    Arena* arena_;
    ArenaList<PayloadFile> files_;
};
