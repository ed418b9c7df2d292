/*
 * Rotated layout: a box turned by an angle placed in an area, once (aligned) or
 * repeated as tiles, and points mapped through that placement.
 */
#ifndef QM_CORE_SETTINGS_ROTATED_LAYOUT_H
#define QM_CORE_SETTINGS_ROTATED_LAYOUT_H

#include <windows.h>

typedef struct RotationLayout {
    float m11, m12, m21, m22; /* cos, sin, -sin, cos of the angle */
    float dx, dy;
    float tileWidth, tileHeight;
    WORD columns, rows; /* 0 when the box is placed once */
} RotationLayout;

enum {
    ROTATE_ABOUT_CENTRE = 2,       /* mode: the box turns about its centre */
    ROTATED_TILE_LIMIT = 0x7FFFFFF /* most tiles a layout counts */
};

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Prepares the placement of a box (width, height) turned by angle degrees (signed) in
 * an area (width, height). mode 2 turns the box about its centre; other modes use the
 * bounding box of the turned box. alignment non-zero places it once (horizontal nibble
 * 0x100 keep, 0x200 centre, 0x300 right; vertical nibble 1 keep, 2 centre, 3 bottom);
 * alignment 0 tiles the area. Out: *out. Returns the number of placements (1 when
 * aligned, columns x rows when tiled, at most 0x7FFFFFF), -1 for a NULL argument or
 * for tiling with a box side of zero (nothing written then).
 */
LONG WINAPI util_PrepareRotatedLayout(const float area[2], const float box[2], SHORT angle, WORD mode, WORD alignment,
                                      RotationLayout *out);

/*
 * Maps a point through the layout for tile index tile (0 for a layout placed once).
 * Out: out[2]. Returns 0, or -1 for a NULL argument or a tile beyond the layout.
 */
LONG WINAPI util_MapRotatedPoint(const RotationLayout *layout, const float point[2], DWORD tile, float out[2]);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_SETTINGS_ROTATED_LAYOUT_H */
