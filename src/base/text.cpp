// Text helpers that do not fit on one line.
#include "base/text.h"

int32_t LeadingNumber(const char* text) {
    while (*text == ' ' || *text == '\t') ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    // The magnitude stops at the limit of its sign: more digits cannot be held in 32 bits.
    const uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    uint32_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        uint32_t digit = static_cast<uint32_t>(*text - '0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

namespace {

void CopyRange(char* dest, size_t size, const char* begin, const char* end) {
    size_t length = static_cast<size_t>(end - begin);
    if (length + 1 > size) length = size - 1;
    for (size_t i = 0; i < length; ++i) dest[i] = begin[i];
    dest[length] = '\0';
}

}  // namespace

PathParts SplitPath(const char* path) {
    PathParts parts{};
    const char* cursor = path;
    if (cursor[0] && cursor[1] == ':') {
        CopyRange(parts.drive, sizeof parts.drive, cursor, cursor + 2);
        cursor += 2;
    }
    // The directory runs to the last separator, the extension from the last dot after it.
    const char* nameStart = cursor;
    for (const char* c = cursor; *c; ++c)
        if (*c == '\\' || *c == '/') nameStart = c + 1;
    const char* end = nameStart + TextLength(nameStart);
    const char* dot = end;
    for (const char* c = nameStart; *c; ++c)
        if (*c == '.') dot = c;
    CopyRange(parts.directory, sizeof parts.directory, cursor, nameStart);
    CopyRange(parts.name, sizeof parts.name, nameStart, dot);
    CopyRange(parts.extension, sizeof parts.extension, dot, end);
    return parts;
}
