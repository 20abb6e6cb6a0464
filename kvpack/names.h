// File names as the setup and the disks of the period hold them.
#pragma once

#include "memory.h"
#include "text.h"

// The name under which a file is stored compressed: the last character of its extension
// replaced by "_"; a name whose extension has at most one character gets "._" instead.
Text CompressedName(Arena& arena, Text name);

// The character the compressed name replaced (0 when there was none), kept in the
// compressed file's header so that its own name can be told again.
char ReplacedCharacter(Text name);

// Why a name is no DOS name of up to eight characters and an extension of up to three;
// null when it is one.
const char* ShortNameProblem(Text name);

// The name in capitals, as a FAT directory stores it.
Text UpperName(Arena& arena, Text name);
Text LowerName(Arena& arena, Text name);

// True when `name` matches a pattern of "*" (any characters) and "?" (one character),
// letters compared without regard to case.
bool MatchesPattern(Text name, Text pattern);
