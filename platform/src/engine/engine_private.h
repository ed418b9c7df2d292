/*
 * Private records of the graphics-engine area. Every object the engine hands to a driver
 * is the public record (SURFOBJ, XLATEOBJ ...) as the first member of a private one, so the
 * engine finds its own data from the pointer the driver passes back. Engine state is one
 * per process, guarded by one lock.
 */
#ifndef QM_ENGINE_PRIVATE_H
#define QM_ENGINE_PRIVATE_H

#include <windows.h>
#include <winddi.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/testing/qm_testing_engine.h"

namespace qme {

/* Kinds of engine calls that fault injection can make fail (QMT_ENGINE_* values). */
enum FailKind { kFailSurface = 1, kFailPalette = 2, kFailRbrush = 3, kFailGlyphSet = 4, kFailKinds = 5 };

struct Surface {
    SURFOBJ so; /* first: the driver sees this */
    DWORD magic;
    FLONG hooks; /* EngAssociateSurface */
    BYTE *bits;  /* owned pixel memory, or NULL */
    LONG locks;
};

struct Palette {
    DWORD magic;
    ULONG mode;
    std::vector<ULONG> colors;
    FLONG masks[3];
};

struct Xlate {
    XLATEOBJ xo; /* first */
    DWORD magic;
    ULONG srcMode; /* PAL_* of the source colours, for table-less translation */
    FLONG srcMasks[3];
    ULONG dstMode; /* PAL_RGB or PAL_BGR */
    std::vector<ULONG> table;
};

/* The driver's brush realiser (DrvRealizeBrush). */
typedef BOOL(WINAPI *RealizeBrushFn)(BRUSHOBJ *, SURFOBJ *, SURFOBJ *, SURFOBJ *, XLATEOBJ *, ULONG);

struct Brush {
    BRUSHOBJ bo; /* first */
    DWORD magic;
    SURFOBJ *target;
    SURFOBJ *pattern;
    SURFOBJ *mask;
    XLATEOBJ *xlate;
    ULONG hatch;
    RealizeBrushFn realize;
    bool ownsObjects; /* pattern and xlate were made for the brush and go with it */
};

struct Xform {
    XFORMOBJ xo; /* first */
    DWORD magic;
    XFORML m;
};

struct Glyph {
    HGLYPH hg;
    GLYPHDATA data;
    std::vector<BYTE> bits; /* GLYPHBITS image */
    PATHOBJ *path;          /* outline, or NULL */
};

struct Font {
    FONTOBJ fo; /* first */
    DWORD magic;
    Xform xform;
    IFIMETRICS *pifi;
    std::vector<Glyph> glyphs;
};

struct Run {
    FLONG flags;
    std::vector<POINTFIX> points;
};

struct Path {
    PATHOBJ po; /* first */
    DWORD magic;
    std::vector<Run> runs;
    size_t cursor;
    bool open; /* a subpath is open (MoveTo seen, not closed) */
};

struct Clip {
    CLIPOBJ co; /* first */
    DWORD magic;
    std::vector<RECTL> rects;
    std::vector<RECTL> order; /* enumeration order */
    size_t cursor;
    std::vector<Run> shape; /* a clip made from a path: its runs, handed out as the path */
};

struct String {
    STROBJ so; /* first */
    DWORD magic;
    std::vector<GLYPHPOS> glyphs;
    std::u16string text;
    size_t cursor;
};

/* The engine lock (recursive: builders call the public functions). */
std::recursive_mutex &Lock();

/* True when the next call of this kind may go on; false when fault injection refuses it
 * (or the kernel's allocation gate does). Call under the lock. */
bool CallAllowed(FailKind kind);
/* Keeps the arguments of an EngBitBlt call for the test controls. */
void RecordBitBlt(const QMT_ENGINE_BITBLT &call);

/* Registry of the object records the engine made: a driver may be handed plain public
 * records made elsewhere, which must never be read past their end. */
void RegisterObject(const void *record, DWORD magic);
void UnregisterObject(const void *record);
/* True when `record` is a live record of the engine of the kind `magic`. */
bool IsObject(const void *record, DWORD magic);

/* Records of the engine, checked by the registry; NULL for anything else. */
Surface *SurfaceOf(HSURF h);
Palette *PaletteOf(HPALETTE h);
Xlate *XlateOf(XLATEOBJ *pxlo);
Brush *BrushOf(BRUSHOBJ *pbo);
Xform *XformOf(XFORMOBJ *pxo);
Font *FontOf(FONTOBJ *pfo);
Path *PathOf(PATHOBJ *ppo);
Clip *ClipOf(CLIPOBJ *pco);
String *StringOf(STROBJ *pstro);

/* Makes an empty path record owned by the engine (counted among live paths). */
Path *NewPath();
/* Frees a path record. */
void FreePath(Path *p);

/* Writes one pixel (in the surface's own format) at (x, y) of a bitmap surface; the
 * caller keeps x and y inside it. */
void StorePixel(SURFOBJ *so, LONG x, LONG y, ULONG color);

/* Frees the realisations BRUSHOBJ_pvAllocRbrush made for one brush. */
void FreeRbrushes(BRUSHOBJ *pbo);

/* Bits per pixel of a BMF_* format, 0 for others. */
ULONG BitsOfFormat(ULONG iFormat);

/* Live counts, changed under the lock. */
extern DWORD g_live_surfaces;
extern DWORD g_live_palettes;
extern DWORD g_live_paths;
extern DWORD g_live_rbrushes;

const DWORD kSurfaceMagic = 0x46525553; /* "SURF" */
const DWORD kPaletteMagic = 0x4C415050; /* "PPAL" */
const DWORD kXlateMagic = 0x54414C58;
const DWORD kBrushMagic = 0x48535242;
const DWORD kXformMagic = 0x4D524F46;
const DWORD kFontMagic = 0x544E4F46;
const DWORD kPathMagic = 0x48544150;
const DWORD kClipMagic = 0x50494C43;
const DWORD kStringMagic = 0x4F525453;

} // namespace qme

#endif /* QM_ENGINE_PRIVATE_H */
