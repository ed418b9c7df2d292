/*
 * Stand-in for the booklet imposition: the face count a test sets, whatever the pages.
 */
#include "render/driver/booklet/booklet.h"
#include "render/driver/header/tests/booklet_standin.h"

namespace header_test {
WORD g_BookletFaces = 0;
} // namespace header_test

WORD bk_CountFaces(LONG, LONG, BOOL)
{
    return header_test::g_BookletFaces;
}
