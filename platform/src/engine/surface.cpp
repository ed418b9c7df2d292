/*
 * Engine surfaces: device surfaces and engine bitmaps, their association with a device,
 * locking, erasing, and the devices the host's GDI side creates for the driver's PDEVs.
 */
#include "platform/src/engine/engine_private.h"

#include <qmhost_engine.h>
#include "platform/src/kernel/kernel_private.h"

#include <algorithm>
#include <string.h>

namespace qme {

DWORD g_live_surfaces;

static std::vector<Surface *> g_surfaces;

struct Device {
    DHPDEV dhpdev;
};
static std::vector<Device *> g_devices;

static Device *DeviceOf(HDEV h)
{
    for (Device *d : g_devices)
        if (reinterpret_cast<HDEV>(d) == h)
            return d;
    return nullptr;
}

Surface *SurfaceOf(HSURF h)
{
    for (Surface *s : g_surfaces)
        if (s->so.hsurf == h)
            return s;
    return nullptr;
}

ULONG BitsOfFormat(ULONG iFormat)
{
    switch (iFormat) {
    case BMF_1BPP: return 1;
    case BMF_4BPP: return 4;
    case BMF_8BPP: return 8;
    case BMF_16BPP: return 16;
    case BMF_24BPP: return 24;
    case BMF_32BPP: return 32;
    default: return 0;
    }
}

/* Registers a new surface record; NULL when refused. */
static Surface *NewSurface()
{
    if (!CallAllowed(kFailSurface))
        return nullptr;
    Surface *s = new Surface();
    s->magic = kSurfaceMagic;
    s->so.hsurf = reinterpret_cast<HSURF>(s);
    g_surfaces.push_back(s);
    ++g_live_surfaces;
    return s;
}

/* Writes one pixel of colour `color` at (x, y) of a bitmap surface. */
void StorePixel(SURFOBJ *so, LONG x, LONG y, ULONG color)
{
    BYTE *row = static_cast<BYTE *>(so->pvScan0) + static_cast<ptrdiff_t>(y) * so->lDelta;
    switch (so->iBitmapFormat) {
    case BMF_1BPP: {
        BYTE bit = static_cast<BYTE>(0x80 >> (x & 7));
        row[x >> 3] = (color & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
        break;
    }
    case BMF_4BPP:
        if (x & 1)
            row[x >> 1] = static_cast<BYTE>((row[x >> 1] & 0xF0) | (color & 0x0F));
        else
            row[x >> 1] = static_cast<BYTE>((row[x >> 1] & 0x0F) | ((color & 0x0F) << 4));
        break;
    case BMF_8BPP: row[x] = static_cast<BYTE>(color); break;
    case BMF_16BPP:
        row[2 * x] = static_cast<BYTE>(color);
        row[2 * x + 1] = static_cast<BYTE>(color >> 8);
        break;
    case BMF_24BPP:
        row[3 * x] = static_cast<BYTE>(color);
        row[3 * x + 1] = static_cast<BYTE>(color >> 8);
        row[3 * x + 2] = static_cast<BYTE>(color >> 16);
        break;
    case BMF_32BPP: memcpy(row + 4 * x, &color, 4); break;
    default: break;
    }
}

} // namespace qme

using namespace qme;

extern "C" {

/*
 * Ties a surface to a device and records the drawing calls the driver hooks.
 * hsurf: in, a surface of the engine; hdev: in, a device made by qmh_CreateDevice; flHooks:
 * in, HOOK_* bits. Sets the SURFOBJ's hdev and the dhpdev the device was bound to.
 * Returns TRUE; FALSE with ERROR_INVALID_HANDLE for an unknown surface or device.
 */
BOOL WINAPI EngAssociateSurface(HSURF hsurf, HDEV hdev, FLONG flHooks)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Surface *s = SurfaceOf(hsurf);
    Device *d = DeviceOf(hdev);
    if (!s || !d) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    s->so.hdev = hdev;
    s->so.dhpdev = d->dhpdev;
    s->hooks = flHooks;
    return TRUE;
}

/*
 * Makes an engine bitmap of sizl pixels in format iFormat (BMF_1BPP..BMF_32BPP).
 * pvBits: in, the caller's pixels (kept by the caller, rows lWidth bytes apart) or NULL for
 * engine memory (rows padded to 4 bytes, zeroed unless BMF_NOZEROINIT). fl: BMF_TOPDOWN
 * puts row 0 first in memory. Returns the handle; NULL with ERROR_INVALID_PARAMETER for a
 * bad size or format, ERROR_NOT_ENOUGH_MEMORY when memory is refused.
 */
HBITMAP WINAPI EngCreateBitmap(SIZEL sizl, LONG lWidth, ULONG iFormat, FLONG fl, PVOID pvBits)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    ULONG bpp = BitsOfFormat(iFormat);
    if (bpp == 0 || sizl.cx <= 0 || sizl.cy <= 0 || sizl.cx > 0x100000 || sizl.cy > 0x100000) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    unsigned long long stride = ((static_cast<unsigned long long>(sizl.cx) * bpp + 31) / 32) * 4;
    if (pvBits) {
        if (lWidth <= 0 ||
            static_cast<unsigned long long>(lWidth) < (static_cast<unsigned long long>(sizl.cx) * bpp + 7) / 8) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        stride = static_cast<unsigned long long>(lWidth);
    }
    unsigned long long size = stride * static_cast<unsigned long long>(sizl.cy);
    if (size > 0x40000000ULL) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Surface *s = NewSurface();
    if (!s) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    BYTE *bits = static_cast<BYTE *>(pvBits);
    if (!bits) {
        bits = new BYTE[size];
        if (!(fl & BMF_NOZEROINIT))
            memset(bits, 0, size);
        s->bits = bits;
    }
    s->so.sizlBitmap = sizl;
    s->so.cjBits = static_cast<ULONG>(size);
    s->so.pvBits = bits;
    if (fl & BMF_TOPDOWN) {
        s->so.pvScan0 = bits;
        s->so.lDelta = static_cast<LONG>(stride);
    } else {
        s->so.pvScan0 = bits + size - stride;
        s->so.lDelta = -static_cast<LONG>(stride);
    }
    s->so.iUniq = 1;
    s->so.iBitmapFormat = iFormat;
    s->so.iType = STYPE_BITMAP;
    s->so.fjBitmap = static_cast<USHORT>(fl & (BMF_TOPDOWN | BMF_NOZEROINIT));
    return reinterpret_cast<HBITMAP>(s->so.hsurf);
}

/*
 * Makes a device surface: the driver draws on it itself, the engine keeps no pixels.
 * dhsurf: in, the driver's handle for it; sizl: in, its size; iFormatCompat: in, the BMF_*
 * format of compatible bitmaps. Returns the handle; NULL with ERROR_NOT_ENOUGH_MEMORY when
 * refused.
 */
HSURF WINAPI EngCreateDeviceSurface(DHSURF dhsurf, SIZEL sizl, ULONG iFormatCompat)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Surface *s = NewSurface();
    if (!s) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    s->so.dhsurf = dhsurf;
    s->so.sizlBitmap = sizl;
    s->so.iBitmapFormat = iFormatCompat;
    s->so.iType = STYPE_DEVICE;
    return s->so.hsurf;
}

/*
 * Deletes a surface (device surface or engine bitmap) and the engine's pixel memory.
 * Returns TRUE; FALSE with ERROR_INVALID_HANDLE for an unknown or already deleted handle.
 */
BOOL WINAPI EngDeleteSurface(HSURF hsurf)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Surface *s = SurfaceOf(hsurf);
    if (!s) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    g_surfaces.erase(std::find(g_surfaces.begin(), g_surfaces.end(), s));
    --g_live_surfaces;
    delete[] s->bits;
    s->magic = 0;
    delete s;
    return TRUE;
}

/*
 * Fills a rectangle of a bitmap surface with one colour, given in the surface's own pixel
 * format (an index for 1, 4 and 8 bpp). prcl: in, the rectangle (cut to the surface);
 * a device surface holds no pixels and is left as it is. Returns TRUE; FALSE with
 * ERROR_INVALID_PARAMETER for a missing surface or rectangle.
 */
BOOL WINAPI EngEraseSurface(SURFOBJ *pso, RECTL *prcl, ULONG iColor)
{
    if (!pso || !prcl) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (pso->iType != STYPE_BITMAP || !pso->pvScan0)
        return TRUE;
    LONG left = std::max(prcl->left, (LONG)0), top = std::max(prcl->top, (LONG)0);
    LONG right = std::min(prcl->right, pso->sizlBitmap.cx), bottom = std::min(prcl->bottom, pso->sizlBitmap.cy);
    for (LONG y = top; y < bottom; ++y)
        for (LONG x = left; x < right; ++x)
            StorePixel(pso, x, y, iColor);
    return TRUE;
}

/*
 * Gives the SURFOBJ of a surface for drawing into it. Returns it; NULL with
 * ERROR_INVALID_HANDLE for an unknown handle. Each lock is undone by EngUnlockSurface.
 */
SURFOBJ *WINAPI EngLockSurface(HSURF hsurf)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Surface *s = SurfaceOf(hsurf);
    if (!s) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++s->locks;
    return &s->so;
}

/* Undoes one EngLockSurface. pso: in, a SURFOBJ it returned (NULL is ignored). */
void WINAPI EngUnlockSurface(SURFOBJ *pso)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Surface *s = pso ? SurfaceOf(pso->hsurf) : nullptr;
    if (s && s->locks > 0)
        --s->locks;
}

/* Devices of the host's GDI side (qmhost_engine.h). */

HDEV qmh_CreateDevice(void)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Device *d = new Device();
    g_devices.push_back(d);
    return reinterpret_cast<HDEV>(d);
}

BOOL qmh_BindDevicePdev(HDEV hdev, DHPDEV dhpdev)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Device *d = DeviceOf(hdev);
    if (!d)
        return FALSE;
    d->dhpdev = dhpdev;
    return TRUE;
}

BOOL qmh_DeleteDevice(HDEV hdev)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Device *d = DeviceOf(hdev);
    if (!d)
        return FALSE;
    g_devices.erase(std::find(g_devices.begin(), g_devices.end(), d));
    delete d;
    return TRUE;
}

FLONG qmh_SurfaceHooks(HSURF hsurf)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Surface *s = SurfaceOf(hsurf);
    return s ? s->hooks : 0;
}

} // extern "C"
