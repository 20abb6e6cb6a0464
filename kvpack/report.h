// What kvpack has to say about a package, in the form compilers use:
// "setup1.inf:123: error: ...", sorted by line, the same message said once.
#pragma once

#include <cstdint>

#include "memory.h"
#include "text.h"

enum class Severity : uint8_t { Note, Warning, Error };

struct Diagnostic {
    uint32_t line;
    uint32_t order;
    Severity severity;
    Text message;
};

class Report {
public:
    Report(Arena& arena, Text file) : arena_(&arena), file_(file), entries_(arena) {}

    // `line` 0: the file as a whole; `message` must outlive the report (arena text).
    void Add(Severity severity, uint32_t line, Text message);
    void Error(uint32_t line, Text message) { Add(Severity::Error, line, message); }
    void Warning(uint32_t line, Text message) { Add(Severity::Warning, line, message); }
    void Note(uint32_t line, Text message) { Add(Severity::Note, line, message); }

    // A builder in the report's arena, for a message.
    TextBuilder Message() { return TextBuilder(*arena_); }

    size_t errors() const { return errors_; }
    size_t warnings() const { return warnings_; }

    // Every message, then a count of errors and warnings when there are any.
    void Print() const;

    const ArenaList<Diagnostic>& diagnostics() const { return entries_; }

private:
    Arena* arena_;
    Text file_;
    ArenaList<Diagnostic> entries_;
    size_t errors_ = 0;
    size_t warnings_ = 0;
};
