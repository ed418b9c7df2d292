/*
 * The page script of printhost print --draw: what an application draws, a statement a
 * line, played on the driver's drawing entries as GDI calls them. Coordinates are device
 * pixels (decimals go to 28.4); colours are written RRGGBB and handed over as the device's
 * PAL_BGR colours.
 *
 *   page                                  starts a page (the next page or the end sends it)
 *   clip none | rect L T R B | path <path>
 *   brush none | solid RRGGBB | hatch <0-5> FG BG | mono W H <hex> FG BG [bottomup]
 *         | pattern <4|8|24> W H <hex> [palette C,...] [bottomup]
 *   origin X Y          mix 0xMMMM          fillmode alternate | winding | <n>
 *   pen cosmetic [width N] [style alternate | L,...] [startgap]
 *   pen geometric W [join J] [cap C] [miter M] [style L,...] [startgap] [xform A B C D]
 *   stroke | fill | strokefill <path>
 *   bitmap <name> <1|4|8|16|24|32> W H <fill> [palette C,...] [xlate identity | swap | table]
 *          [bottomup]        fills: solid C | gradient | noise <seed> | checker <n> | stripes <n>
 *                            | hex <rows>; C is RRGGBB above 8 bits, else an index
 *   copybits <name> X Y
 *   stretchblt <name> L T R B [src X Y W H] [mask <name> X Y]
 *   bitblt <rop4> L T R B [src <name> X Y] [mask <name> X Y]     (with the current brush)
 *   stretchbltrop <rop4> <name> L T R B [src X Y W H]            (with the current brush)
 *   font device "<face>" <pixels>        a device font of the DC (names of enable --fonts),
 *                                         its em height in pixels
 *   text X Y "<text>" [opaque L T R B] [extra L T R B ...] [advance N] [vertical] [reversed]
 *                                         the text in the font with the current brush at its
 *                                         baseline origin, each character advanced by the
 *                                         driver's width (DrvQueryAdvanceWidths) or by N; the
 *                                         opaque rectangle in white
 *   readback L T R B                      copies the page's rectangle back (DrvCopyBits)
 *   stamp ... end                         what the document events draw as the stamp
 *
 * A path is M x y, L x y..., C x y x y x y..., Z, or rect / ellipse L T R B (an ellipse
 * path is flagged PO_ELLIPSE). '#' starts a comment. The state (clip, brush, origin, mix,
 * fill mode, pen, bitmaps) starts afresh at each page and in the stamp block. A bitmap's
 * translation: identity (trivial), swap (device colours with red and blue exchanged) or,
 * for 1 to 8 bits, its palette as a table (the default there).
 */
#ifndef QM_TOOLS_PRINTHOST_DRAW_SCRIPT_H
#define QM_TOOLS_PRINTHOST_DRAW_SCRIPT_H

#include <windows.h>
#include <winddi.h>

#include <string>
#include <vector>

struct DrawStatement {
    int line;
    std::vector<std::string> words;
};

struct DrawScript {
    std::vector<std::vector<DrawStatement>> pages;
    std::vector<DrawStatement> stamp;
};

/* The driver's drawing entries the script calls. */
struct DrawEntries {
    BOOL(WINAPI *strokePath)(SURFOBJ *, PATHOBJ *, CLIPOBJ *, XFORMOBJ *, BRUSHOBJ *, POINTL *, LINEATTRS *, MIX);
    BOOL(WINAPI *fillPath)(SURFOBJ *, PATHOBJ *, CLIPOBJ *, BRUSHOBJ *, POINTL *, MIX, FLONG);
    BOOL(WINAPI *strokeAndFillPath)
    (SURFOBJ *, PATHOBJ *, CLIPOBJ *, XFORMOBJ *, BRUSHOBJ *, LINEATTRS *, BRUSHOBJ *, POINTL *, MIX, FLONG);
    BOOL(WINAPI *realizeBrush)(BRUSHOBJ *, SURFOBJ *, SURFOBJ *, SURFOBJ *, XLATEOBJ *, ULONG);
    BOOL(WINAPI *bitBlt)
    (SURFOBJ *, SURFOBJ *, SURFOBJ *, CLIPOBJ *, XLATEOBJ *, RECTL *, POINTL *, POINTL *, BRUSHOBJ *, POINTL *, ROP4);
    BOOL(WINAPI *copyBits)(SURFOBJ *, SURFOBJ *, CLIPOBJ *, XLATEOBJ *, RECTL *, POINTL *);
    BOOL(WINAPI *stretchBlt)
    (SURFOBJ *, SURFOBJ *, SURFOBJ *, CLIPOBJ *, XLATEOBJ *, COLORADJUSTMENT *, POINTL *, RECTL *, RECTL *, POINTL *,
     ULONG);
    BOOL(WINAPI *stretchBltRop)
    (SURFOBJ *, SURFOBJ *, SURFOBJ *, CLIPOBJ *, XLATEOBJ *, COLORADJUSTMENT *, POINTL *, RECTL *, RECTL *, POINTL *,
     ULONG, BRUSHOBJ *, DWORD);
    BOOL(WINAPI *textOut)
    (SURFOBJ *, STROBJ *, FONTOBJ *, CLIPOBJ *, RECTL *, RECTL *, BRUSHOBJ *, BRUSHOBJ *, POINTL *, MIX);
    PIFIMETRICS(WINAPI *queryFont)(DHPDEV, ULONG_PTR, ULONG, ULONG_PTR *);
    BOOL(WINAPI *queryAdvanceWidths)(DHPDEV, FONTOBJ *, ULONG, HGLYPH *, PVOID, ULONG);
};

/* ph_ReadDrawScript: reads (UTF-8) and checks a script. FALSE with "<path>:<line>: <what>"
 * in error. */
BOOL ph_ReadDrawScript(const char *path, DrawScript *script, std::string *error);

/* ph_DrawStatements: plays statements on the surface with a fresh state. Each drawing call
 * that answers FALSE is named on standard error with its line. Returns their number. */
int ph_DrawStatements(const DrawEntries *entries, SURFOBJ *surface, const std::vector<DrawStatement> &statements);

#endif /* QM_TOOLS_PRINTHOST_DRAW_SCRIPT_H */
