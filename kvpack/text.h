// Text helpers: views into the bytes of setup1.inf, comparisons the way the profile
// functions make them, numbers, and a builder for the texts kvpack writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "memory.h"

using Text = std::string_view;
using Bytes = std::span<const uint8_t>;

inline Text AsText(Bytes bytes) { return {reinterpret_cast<const char*>(bytes.data()), bytes.size()}; }
inline Bytes AsBytes(Text text) { return {reinterpret_cast<const uint8_t*>(text.data()), text.size()}; }

// `count` characters from `from`, both held to the text (never out of range).
Text Slice(Text text, size_t from, size_t count = Text::npos);

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
Text TrimBlanks(Text text);
Text TrimTrailingBlanks(Text text);

inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal without regard to the case of Latin letters, as the profile functions compare
// section and key names and as a FAT directory compares file names.
bool SameText(Text a, Text b);
bool StartsWithText(Text text, Text prefix);
bool EndsWithText(Text text, Text suffix);

// A whole decimal number without sign; false for anything else or a value beyond 32 bits.
bool ParseDecimal(Text text, uint32_t& value);

// Parses "1440K", "720k", "2M" or a number of bytes.
bool ParseSize(Text text, uint64_t& bytes);

// A text assembled piece by piece in the arena; it always ends in a zero.
class TextBuilder {
public:
    explicit TextBuilder(Arena& arena, size_t capacity = 256);

    TextBuilder& Add(Text text);
    TextBuilder& Add(char c);
    TextBuilder& Add(uint64_t number);
    TextBuilder& Add(uint32_t number) { return Add(static_cast<uint64_t>(number)); }
    TextBuilder& Add(int number);
    TextBuilder& Add(const char* text) { return Add(Text(text)); }
    // The number in hexadecimal, `digits` wide with leading zeros.
    TextBuilder& AddHex(uint32_t number, int digits);
    // The text, then blanks up to `width` characters.
    TextBuilder& AddPadded(Text text, size_t width);
    TextBuilder& AddPadded(uint64_t number, size_t width, bool right = true);

    Text text() const { return {data_, size_}; }
    const char* c_str() const { return data_; }
    size_t size() const { return size_; }
    void Clear();

private:
    void Reserve(size_t more);

    Arena* arena_;
    char* data_;
    size_t size_ = 0;
    size_t capacity_;
};

// A zero-terminated copy of a text, for the platform's calls.
const char* Terminated(Arena& arena, Text text);

// A path: the directory, the separator of the system, the name.
const char* JoinPath(Arena& arena, Text directory, Text name);
