// Collecting and printing kvpack's messages.
#include "report.h"

#include <algorithm>

#include "platform.h"

void Report::Add(Severity severity, uint32_t line, Text message) {
    for (const Diagnostic& entry : entries_)
        if (entry.line == line && entry.severity == severity && entry.message == message) return;
    entries_.Add({line, static_cast<uint32_t>(entries_.size()), severity, message});
    if (severity == Severity::Error) ++errors_;
    if (severity == Severity::Warning) ++warnings_;
}

void Report::Print() const {
    auto sorted = arena_->Array<Diagnostic>(entries_.size());
    std::copy(entries_.begin(), entries_.end(), sorted.begin());
    std::sort(sorted.begin(), sorted.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return a.line != b.line ? a.line < b.line : a.order < b.order;
    });
    TextBuilder out(*arena_, 4096);
    for (const Diagnostic& entry : sorted) {
        out.Add(file_).Add(':');
        if (entry.line) out.Add(entry.line).Add(':');
        static constexpr const char* kSeverity[] = {" note: ", " warning: ", " error: "};
        out.Add(kSeverity[static_cast<int>(entry.severity)]).Add(entry.message).Add('\n');
    }
    if (errors_ || warnings_)
        out.Add("kvpack: ").Add(static_cast<uint64_t>(errors_)).Add(errors_ == 1 ? " error, " : " errors, ")
            .Add(static_cast<uint64_t>(warnings_)).Add(warnings_ == 1 ? " warning\n" : " warnings\n");
    platform::Write(platform::Stream::Error, out.c_str(), out.size());
}
