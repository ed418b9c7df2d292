/*
 * What the PDEV lifecycle entry points share: the GDIINFO and DEVINFO they answer GDI
 * with and the one release path of a PDEV.
 */
#ifndef QM_RENDER_DRIVER_ENTRY_PDEV_LIFECYCLE_H
#define QM_RENDER_DRIVER_ENTRY_PDEV_LIFECYCLE_H

#include "render/driver/forms/pdev_paper.h"
#include "render/driver/pdev/pdev.h"

/* pdev_FillGdiInfo: the 304-byte GDIINFO for the page, at most size bytes copied to caps. */
void pdev_FillGdiInfo(PDEV *pdev, const PaperTenths *tenths, ULONG size, ULONG *caps);

/* pdev_FillDevInfo: the 300-byte DEVINFO, at most size bytes copied to info; creates the
 * PDEV's palette (replacing an earlier one). Returns 1, or 0 when the default device font
 * or the palette cannot be made. */
BOOL pdev_FillDevInfo(PDEV *pdev, ULONG size, DEVINFO *info);

/*
 * pdev_Release: gives back, in reverse order of taking, everything a PDEV holds: palette,
 * font tables, font substitution table, printer-data block, paper records, printer
 * context (under the context lock), its heap (the PDEV itself with it), the resource
 * module use and the binding (under the binding lock). Each part is released only when
 * taken: bound and resourceTaken say whether those two uses were.
 */
void pdev_Release(PDEV *pdev, BOOL resourceTaken, BOOL bound);

#endif /* QM_RENDER_DRIVER_ENTRY_PDEV_LIFECYCLE_H */
