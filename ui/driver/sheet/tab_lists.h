/*
 * The tabs of one sheet: the document and device tab lists, the pages put in place of a
 * tab for some models, and the descriptor array of a sheet (each tab followed by the
 * sub-dialog panels of its page).
 */
#ifndef QM_UI_DRIVER_SHEET_TAB_LISTS_H
#define QM_UI_DRIVER_SHEET_TAB_LISTS_H

#include <windows.h>

#include "ui/driver/sheet/sheet_records.h"
#include "ui/driver/sheet/snapshot.h"

#define UI_SHEET_DEVICE 1
#define UI_SHEET_DOCUMENT 2
#define UI_MAX_TABS 20
#define UI_ONLY_LAST_CLASS_PAGE 52 /* shown only to models of class 4 */
#define UI_SUBSTITUTE_CAPABILITY 0x2000000

/* One tab list. */
typedef struct TabList {
    const TabDescriptor *const *tabs;
    WORD count;
} TabList;

/* The shipped tab lists and substitute pages (defined with the pages). */
typedef struct SheetTabLists {
    TabList document;    /* model classes other than 3 and 4 */
    TabList alternative; /* model classes 3 and 4 */
    TabList device;
    const TabDescriptor *colourPage; /* replaced by monochromePage on monochrome models */
    const TabDescriptor *monochromePage;
    const TabDescriptor *devicePage; /* replaced by devicePageAlt with the capability */
    const TabDescriptor *devicePageAlt;
} SheetTabLists;

extern const SheetTabLists g_SheetTabLists;

/*
 * ui_StoreTabs: the tabs of list into tabs (room for UI_MAX_TABS), page 52 only for model
 * class 4. A 21st tab is not stored: a message box (no owner) says so and the answer is 0.
 * count: out, the tabs stored. Returns 1, or 0.
 */
int ui_StoreTabs(const TabList *list, const TabDescriptor **tabs, WORD modelClass, WORD *count);

/* local_SetWndInfoList: the tabs of a sheet kind (1 device, 2 document; the alternative
 * document list when alternative is set). Returns 1, or 0 for another kind or too many. */
int local_SetWndInfoList(WORD sheetKind, const TabDescriptor **tabs, WORD modelClass, BOOL alternative, WORD *count);

/* ui_SubstitutePage: the descriptor to use for tab on the sheet's model (the monochrome
 * colour page, the alternative device page), or tab itself. */
const TabDescriptor *ui_SubstitutePage(const TabDescriptor *tab, SheetContext *sheet);

/* ui_BuildSheetPanelList: a new zeroed array with room for the sheet's tabs and the
 * sub-dialog panels of their pages (after substitution); count: out, its length. NULL for
 * another kind, too many tabs or out of memory. */
const TabDescriptor **ui_BuildSheetPanelList(WORD sheetKind, SheetContext *sheet, WORD modelClass, WORD *count);

/* ui_FillSheetPanelList: fills the array of ui_BuildSheetPanelList: each tab (after
 * substitution) followed by its page's panels. Returns 1, or 0. */
int ui_FillSheetPanelList(WORD sheetKind, SheetContext *sheet, WORD modelClass, const TabDescriptor **array);

#endif /* QM_UI_DRIVER_SHEET_TAB_LISTS_H */
