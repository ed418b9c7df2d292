/* Private services of the GDI area shared with the user area. */
#ifndef QM_PLATFORM_GDI_PRIVATE_H
#define QM_PLATFORM_GDI_PRIVATE_H

#include <windows.h>

namespace qmg {

/* A new display DC (the screen). NULL when out of memory. */
HDC CreateDisplayDC();

/* Deletes a display DC made by CreateDisplayDC; false for any other handle. */
bool DeleteDisplayDC(HDC hdc);

/* True for a live display DC. */
bool IsDisplayDC(HDC hdc);

} // namespace qmg

#endif /* QM_PLATFORM_GDI_PRIVATE_H */
