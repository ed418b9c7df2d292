/*
 * Rotated layout of a box in an area.
 */
#include "core/settings/rotated_layout.h"

#include <math.h>

static const double kPi = 3.1415926536;

static WORD util_CountTiles(float extent, float tile);

/* Tiles of size tile needed to cover extent (a partial tile counts), at most 0xFFFF. */
static WORD util_CountTiles(float extent, float tile)
{
    double n = ceil((double)extent / (double)tile);
    if (!(n > 0))
        return 0;
    return n > 65535.0 ? 0xFFFF : (WORD)n;
}

LONG WINAPI util_MapRotatedPoint(const RotationLayout *layout, const float point[2], DWORD tile, float out[2])
{
    if (layout == nullptr || point == nullptr || out == nullptr)
        return -1;
    DWORD tiles = (DWORD)layout->columns * layout->rows;
    /* A layout placed once has the one placement 0. */
    if (tiles == 0 ? tile != 0 : tile >= tiles)
        return -1;
    float x = point[0] * layout->m11 + point[1] * layout->m12 + layout->dx;
    float y = point[0] * layout->m21 + point[1] * layout->m22 + layout->dy;
    if (tiles != 0) {
        x += (float)(tile % layout->columns) * layout->tileWidth;
        y += (float)(tile / layout->columns) * layout->tileHeight;
    }
    out[0] = x;
    out[1] = y;
    return 0;
}

LONG WINAPI util_PrepareRotatedLayout(const float area[2], const float box[2], SHORT angle, WORD mode, WORD alignment,
                                      RotationLayout *out)
{
    if (area == nullptr || box == nullptr || out == nullptr)
        return -1;
    double theta = angle * kPi / 180.0;
    double c = cos(theta), s = sin(theta);
    double w = box[0], h = box[1];
    double l, hb, dx, dy;
    if (mode == ROTATE_ABOUT_CENTRE) {
        l = w;
        hb = h;
        dx = -((c * w / 2 + s * h / 2) - w / 2);
        dy = -((-s * w / 2 + c * h / 2) - h / 2);
    } else {
        /* The bounding box takes |cos| and |sin|: escapements reach 3600 tenths, so
         * angles beyond 90 degrees must not shrink or invert it. */
        double phi = fabs(theta);
        double ac = fabs(cos(phi)), as = fabs(sin(phi));
        l = w * ac + h * as;
        hb = w * as + h * ac;
        if (angle >= 0) {
            dx = 0;
            dy = sin(phi) * w;
        } else {
            dx = sin(phi) * h;
            dy = 0;
        }
    }
    if (alignment == 0 && (l <= 0 || hb <= 0))
        return -1;

    out->m11 = (float)c;
    out->m12 = (float)s;
    out->m21 = (float)-s;
    out->m22 = (float)c;
    if (alignment != 0) {
        switch (alignment & 0x0F00) {
        case 0x200: dx += area[0] / 2.0 - l / 2; break;
        case 0x300: dx += area[0] - l; break;
        default: break;
        }
        switch (alignment & 0x000F) {
        case 2: dy += area[1] / 2.0 - hb / 2; break;
        case 3: dy += area[1] - hb; break;
        default: break;
        }
        out->dx = (float)dx;
        out->dy = (float)dy;
        out->tileWidth = 0;
        out->tileHeight = 0;
        out->columns = 0;
        out->rows = 0;
        return 1;
    }
    out->dx = (float)dx;
    out->dy = (float)dy;
    out->tileWidth = (float)l;
    out->tileHeight = (float)hb;
    out->columns = util_CountTiles(area[0], (float)l);
    out->rows = util_CountTiles(area[1], (float)hb);
    DWORD count = (DWORD)out->columns * out->rows;
    return count > (DWORD)ROTATED_TILE_LIMIT ? (LONG)ROTATED_TILE_LIMIT : (LONG)count;
}
