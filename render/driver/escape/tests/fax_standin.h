#ifndef QM_RENDER_DRIVER_ESCAPE_TESTS_FAX_STANDIN_H
#define QM_RENDER_DRIVER_ESCAPE_TESTS_FAX_STANDIN_H

#include <windows.h>

namespace escape_test {
extern LONG g_FaxListAnswer; // what job control's stand-in answers a fax send list (-1 at start)
extern int g_FaxListsLoaded; // fax send lists that reached job control
} // namespace escape_test

#endif /* QM_RENDER_DRIVER_ESCAPE_TESTS_FAX_STANDIN_H */
