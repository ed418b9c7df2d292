/*
 * Line attributes of a stroke from the engine's LINEATTRS.
 */
#include "render/pdl/paths/path_workers.h"

#include "core/settings/function_ids.h"
#include "platform/include/qm_float.h"
#include "render/pdl/writer/pdl_writer.h"

/* Line style kinds. */
static const int kStyleSolid = 1;
/* Dash lengths one style command carries at most. */
static const DWORD kMaxDashes = 255;
/* Cosmetic style unit in 1/600 inch when the setting is 0 (or above it). */
static const LONG kDefaultStyleUnit = 24;

/* Join and cap codes of the stream. */
static int lines_JoinCode(ULONG join)
{
    return join == JOIN_ROUND ? 2 : join == JOIN_BEVEL ? 3 : 1;
}

static int lines_CapCode(ULONG cap)
{
    return cap == ENDCAP_ROUND ? 2 : cap == ENDCAP_SQUARE ? 3 : 1;
}

/* Index of dash i after the rotation LA_STARTGAP asks for (last length first). */
static DWORD lines_Source(DWORD i, DWORD count, FLONG flags)
{
    return (flags & LA_STARTGAP) ? (i + count - 1) % count : i;
}

int vec_SetLineStyle(PdlWriter *writer, DWORD count, const FLOAT_LONG *lengths, FLOAT offset, FLONG flags)
{
    if (count == 0 || count > kMaxDashes || lengths == NULL) {
        return 0;
    }
    float dashes[kMaxDashes];
    for (DWORD i = 0; i < count; ++i) {
        dashes[i] = qm_FloatOf(lengths[lines_Source(i, count, flags)].e);
    }
    return pdl_SetLineDash(writer, PDL_DASH_USER, offset, count, dashes) == 0 ? 1 : -1;
}

int vec_SetCosmeticStyle(PdlWriter *writer, DWORD count, const FLOAT_LONG *lengths, LONG offset, FLONG flags, LONG unit)
{
    if (count == 0 || count > kMaxDashes || lengths == NULL) {
        return 0;
    }
    LONG dashes[kMaxDashes];
    for (DWORD i = 0; i < count; ++i) {
        dashes[i] = lengths[lines_Source(i, count, flags)].l * unit;
    }
    return pdl_SetLineDashInt(writer, PDL_DASH_USER, offset, count, dashes) == 0 ? 1 : -1;
}

/* The cosmetic style unit in device pixels: setting 467 (a byte; 0 and above 24 mean 24)
 * at 600 dpi, scaled to the job's resolution. */
static LONG lines_CosmeticUnit(const DrawTarget *target)
{
    LONG unit = (LONG)(drw_ReadSetting(target, FID_LINE_STYLE_UNIT) & 0xFF);
    if (unit == 0 || unit > kDefaultStyleUnit) {
        unit = kDefaultStyleUnit;
    }
    LONG resolution = (LONG)drw_ReadSetting(target, FID_PRINT_QUALITY);
    return unit * resolution / 600;
}

int vec_SetLineAttributes(DrawTarget *target, const LINEATTRS *la)
{
    PdlWriter *writer = target->writer;
    if (la == NULL) {
        return 0;
    }
    bool styled = la->cstyle != 0 && la->pstyle != NULL;
    if (la->fl & LA_GEOMETRIC) {
        float miter = qm_FloatOf(la->eMiterLimit);
        miter = miter < 1.0f ? 1.0f : miter;
        if (pdl_SetLineJoin(writer, lines_JoinCode(la->iJoin)) != 0 ||
            pdl_SetLineCap(writer, lines_CapCode(la->iEndCap)) != 0 || pdl_SetMiterLimit(writer, miter) != 0 ||
            pdl_SetLineWidth(writer, qm_FloatOf(la->elWidth.e)) != 0) {
            return -1;
        }
        if (!styled) {
            return pdl_SetLineDash(writer, kStyleSolid, 0.0f, 0, NULL) == 0 ? 1 : -1;
        }
        return vec_SetLineStyle(writer, la->cstyle, la->pstyle, qm_FloatOf(la->elStyleState.e), la->fl);
    }
    if (pdl_SetLineWidth(writer, (float)la->elWidth.l) != 0) {
        return -1;
    }
    if (la->fl & LA_ALTERNATE) {
        const LONG alternate[2] = {1, 1};
        return pdl_SetLineDashInt(writer, PDL_DASH_USER, la->elStyleState.l, 2, alternate) == 0 ? 1 : -1;
    }
    if (!styled) {
        return pdl_SetLineDash(writer, kStyleSolid, 0.0f, 0, NULL) == 0 ? 1 : -1;
    }
    return vec_SetCosmeticStyle(writer, la->cstyle, la->pstyle, la->elStyleState.l, la->fl, lines_CosmeticUnit(target));
}
