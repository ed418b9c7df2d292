/*
 * The brushes and transforms a drawing call hands a driver: solid brushes, hatch brushes
 * (the engine's 8 x 8 one-bit pattern with a two-entry translation {line, background},
 * realised by the driver at its first BRUSHOBJ_pvGetRbrush), pattern brushes over a caller's
 * surface, and world-to-device transforms.
 */
#include "platform/src/engine/drawing_objects.h"

#include "platform/src/engine/engine_private.h"
#include "platform/testing/qm_testing_engine.h"

namespace qme {

/* The engine's hatches, one bit a pixel, leftmost pixel in the high bit; a set bit is a
 * line (colour 0 of the brush's translation), a clear one background (colour 1). */
static const BYTE kHatchRows[HS_DDI_MAX][8] = {
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00}, // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08}, // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // HS_DIAGCROSS
};

BRUSHOBJ *NewSolidBrush(ULONG deviceColor)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Brush *b = new Brush();
    b->magic = kBrushMagic;
    RegisterObject(b, kBrushMagic);
    b->bo.iSolidColor = deviceColor;
    return &b->bo;
}

BRUSHOBJ *NewPatternBrush(SURFOBJ *target, SURFOBJ *pattern, SURFOBJ *mask, XLATEOBJ *xlate, ULONG hatch,
                          BrushRealizer realize)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Brush *b = new Brush();
    b->magic = kBrushMagic;
    RegisterObject(b, kBrushMagic);
    b->bo.iSolidColor = 0xFFFFFFFF;
    b->target = target;
    b->pattern = pattern;
    b->mask = mask;
    b->xlate = xlate;
    b->hatch = hatch;
    b->realize = realize;
    return &b->bo;
}

BRUSHOBJ *NewHatchBrush(SURFOBJ *target, ULONG hatch, ULONG lineColor, ULONG backColor, BrushRealizer realize)
{
    if (hatch >= HS_DDI_MAX)
        return nullptr;
    SURFOBJ *pattern = qmt_EngineBitmap(8, 8, BMF_1BPP, TRUE);
    if (!pattern)
        return nullptr;
    BYTE *row = static_cast<BYTE *>(pattern->pvScan0);
    for (int y = 0; y < 8; ++y, row += pattern->lDelta)
        row[0] = static_cast<BYTE>(~kHatchRows[hatch][y]);
    const ULONG table[2] = {lineColor, backColor};
    XLATEOBJ *xlate = qmt_EngineXlateTable(table, 2);
    BRUSHOBJ *pbo = NewPatternBrush(target, pattern, nullptr, xlate, hatch, realize);
    std::lock_guard<std::recursive_mutex> guard(Lock());
    BrushOf(pbo)->ownsObjects = true;
    return pbo;
}

void DeleteEngineBrush(BRUSHOBJ *pbo)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Brush *b = BrushOf(pbo);
    if (!b)
        return;
    FreeRbrushes(pbo);
    if (b->ownsObjects) {
        qmt_EngineFreeBitmap(b->pattern);
        qmt_EngineFreeXlate(b->xlate);
    }
    UnregisterObject(b);
    b->magic = 0;
    delete b;
}

XFORMOBJ *NewEngineXform(const XFORML &m)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Xform *x = new Xform();
    x->magic = kXformMagic;
    RegisterObject(x, kXformMagic);
    x->m = m;
    return &x->xo;
}

void DeleteEngineXform(XFORMOBJ *pxo)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Xform *x = XformOf(pxo);
    if (!x)
        return;
    UnregisterObject(x);
    x->magic = 0;
    delete x;
}

ULONG PaletteMode(HPALETTE hpal)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    const Palette *p = PaletteOf(hpal);
    return p ? p->mode : PAL_BGR;
}

} // namespace qme
