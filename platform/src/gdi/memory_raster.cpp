/*
 * The raster of memory DCs: blits onto a bitmap of 32 bits a pixel by the engine's
 * EngBitBlt, the source first read into the destination's size (nearest pixel) and brought
 * to the target's kind: a monochrome source paints the DC's text colour for black and its
 * background for white; a colour source painted into a monochrome bitmap gives white where
 * it equals the source DC's background, else black. Patterns are solid brushes (a
 * monochrome target takes white for colours of intensity 128 and more); hatched brushes are
 * not drawn here (ERROR_NOT_SUPPORTED).
 */
#include "platform/src/gdi/blits.h"

#include <algorithm>
#include <vector>

using namespace qmg;

namespace {

DWORD Bgr(COLORREF c)
{
    return (DWORD)GetBValue(c) | ((DWORD)GetGValue(c) << 8) | ((DWORD)GetRValue(c) << 16);
}

bool IsLight(COLORREF c)
{
    return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3 >= 128;
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

/* An engine bitmap over 32-bit pixels of the given row order; NULL when refused. */
SURFOBJ *Wrap(DWORD *pixels, LONG width, LONG height, bool bottomUp)
{
    SIZEL size = {width, height};
    HBITMAP h = EngCreateBitmap(size, width * 4, BMF_32BPP, bottomUp ? 0 : BMF_TOPDOWN, pixels);
    if (!h) {
        return nullptr;
    }
    SURFOBJ *so = EngLockSurface(reinterpret_cast<HSURF>(h));
    if (!so) {
        EngDeleteSurface(reinterpret_cast<HSURF>(h));
    }
    return so;
}

/* The source rectangle of an image read as 32-bit pixels (blue low), rows top first. */
bool ReadSource(const BlitRequest &r, const RECTL &in, std::vector<DWORD> *out)
{
    qme::DibLayout layout;
    if (!qme::ReadDibHeader(r.bmi, DIB_RGB_COLORS, &layout)) {
        return false;
    }
    LONG w = in.right - in.left, h = in.bottom - in.top;
    out->assign((size_t)w * (size_t)h, 0);
    SURFOBJ *source = qme::NewDibSurface(layout, r.bits);
    XLATEOBJ *xlate = qme::NewDibXlate(r.bmi, layout, PAL_BGR);
    SURFOBJ *target = Wrap(out->data(), w, h, false);
    RECTL all = {0, 0, w, h};
    POINTL from = {in.left, in.top};
    bool read = source && xlate && target && EngCopyBits(target, source, nullptr, xlate, &all, &from);
    qme::DeleteEngineSurface(target);
    qme::DeleteEngineSurface(source);
    qme::DeleteEngineXlate(xlate);
    return read;
}

} // namespace

namespace qmg {

BOOL MemoryBlit(HDC hdc, const BlitRequest &r)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Dc *dc = static_cast<Dc *>(Find(hdc, kDc));
    if (!dc || !dc->bitmap) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    const DcState &s = dc->state;
    Bitmap *target = dc->bitmap;
    POINTL a, b;
    if (!ToDevice(s.mapping, POINT{r.x, r.y}, &a) || !ToDevice(s.mapping, POINT{r.x + r.width, r.y + r.height}, &b)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (!r.bmi) {
        RECTL box = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
        a = POINTL{box.left, box.top};
        b = POINTL{box.right, box.bottom};
    }
    if (a.x == b.x || a.y == b.y) {
        return TRUE;
    }
    if (b.x < a.x || b.y < a.y) {
        return Fail(ERROR_INVALID_PARAMETER); /* mirrored blits are not drawn */
    }
    RECTL dest = {a.x, a.y, b.x, b.y};
    LONG dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    std::vector<DWORD> scaled;
    if (r.bmi) {
        LONG sw = r.source.right - r.source.left, sh = r.source.bottom - r.source.top;
        std::vector<DWORD> read;
        if ((unsigned long long)dw * (unsigned long long)dh > kMaxBitmapPixels ||
            (unsigned long long)sw * (unsigned long long)sh > kMaxBitmapPixels) {
            return Fail(ERROR_NOT_ENOUGH_MEMORY);
        }
        if (sw <= 0 || sh <= 0 || !ReadSource(r, r.source, &read)) {
            return Fail(ERROR_INVALID_PARAMETER);
        }
        scaled.resize((size_t)dw * (size_t)dh);
        for (LONG y = 0; y < dh; ++y) {
            LONG sy = (LONG)((long long)y * sh / dh);
            for (LONG x = 0; x < dw; ++x) {
                DWORD v = read[(size_t)sy * (size_t)sw + (size_t)((long long)x * sw / dw)] & 0x00FFFFFF;
                if (r.sourceMono && !target->mono) {
                    v = v == 0 ? Bgr(s.textColor) : Bgr(s.bkColor);
                } else if (!r.sourceMono && target->mono) {
                    v = v == Bgr(r.sourceBk) ? 0x00FFFFFF : 0;
                }
                scaled[(size_t)y * (size_t)dw + (size_t)x] = v;
            }
        }
    }
    BRUSHOBJ *brush = nullptr;
    if (RopUsesPattern(r.rop)) {
        const Brush *pattern = s.brush;
        if (pattern->style == BS_HATCHED) {
            return Fail(ERROR_NOT_SUPPORTED);
        }
        COLORREF color = pattern->style == BS_SOLID ? pattern->color : RGB(255, 255, 255);
        DWORD value = target->mono ? (IsLight(color) ? 0x00FFFFFF : 0) : Bgr(color);
        brush = qme::NewSolidBrush(value);
    }
    SIZEL size = {target->width, target->height};
    CLIPOBJ *clip = qme::NewEngineClip(s.clipped ? &s.clip : nullptr, size, dest);
    SURFOBJ *surface = Wrap(target->pixels.data(), target->width, target->height, target->bottomUp);
    SURFOBJ *source = r.bmi ? Wrap(scaled.data(), dw, dh, false) : nullptr;
    POINTL from = {0, 0};
    BOOL done = TRUE;
    if (clip) {
        done = surface && (!r.bmi || source) &&
               EngBitBlt(surface,
                         source,
                         nullptr,
                         clip,
                         nullptr,
                         &dest,
                         &from,
                         nullptr,
                         brush,
                         nullptr,
                         qme::Rop4Of(r.rop, false));
    }
    qme::DeleteEngineSurface(source);
    qme::DeleteEngineSurface(surface);
    qme::DeleteEngineClip(clip);
    qme::DeleteEngineBrush(brush);
    // The fourth byte is unused: ROPs that invert leave it set.
    for (DWORD &pixel : target->pixels) {
        pixel &= 0x00FFFFFF;
    }
    return done;
}

} // namespace qmg
