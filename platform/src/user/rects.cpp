/*
 * Rectangle arithmetic of the user area.
 */
#include <windows.h>

/* IntersectRect: see winuser.h. A rectangle whose right edge is not past its left one (or
 * bottom past top) is empty; the destination may be either source. */
extern "C" BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT *lprcSrc1, const RECT *lprcSrc2)
{
    if (lprcDst == nullptr)
        return FALSE;
    if (lprcSrc1 == nullptr || lprcSrc2 == nullptr) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    RECT r;
    r.left = lprcSrc1->left > lprcSrc2->left ? lprcSrc1->left : lprcSrc2->left;
    r.top = lprcSrc1->top > lprcSrc2->top ? lprcSrc1->top : lprcSrc2->top;
    r.right = lprcSrc1->right < lprcSrc2->right ? lprcSrc1->right : lprcSrc2->right;
    r.bottom = lprcSrc1->bottom < lprcSrc2->bottom ? lprcSrc1->bottom : lprcSrc2->bottom;
    if (r.left >= r.right || r.top >= r.bottom) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}
