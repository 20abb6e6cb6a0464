// The compressed files of the setup disks: the "SZDD" files that LZ32 expands. A header
// (magic, the character the compressed name replaced, the expanded size), then LZSS codes
// over a window of 4096 bytes: a flag byte says of the next eight codes which are
// literal bytes (1) and which are two-byte references to earlier bytes (0).
#pragma once

#include <cstdint>
#include <span>

#include "memory.h"
#include "text.h"

constexpr size_t kSzddHeaderSize = 14;

// The compressed form of `data`. The references point only at bytes already written, never
// at the window's initial blanks, so that every expander of the format agrees.
Bytes SzddCompress(Arena& arena, Bytes data, char replacedCharacter);

// True when the bytes start with the header of a compressed file; `size` receives the
// expanded size it states.
bool IsSzdd(Bytes data, uint32_t* size = nullptr);

// The expanded bytes, as LZ32 gives them: every code to the end of the data, whatever
// size the header states. False when the data is no compressed file.
bool SzddExpand(Arena& arena, Bytes data, Bytes& expanded);
