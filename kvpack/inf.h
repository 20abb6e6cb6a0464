// setup1.inf as the setup's profile functions see it: sections of key=value lines, names
// compared without regard to case, the first of two equal names winning. Every key keeps
// its line number and where its value stands in the file, so that kvpack can name the line
// of a mistake and rewrite a value in place.
#pragma once

#include <cstdint>

#include "memory.h"
#include "text.h"

struct InfKey {
    Text name;            // blanks around it dropped
    Text value;           // as the setup reads it: blanks around it and one pair of quotes dropped
    uint32_t line;        // from 1
    size_t valueOffset;   // where `value` begins in the file's bytes
    bool hasEquals;       // a line without "=" is no key to some profile readers
};

struct InfSection {
    Text name;
    uint32_t line;        // of its header
    size_t firstKey;      // its keys in Inf::keys()
    size_t keyCount;
    size_t endOffset;     // just after its last line, where a new key line goes
    bool repeated;        // another section of this name comes first: the setup never reads this one
};

// A line the profile functions pass over, or a name written twice.
struct InfOddity {
    uint32_t line;
    enum class Kind { OutsideSection, BadHeader, NoEquals, RepeatedSection, RepeatedKey } kind;
    Text text;
};

class Inf {
public:
    Inf(Arena& arena, Bytes bytes);

    Bytes bytes() const { return bytes_; }
    // The first section of this name, or null.
    const InfSection* Find(Text section) const;
    std::span<const InfKey> Keys(const InfSection& section) const;
    std::span<const InfKey> Keys(Text section) const;
    // The first key of this name in the section, or null.
    const InfKey* FindKey(const InfSection* section, Text key) const;
    const InfKey* FindKey(Text section, Text key) const { return FindKey(Find(section), key); }
    const ArenaList<InfSection>& sections() const { return sections_; }
    const ArenaList<InfOddity>& oddities() const { return oddities_; }
    // "\r\n" when the file's lines end so, else "\n".
    Text lineEnd() const { return lineEnd_; }

    // The length of the section's key list as the setup reads it: every name with its
    // zero, and the zero that ends the list.
    size_t KeyListLength(const InfSection& section) const;

private:
    void ParseLine(Text line, uint32_t number, size_t offset, size_t end);
    void NoteRepeats();

    Bytes bytes_;
    ArenaList<InfSection> sections_;
    ArenaList<InfKey> keys_;
    ArenaList<InfOddity> oddities_;
    Text lineEnd_ = "\r\n";
};

// The value's text as the setup reads it into a buffer of `size` characters: cut to size - 1.
inline Text AsRead(Text value, size_t size) { return Slice(value, 0, size - 1); }

// Member `member` (from 1) of a list, the setup's way: blanks after a separator are no part
// of the next member, blanks at the start of member 1 and the end of any member are.
// False when the list has fewer members. `offset` receives where the member begins.
bool ListMember(Text list, int member, char separator, Text& out, size_t* offset = nullptr);
int ListMemberCount(Text list, char separator);
