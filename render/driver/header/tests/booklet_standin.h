#ifndef QM_RENDER_DRIVER_HEADER_TESTS_BOOKLET_STANDIN_H
#define QM_RENDER_DRIVER_HEADER_TESTS_BOOKLET_STANDIN_H

#include <windows.h>

namespace header_test {
extern WORD g_BookletFaces; // what the booklet imposition's stand-in counts (0 at start)
} // namespace header_test

#endif /* QM_RENDER_DRIVER_HEADER_TESTS_BOOKLET_STANDIN_H */
