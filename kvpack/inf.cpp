// Reading setup1.inf as the profile functions do.
#include "inf.h"

namespace {

bool IsLineBlank(char c) { return IsBlank(c) || c == '\r' || c == '\v' || c == '\f'; }

Text TrimLine(Text text, size_t* dropped = nullptr) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsLineBlank(text[begin])) ++begin;
    while (end > begin && IsLineBlank(text[end - 1])) --end;
    if (dropped) *dropped = begin;
    return Slice(text, begin, end - begin);
}

// The profile functions give a value without the one pair of quotes around it.
Text WithoutQuotes(Text value, size_t& offset) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        ++offset;
        return Slice(value, 1, value.size() - 2);
    }
    return value;
}

}  // namespace

Inf::Inf(Arena& arena, Bytes bytes) : bytes_(bytes), sections_(arena), keys_(arena), oddities_(arena) {
    Text text = AsText(bytes);
    size_t newline = text.find('\n');
    if (newline != Text::npos && (newline == 0 || text[newline - 1] != '\r')) lineEnd_ = "\n";
    uint32_t number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        size_t next = end == Text::npos ? text.size() : end + 1;
        ParseLine(Slice(text, start, (end == Text::npos ? text.size() : end) - start), ++number, start, next);
        start = next;
    }
    NoteRepeats();
}

void Inf::ParseLine(Text raw, uint32_t number, size_t offset, size_t end) {
    size_t dropped = 0;
    Text line = TrimLine(raw, &dropped);
    if (line.empty() || line[0] == ';') return;
    if (line[0] == '[') {
        size_t close = line.rfind(']');
        if (close == Text::npos) {
            oddities_.Add({number, InfOddity::Kind::BadHeader, line});
            return;
        }
        sections_.Add({TrimLine(Slice(line, 1, close - 1)), number, keys_.size(), 0, end, false});
        return;
    }
    if (!sections_.size()) {
        oddities_.Add({number, InfOddity::Kind::OutsideSection, line});
        return;
    }
    InfSection& section = sections_[sections_.size() - 1];
    section.endOffset = end;
    size_t equals = line.find('=');
    InfKey key{line, Text(), number, offset + dropped + line.size(), equals != Text::npos};
    if (key.hasEquals) {
        key.name = TrimLine(Slice(line, 0, equals));
        size_t valueStart = 0;
        Text value = TrimLine(Slice(line, equals + 1), &valueStart);
        key.valueOffset = offset + dropped + equals + 1 + valueStart;
        key.value = WithoutQuotes(value, key.valueOffset);
    } else {
        oddities_.Add({number, InfOddity::Kind::NoEquals, line});
    }
    keys_.Add(key);
    ++section.keyCount;
}

void Inf::NoteRepeats() {
    for (size_t i = 0; i < sections_.size(); ++i) {
        InfSection& section = sections_[i];
        for (size_t j = 0; j < i && !section.repeated; ++j)
            if (!sections_[j].repeated && SameText(sections_[j].name, section.name)) section.repeated = true;
        if (section.repeated) oddities_.Add({section.line, InfOddity::Kind::RepeatedSection, section.name});
        auto keys = Keys(section);
        for (size_t k = 0; k < keys.size(); ++k)
            for (size_t l = 0; l < k; ++l)
                if (SameText(keys[l].name, keys[k].name)) {
                    oddities_.Add({keys[k].line, InfOddity::Kind::RepeatedKey, keys[k].name});
                    break;
                }
    }
}

const InfSection* Inf::Find(Text section) const {
    for (const InfSection& candidate : sections_)
        if (!candidate.repeated && SameText(candidate.name, section)) return &candidate;
    return nullptr;
}

std::span<const InfKey> Inf::Keys(const InfSection& section) const {
    return {keys_.begin() + section.firstKey, section.keyCount};
}

std::span<const InfKey> Inf::Keys(Text section) const {
    const InfSection* found = Find(section);
    return found ? Keys(*found) : std::span<const InfKey>();
}

const InfKey* Inf::FindKey(const InfSection* section, Text key) const {
    if (!section) return nullptr;
    for (const InfKey& candidate : Keys(*section))
        if (SameText(candidate.name, key)) return &candidate;
    return nullptr;
}

size_t Inf::KeyListLength(const InfSection& section) const {
    size_t length = 1;
    for (const InfKey& key : Keys(section)) length += key.name.size() + 1;
    return length;
}

bool ListMember(Text list, int member, char separator, Text& out, size_t* offset) {
    if (member < 1) return false;
    size_t begin = 0;
    for (int n = 1;; ++n) {
        size_t end = list.find(separator, begin);
        if (n == member) {
            out = Slice(list, begin, (end == Text::npos ? list.size() : end) - begin);
            if (offset) *offset = begin;
            return true;
        }
        if (end == Text::npos) return false;
        begin = end + 1;
        while (begin < list.size() && list[begin] == ' ') ++begin;
    }
}

int ListMemberCount(Text list, char separator) {
    int count = 1;
    for (char c : list)
        if (c == separator) ++count;
    return count;
}
