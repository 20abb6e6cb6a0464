// Compressing into and expanding from SZDD files.
#include "szdd.h"

namespace {

constexpr uint8_t kMagic[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr uint8_t kMethodA = 'A';
constexpr size_t kWindow = 4096;
constexpr size_t kWindowMask = kWindow - 1;
// The expander writes the first byte at this place of its window.
constexpr size_t kFirstPlace = kWindow - 16;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 18;
// How many earlier places with the same three bytes are tried; enough for the period's
// files, bounded for large ones.
constexpr int kChainLimit = 64;
constexpr size_t kHashSize = 1u << 14;

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

size_t Hash(const uint8_t* p) { return ((p[0] << 6) ^ (p[1] << 3) ^ p[2]) & (kHashSize - 1); }

// Finds the longest earlier run equal to the bytes at `at`, within the window.
struct Matcher {
    Bytes data;
    std::span<int32_t> head;   // last place of each hash, -1 for none
    std::span<int32_t> chain;  // earlier place with the same hash, by place modulo the window

    void Insert(size_t at) {
        if (at + kMinMatch > data.size()) return;
        size_t hash = Hash(&data[at]);
        chain[at & kWindowMask] = head[hash];
        head[hash] = static_cast<int32_t>(at);
    }

    size_t Longest(size_t at, size_t& distance) const {
        if (at + kMinMatch > data.size()) return 0;
        size_t limit = data.size() - at < kMaxMatch ? data.size() - at : kMaxMatch;
        size_t best = 0;
        int32_t candidate = head[Hash(&data[at])];
        for (int tries = 0; candidate >= 0 && tries < kChainLimit; ++tries) {
            size_t from = static_cast<size_t>(candidate);
            // The farthest reference the window allows is 4096 back; a little less keeps
            // clear of expanders that copy a run before writing it back.
            if (at - from > kWindow - kMaxMatch) break;
            size_t length = 0;
            while (length < limit && data[from + length] == data[at + length]) ++length;
            if (length > best) {
                best = length;
                distance = at - from;
                if (length == limit) break;
            }
            int32_t earlier = chain[from & kWindowMask];
            if (earlier >= candidate) break;  // the chain wrapped to a newer place
            candidate = earlier;
        }
        return best >= kMinMatch ? best : 0;
    }
};

// The codes, eight to a flag byte.
class CodeWriter {
public:
    CodeWriter(uint8_t* out) : out_(out) {}

    void Literal(uint8_t byte) {
        StartCode(true);
        out_[used_++] = byte;
    }

    void Reference(size_t place, size_t length) {
        StartCode(false);
        out_[used_++] = static_cast<uint8_t>(place & 0xFF);
        out_[used_++] = static_cast<uint8_t>(((place >> 4) & 0xF0) | (length - kMinMatch));
    }

    size_t used() const { return used_; }

private:
    void StartCode(bool literal) {
        if (bit_ == 8) {
            flags_ = used_++;
            out_[flags_] = 0;
            bit_ = 0;
        }
        if (literal) out_[flags_] = static_cast<uint8_t>(out_[flags_] | (1u << bit_));
        ++bit_;
    }

    uint8_t* out_;
    size_t used_ = 0;
    size_t flags_ = 0;
    int bit_ = 8;
};

}  // namespace

Bytes SzddCompress(Arena& arena, Bytes data, char replacedCharacter) {
    // At worst every eight bytes take nine.
    size_t room = kSzddHeaderSize + data.size() + data.size() / 8 + 2;
    auto* out = static_cast<uint8_t*>(arena.Allocate(room));
    for (size_t i = 0; i < sizeof kMagic; ++i) out[i] = kMagic[i];
    out[8] = kMethodA;
    out[9] = static_cast<uint8_t>(replacedCharacter);
    auto size = static_cast<uint32_t>(data.size());
    for (int i = 0; i < 4; ++i) out[10 + i] = static_cast<uint8_t>(size >> (8 * i));

    Matcher matcher{data, arena.Array<int32_t>(kHashSize), arena.Array<int32_t>(kWindow)};
    for (int32_t& place : matcher.head) place = -1;
    for (int32_t& place : matcher.chain) place = -1;
    CodeWriter codes(out + kSzddHeaderSize);
    for (size_t at = 0; at < data.size();) {
        size_t distance = 0;
        size_t length = matcher.Longest(at, distance);
        if (length == 0) {
            codes.Literal(data[at]);
            matcher.Insert(at++);
            continue;
        }
        codes.Reference((kFirstPlace + at - distance) & kWindowMask, length);
        for (size_t end = at + length; at < end; ++at) matcher.Insert(at);
    }
    return {out, kSzddHeaderSize + codes.used()};
}

bool IsSzdd(Bytes data, uint32_t* size) {
    if (data.size() < kSzddHeaderSize) return false;
    for (size_t i = 0; i < sizeof kMagic; ++i)
        if (data[i] != kMagic[i]) return false;
    if (data[8] != kMethodA) return false;
    if (size) *size = Read32(&data[10]);
    return true;
}

bool SzddExpand(Arena& arena, Bytes data, Bytes& expanded) {
    if (!IsSzdd(data)) return false;
    // Seventeen bytes (a flag byte, eight references of 18 bytes) give at most 144: fewer
    // than nine to one.
    size_t room = (data.size() - kSzddHeaderSize) * 9 + 1;
    auto* out = static_cast<uint8_t*>(arena.Allocate(room));
    uint8_t window[kWindow];
    for (uint8_t& byte : window) byte = ' ';
    size_t place = kFirstPlace, written = 0, at = kSzddHeaderSize;
    auto put = [&](uint8_t byte) {
        out[written++] = byte;
        window[place] = byte;
        place = (place + 1) & kWindowMask;
    };
    // LZ32 expands the codes to the end of the file, whatever size the header states.
    while (at < data.size()) {
        uint8_t flags = data[at++];
        for (int bit = 0; bit < 8 && at < data.size(); ++bit) {
            if (flags & (1u << bit)) {
                put(data[at++]);
                continue;
            }
            if (at + 2 > data.size()) break;
            size_t from = data[at] | ((data[at + 1] & 0xF0u) << 4);
            size_t length = (data[at + 1] & 0x0Fu) + kMinMatch;
            at += 2;
            for (size_t i = 0; i < length; ++i) put(window[(from + i) & kWindowMask]);
        }
    }
    expanded = {out, written};
    return true;
}
