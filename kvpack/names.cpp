// File names.
#include "names.h"

namespace {

// Where the extension's dot stands, or npos.
size_t ExtensionDot(Text name) { return name.rfind('.'); }

// Characters a DOS name may hold besides letters and digits; bytes above 127 are allowed too.
bool IsShortNameCharacter(char c) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 128) return true;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    for (char allowed : Text("!#$%&'()-@^_`{}~"))
        if (c == allowed) return true;
    return false;
}

Text WithCase(Arena& arena, Text name, char (*change)(char)) {
    TextBuilder out(arena, name.size());
    for (char c : name) out.Add(change(c));
    return out.text();
}

}  // namespace

Text CompressedName(Arena& arena, Text name) {
    TextBuilder out(arena, name.size() + 2);
    size_t dot = ExtensionDot(name);
    if (dot == Text::npos || name.size() - dot <= 2) {
        out.Add(Slice(name, 0, dot)).Add("._");
    } else {
        out.Add(Slice(name, 0, name.size() - 1)).Add('_');
    }
    return out.text();
}

char ReplacedCharacter(Text name) {
    size_t dot = ExtensionDot(name);
    if (dot == Text::npos || name.size() - dot <= 2) return '\0';
    return name.back();
}

const char* ShortNameProblem(Text name) {
    if (name.empty()) return "the name is empty";
    size_t dot = ExtensionDot(name);
    Text base = Slice(name, 0, dot);
    Text extension = dot == Text::npos ? Text() : Slice(name, dot + 1);
    if (base.empty()) return "the name has nothing before its dot";
    if (base.find('.') != Text::npos) return "the name has more than one dot";
    if (base.size() > 8) return "the name has more than 8 characters before its dot";
    if (extension.size() > 3) return "the extension has more than 3 characters";
    for (char c : name)
        if (c != '.' && !IsShortNameCharacter(c))
            return c == ' ' ? "the name holds a blank" : "the name holds a character DOS names cannot have";
    return nullptr;
}

Text UpperName(Arena& arena, Text name) { return WithCase(arena, name, UpperAscii); }

Text LowerName(Arena& arena, Text name) { return WithCase(arena, name, LowerAscii); }

bool MatchesPattern(Text name, Text pattern) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*') {
        for (size_t skip = 0; skip <= name.size(); ++skip)
            if (MatchesPattern(Slice(name, skip), Slice(pattern, 1))) return true;
        return false;
    }
    if (name.empty()) return false;
    if (pattern[0] != '?' && UpperAscii(pattern[0]) != UpperAscii(name[0])) return false;
    return MatchesPattern(Slice(name, 1), Slice(pattern, 1));
}
