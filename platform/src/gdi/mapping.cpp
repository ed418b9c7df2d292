/*
 * Logical to device coordinates of a DC (mapping.h), and the mapping calls of memory and
 * display DCs.
 */
#include "platform/src/gdi/mapping.h"

#include "platform/src/gdi/gdi_private.h"

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace qmg {

namespace {

/* Logical units per inch of the fixed modes other than MM_TEXT. */
struct FixedMode {
    int mode;
    LONG unitsPerInch;
};
const FixedMode kFixedModes[] = {
    {MM_LOMETRIC, 254},
    {MM_HIMETRIC, 2540},
    {MM_LOENGLISH, 100},
    {MM_HIENGLISH, 1000},
    {MM_TWIPS, 1440},
};

/* Narrows the viewport extent of MM_ISOTROPIC so a unit has one physical length. */
void MakeIsotropic(Mapping *m)
{
    double sx = std::fabs(double(m->viewportExt.cx) / m->windowExt.cx) / m->dpiX;
    double sy = std::fabs(double(m->viewportExt.cy) / m->windowExt.cy) / m->dpiY;
    if (sx < sy) {
        double cy = std::min(std::fabs(double(m->windowExt.cy)) * sx * m->dpiY, 2147483647.0);
        m->viewportExt.cy = (m->viewportExt.cy < 0 ? -1 : 1) * static_cast<LONG>(std::max(1L, std::lround(cy)));
    } else if (sy < sx) {
        double cx = std::min(std::fabs(double(m->windowExt.cx)) * sy * m->dpiX, 2147483647.0);
        m->viewportExt.cx = (m->viewportExt.cx < 0 ? -1 : 1) * static_cast<LONG>(std::max(1L, std::lround(cx)));
    }
}

bool DeviceOf(const Mapping &m, POINT logical, double scale, double *x, double *y)
{
    *x = ((double(logical.x) - m.windowOrg.x) * m.viewportExt.cx / m.windowExt.cx + m.viewportOrg.x) * scale;
    *y = ((double(logical.y) - m.windowOrg.y) * m.viewportExt.cy / m.windowExt.cy + m.viewportOrg.y) * scale;
    double limit = double(kDeviceCoordLimit) * scale;
    return std::fabs(*x) <= limit && std::fabs(*y) <= limit;
}

} // namespace

void ResetMapping(Mapping *m, LONG dpiX, LONG dpiY)
{
    m->mode = MM_TEXT;
    m->dpiX = dpiX > 0 ? dpiX : 96;
    m->dpiY = dpiY > 0 ? dpiY : 96;
    m->windowOrg = POINT{0, 0};
    m->viewportOrg = POINT{0, 0};
    m->windowExt = SIZE{1, 1};
    m->viewportExt = SIZE{1, 1};
}

int SetMappingMode(Mapping *m, int mode)
{
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    int previous = m->mode;
    m->mode = mode;
    if (mode == MM_TEXT) {
        m->windowExt = SIZE{1, 1};
        m->viewportExt = SIZE{1, 1};
    }
    for (const FixedMode &f : kFixedModes) {
        if (f.mode == mode) {
            m->windowExt = SIZE{f.unitsPerInch, f.unitsPerInch};
            m->viewportExt = SIZE{m->dpiX, -m->dpiY};
        }
    }
    if (mode == MM_ISOTROPIC)
        MakeIsotropic(m);
    return previous;
}

bool SetWindowExtent(Mapping *m, SIZE ext)
{
    if (ext.cx == 0 || ext.cy == 0)
        return false;
    if (m->mode != MM_ISOTROPIC && m->mode != MM_ANISOTROPIC)
        return true;
    m->windowExt = ext;
    if (m->mode == MM_ISOTROPIC)
        MakeIsotropic(m);
    return true;
}

bool SetViewportExtent(Mapping *m, SIZE ext)
{
    if (ext.cx == 0 || ext.cy == 0)
        return false;
    if (m->mode != MM_ISOTROPIC && m->mode != MM_ANISOTROPIC)
        return true;
    m->viewportExt = ext;
    if (m->mode == MM_ISOTROPIC)
        MakeIsotropic(m);
    return true;
}

bool ToDevice(const Mapping &m, POINT logical, POINTL *device)
{
    double x, y;
    if (!DeviceOf(m, logical, 1.0, &x, &y))
        return false;
    device->x = static_cast<LONG>(std::lround(x));
    device->y = static_cast<LONG>(std::lround(y));
    return true;
}

bool ToDeviceFix(const Mapping &m, POINT logical, POINTFIX *device)
{
    double x, y;
    if (!DeviceOf(m, logical, 16.0, &x, &y))
        return false;
    device->x = static_cast<LONG>(std::lround(x));
    device->y = static_cast<LONG>(std::lround(y));
    return true;
}

bool ToLogical(const Mapping &m, POINT device, POINT *logical)
{
    double x = (double(device.x) - m.viewportOrg.x) * m.windowExt.cx / m.viewportExt.cx + m.windowOrg.x;
    double y = (double(device.y) - m.viewportOrg.y) * m.windowExt.cy / m.viewportExt.cy + m.windowOrg.y;
    if (std::fabs(x) > 2147483647.0 || std::fabs(y) > 2147483647.0)
        return false;
    logical->x = static_cast<LONG>(std::lround(x));
    logical->y = static_cast<LONG>(std::lround(y));
    return true;
}

double DeviceLengthX(const Mapping &m, double logical)
{
    return std::fabs(logical * m.viewportExt.cx / m.windowExt.cx);
}

} // namespace qmg

using namespace qmg;

namespace {

/* The mapping of a DC, or NULL (ERROR_INVALID_HANDLE). Call under the
 * lock. */
Mapping *MappingOf(HDC hdc)
{
    DcState *state = StateOf(hdc);
    return state ? &state->mapping : nullptr;
}

/* Sets an origin, giving the previous one. */
BOOL SetOrigin(HDC hdc, bool window, int x, int y, LPPOINT previous)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Mapping *m = MappingOf(hdc);
    if (!m)
        return FALSE;
    POINT &org = window ? m->windowOrg : m->viewportOrg;
    if (previous)
        *previous = org;
    org = POINT{x, y};
    return TRUE;
}

/* Sets an extent, giving the previous one. */
BOOL SetExtent(HDC hdc, bool window, int x, int y, LPSIZE previous)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Mapping *m = MappingOf(hdc);
    if (!m)
        return FALSE;
    SIZE old = window ? m->windowExt : m->viewportExt;
    bool ok = window ? SetWindowExtent(m, SIZE{x, y}) : SetViewportExtent(m, SIZE{x, y});
    if (!ok) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (previous)
        *previous = old;
    return TRUE;
}

/* Converts points in place, all or none. */
BOOL Convert(HDC hdc, LPPOINT points, int count, bool toDevice)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Mapping *m = MappingOf(hdc);
    if (!m)
        return FALSE;
    if (count < 0 || (count > 0 && !points)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<POINT> out(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        POINTL d = {0, 0};
        bool ok = toDevice ? ToDevice(*m, points[i], &d) : ToLogical(*m, points[i], &out[i]);
        if (!ok) {
            SetLastError(ERROR_ARITHMETIC_OVERFLOW);
            return FALSE;
        }
        if (toDevice)
            out[i] = POINT{d.x, d.y};
    }
    std::copy(out.begin(), out.end(), points);
    return TRUE;
}

} // namespace

extern "C" {

int WINAPI SetMapMode(HDC hdc, int iMode)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Mapping *m = MappingOf(hdc);
    if (!m)
        return 0;
    int previous = SetMappingMode(m, iMode);
    if (!previous)
        SetLastError(ERROR_INVALID_PARAMETER);
    return previous;
}

int WINAPI GetMapMode(HDC hdc)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Mapping *m = MappingOf(hdc);
    return m ? m->mode : 0;
}

BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return SetOrigin(hdc, true, x, y, lppt);
}

BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return SetOrigin(hdc, false, x, y, lppt);
}

BOOL WINAPI SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    return SetExtent(hdc, true, x, y, lpsz);
}

BOOL WINAPI SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    return SetExtent(hdc, false, x, y, lpsz);
}

BOOL WINAPI LPtoDP(HDC hdc, LPPOINT lppt, int c)
{
    return Convert(hdc, lppt, c, true);
}

BOOL WINAPI DPtoLP(HDC hdc, LPPOINT lppt, int c)
{
    return Convert(hdc, lppt, c, false);
}

} // extern "C"
