/*
 * Icons of the host build: CreateIcon keeps copies of the two planes it is given, which a
 * test reads back; DestroyIcon frees them. A handle is the address of its record and is
 * looked up among the live icons first.
 */
#include <windows.h>

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing_icons.h"

#include <mutex>
#include <set>
#include <vector>

namespace {

struct Icon {
    int width;
    int height;
    BYTE planes;
    BYTE bitsPixel;
    std::vector<BYTE> andBits;
    std::vector<BYTE> xorBits;
};

std::mutex &IconLock()
{
    static std::mutex lock;
    return lock;
}

std::set<Icon *> &Icons()
{
    static std::set<Icon *> icons;
    return icons;
}

} // namespace

extern "C" {

/* An icon of nWidth x nHeight from a monochrome AND plane and a colour XOR plane, rows
 * WORD-aligned. NULL for a size or depth out of range or a missing plane. */
HICON WINAPI CreateIcon(HINSTANCE, int nWidth, int nHeight, BYTE cPlanes, BYTE cBitsPixel, const BYTE *lpbANDbits,
                        const BYTE *lpbXORbits)
{
    DWORD depth = (DWORD)cPlanes * cBitsPixel;
    bool depthOk =
        cPlanes == 1 && (depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32);
    if (nWidth <= 0 || nHeight <= 0 || nWidth > 256 || nHeight > 256 || !depthOk || !lpbANDbits || !lpbXORbits) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!qmk::AllocationAllowed()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Icon *icon = new Icon();
    icon->width = nWidth;
    icon->height = nHeight;
    icon->planes = cPlanes;
    icon->bitsPixel = cBitsPixel;
    size_t andBytes = (size_t)((nWidth + 15) / 16) * 2 * nHeight;
    size_t xorBytes = (size_t)((nWidth * cBitsPixel + 15) / 16) * 2 * nHeight * cPlanes;
    icon->andBits.assign(lpbANDbits, lpbANDbits + andBytes);
    icon->xorBits.assign(lpbXORbits, lpbXORbits + xorBytes);
    std::lock_guard<std::mutex> guard(IconLock());
    Icons().insert(icon);
    return reinterpret_cast<HICON>(icon);
}

/* Destroys an icon; FALSE for an unknown handle. */
BOOL WINAPI DestroyIcon(HICON hIcon)
{
    std::lock_guard<std::mutex> guard(IconLock());
    Icon *icon = reinterpret_cast<Icon *>(hIcon);
    if (!Icons().erase(icon)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    delete icon;
    return TRUE;
}

} // extern "C"

DWORD qmt_LiveIcons(void)
{
    std::lock_guard<std::mutex> guard(IconLock());
    return (DWORD)Icons().size();
}

BOOL qmt_GetIconPlanes(HICON handle, QmtIconPlanes *planes)
{
    std::lock_guard<std::mutex> guard(IconLock());
    Icon *icon = reinterpret_cast<Icon *>(handle);
    if (!planes || !Icons().count(icon)) {
        return FALSE;
    }
    planes->width = icon->width;
    planes->height = icon->height;
    planes->planes = icon->planes;
    planes->bitsPixel = icon->bitsPixel;
    planes->andBits = icon->andBits.data();
    planes->andBytes = (DWORD)icon->andBits.size();
    planes->xorBits = icon->xorBits.data();
    planes->xorBytes = (DWORD)icon->xorBits.size();
    return TRUE;
}
