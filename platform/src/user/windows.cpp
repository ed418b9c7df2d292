/*
 * Windows of the host build: only the desktop window exists, and GetDC on it (or on
 * NULL) gives a display DC of the GDI area.
 */
#include <windows.h>

#include "platform/src/gdi/gdi_private.h"

namespace {

/* The desktop window's fixed handle (never dereferenced). */
const HWND kDesktop = (HWND)(ULONG_PTR)0x00010010;

} // namespace

/* GetDesktopWindow: see winuser.h. */
extern "C" HWND WINAPI GetDesktopWindow(void)
{
    return kDesktop;
}

/* GetDC: see winuser.h. */
extern "C" HDC WINAPI GetDC(HWND hWnd)
{
    if (hWnd != nullptr && hWnd != kDesktop)
        return nullptr;
    return qmg::CreateDisplayDC();
}

/* ReleaseDC: see winuser.h. */
extern "C" int WINAPI ReleaseDC(HWND hWnd, HDC hDC)
{
    (void)hWnd;
    return qmg::DeleteDisplayDC(hDC) ? 1 : 0;
}
