/*
 * Private records of the GDI area: device contexts, logical palettes and device-dependent
 * bitmaps. A handle is the address of its record; every handle passed in is looked up in
 * the table of live objects first, so a stale or foreign handle is refused. Display
 * bitmaps hold 32 bits per pixel (blue, green, red, unused), rows top first.
 */
#ifndef QM_GDI_PRIVATE_H
#define QM_GDI_PRIVATE_H

#include <windows.h>

#include <mutex>
#include <vector>

namespace qmg {

enum ObjectKind { kDc = 1, kPalette = 2, kBitmap = 3 };

struct Object {
    ObjectKind kind;
    bool stock;
};

struct Palette : Object {
    std::vector<PALETTEENTRY> entries;
    DWORD selections;     /* DCs holding it selected */
};

struct Dc : Object {
    Palette *palette;     /* the selected palette (the stock one at first) */
};

struct Bitmap : Object {
    LONG width;
    LONG height;
    std::vector<DWORD> pixels;
};

/* The lock over every GDI object; one per process. */
std::recursive_mutex &Lock();

/* Counts one GDI call (for qmt_GdiCalls). */
void CountCall();

/* Registers a new object (counted live); false when refused (allocation fault). */
bool Register(Object *object);

/* Removes and frees a registered object. */
void Unregister(Object *object);

/* The live object of a handle and kind, or NULL. */
Object *Find(const void *handle, ObjectKind kind);

/* The stock default palette (20 entries). */
Palette *StockPalette();

}  // namespace qmg

#endif /* QM_GDI_PRIVATE_H */
