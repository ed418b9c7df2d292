#pragma once

#include <windows.h>

namespace escape_test {
extern LONG g_ChunkAnswer;  // what the stand-in drawing answers
extern int g_ChunksDrawn;
} // namespace escape_test
