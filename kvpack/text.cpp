// Text helpers.
#include "text.h"

#include "platform.h"

Text Slice(Text text, size_t from, size_t count) {
    if (from > text.size()) from = text.size();
    size_t left = text.size() - from;
    return {text.data() + from, count < left ? count : left};
}

Text TrimTrailingBlanks(Text text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return Slice(text, 0, end);
}

Text TrimBlanks(Text text) {
    size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin])) ++begin;
    return TrimTrailingBlanks(Slice(text, begin));
}

bool SameText(Text a, Text b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

bool StartsWithText(Text text, Text prefix) {
    return text.size() >= prefix.size() && SameText(Slice(text, 0, prefix.size()), prefix);
}

bool EndsWithText(Text text, Text suffix) {
    return text.size() >= suffix.size() && SameText(Slice(text, text.size() - suffix.size()), suffix);
}

bool ParseDecimal(Text text, uint32_t& value) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    if (number > 0xFFFFFFFFu) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

bool ParseSize(Text text, uint64_t& bytes) {
    uint64_t unit = 1;
    if (!text.empty() && (UpperAscii(text.back()) == 'K' || UpperAscii(text.back()) == 'M')) {
        unit = UpperAscii(text.back()) == 'K' ? 1024 : 1024 * 1024;
        text = Slice(text, 0, text.size() - 1);
    }
    uint32_t number = 0;
    if (!ParseDecimal(text, number) || number == 0) return false;
    bytes = number * unit;
    return true;
}

TextBuilder::TextBuilder(Arena& arena, size_t capacity)
    : arena_(&arena), data_(static_cast<char*>(arena.Allocate(capacity + 1))), capacity_(capacity) {}

void TextBuilder::Reserve(size_t more) {
    if (size_ + more <= capacity_) return;
    size_t capacity = capacity_ * 2 > size_ + more ? capacity_ * 2 : size_ + more;
    auto* data = static_cast<char*>(arena_->Allocate(capacity + 1));
    for (size_t i = 0; i < size_; ++i) data[i] = data_[i];
    data_ = data;
    capacity_ = capacity;
}

TextBuilder& TextBuilder::Add(Text text) {
    Reserve(text.size());
    for (char c : text) data_[size_++] = c;
    data_[size_] = '\0';
    return *this;
}

TextBuilder& TextBuilder::Add(char c) { return Add(Text(&c, 1)); }

TextBuilder& TextBuilder::Add(uint64_t number) {
    char digits[24];
    size_t count = 0;
    do {
        digits[sizeof digits - 1 - count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number);
    return Add(Text(digits + sizeof digits - count, count));
}

TextBuilder& TextBuilder::Add(int number) {
    if (number < 0) Add('-');
    return Add(static_cast<uint64_t>(number < 0 ? -static_cast<int64_t>(number) : number));
}

TextBuilder& TextBuilder::AddHex(uint32_t number, int digits) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) Add(kDigits[(number >> shift) & 0xF]);
    return *this;
}

TextBuilder& TextBuilder::AddPadded(Text text, size_t width) {
    Add(text);
    for (size_t i = text.size(); i < width; ++i) Add(' ');
    return *this;
}

TextBuilder& TextBuilder::AddPadded(uint64_t number, size_t width, bool right) {
    char digits[24];
    size_t count = 0;
    do {
        digits[sizeof digits - 1 - count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number);
    Text text(digits + sizeof digits - count, count);
    if (right)
        for (size_t i = count; i < width; ++i) Add(' ');
    Add(text);
    if (!right)
        for (size_t i = count; i < width; ++i) Add(' ');
    return *this;
}

void TextBuilder::Clear() {
    size_ = 0;
    data_[0] = '\0';
}

const char* Terminated(Arena& arena, Text text) { return TextBuilder(arena, text.size()).Add(text).c_str(); }

const char* JoinPath(Arena& arena, Text directory, Text name) {
    TextBuilder path(arena, directory.size() + name.size() + 1);
    path.Add(directory);
    if (!directory.empty() && directory.back() != '/' && directory.back() != platform::kPathSeparator)
        path.Add(platform::kPathSeparator);
    return path.Add(name).c_str();
}
