#pragma once

#include <windows.h>

namespace header_test {
extern WORD g_BookletFaces;  // what the booklet imposition's stand-in counts (0 at start)
} // namespace header_test
