/*
 * The PROPSHEETPAGEW records handed to the common property sheet, built from a sheet's
 * descriptor array, and the page-title copies the sheet keeps for them.
 */
#ifndef QM_UI_DRIVER_SHEET_PROPERTY_PAGES_H
#define QM_UI_DRIVER_SHEET_PROPERTY_PAGES_H

#include <windows.h>

#include <prsht.h>

#include "ui/driver/sheet/sheet_records.h"
#include "ui/driver/sheet/snapshot.h"

/*
 * ui_BuildPropSheetPages: a new global-heap array with one record per descriptor that has
 * a PageInfo, in order: the size of the full record, PSP_HASHELP, the template as a
 * resource id and the page procedure; PSP_USETITLE with the title string id as a
 * resource id, or else with a copy of the caption of the title FunctionID (kept in the
 * sheet's title-copy list). A caption that cannot be read or copied leaves the page
 * without PSP_USETITLE. *pageCount gets the page count. NULL, with nothing left
 * allocated, for no pages or when an array cannot be allocated.
 */
PROPSHEETPAGEW *ui_BuildPropSheetPages(const TabDescriptor *const *descriptors, SheetContext *sheet, WORD count,
                                       WORD *pageCount);

/* ui_FreePageTitles: frees the sheet's title copies and their list. Returns 1, 0 for
 * NULL. */
int ui_FreePageTitles(SheetContext *sheet);

#endif /* QM_UI_DRIVER_SHEET_PROPERTY_PAGES_H */
