/*
 * The constant records of the sheet engine: a page or sub-dialog panel is a TabDescriptor,
 * a page is created from its PageInfo, a panel lists its controls as ControlRecord rows.
 * The engine never writes these tables; it copies a PanelInfo before keeping a flag in it.
 * Page and panel numbers share one range 0 to 58.
 */
#ifndef QM_UI_DRIVER_SHEET_SHEET_RECORDS_H
#define QM_UI_DRIVER_SHEET_SHEET_RECORDS_H

#include <windows.h>

#include "platform/include/qm_layout.h"
#include "ui/driver/runtime/window_helpers.h" /* HelpIdPair */

#define UI_NONE_ID ((DWORD)-3) /* "none" in every id field */
#define UI_NO_PANEL ((LONG)-4) /* panel id of a call outside any panel */
#define UI_PANEL_SLOTS 59      /* panel ids 0..58 */

/* Bits of a ControlRecord's flags word. */
#define UI_CTRL_NEVER_GREYED 0x0001  /* stays enabled on a read-only sheet, label left alone */
#define UI_CTRL_KEEP_ON_RESET 0x0002 /* not reset when the panel is reset to defaults */
#define UI_CTRL_LABEL_FOLLOWS 0x0004 /* label shown, hidden and enabled with the control */

/* High half of a FunctionID list entry: when the control's settings are evaluated. */
#define UI_FID_EVAL_ON_ACTIVATE 0x00010000u
#define UI_FID_EVAL_ON_CHANGE 0x00020000u

/* Private messages of the sheet engine's pages and controls. */
#define UIM_REFRESH 2524       /* settings changed: reread and redraw (lParam: changed list) */
#define UIM_VALIDATE 2526      /* before an OK action: non-zero stops it */
#define UIM_CANCEL 2527        /* before Cancel is handled */
#define UIM_SHOW_WARNINGS 2528 /* show the pending warning texts */
#define UIM_GET_PANEL 2529     /* lParam: DWORD receiving the page's panel id */
#define UIM_CONTROL_1 2530     /* routed to the control whose id is in wParam */
#define UIM_CONTROL_2 2531
#define UIM_NEXT_OPTION 2532 /* the list control of wParam moves to its next allowed option */
#define UIM_CONTROL_3 2533

struct TabDescriptor;
struct ControlRecord;
struct ItemCallContext;

/* A control handler or control-type procedure: the call's context, the message and its
 * arguments (lParam the NMHDR of WM_NOTIFY), the control's row and the row's extra data. */
typedef int (*ControlProc)(struct ItemCallContext *context, UINT message, WPARAM wParam, LPARAM lParam,
                           const struct ControlRecord *control, const void *extra);

/* One dialog control: the settings it edits, its type, handler, extra data and label. */
typedef struct ControlRecord {
    DWORD controlId;   /* UI_NONE_ID: a row that only receives the panel's broadcasts */
    DWORD fidCount;    /* entries of fids */
    const DWORD *fids; /* low 16 bits FunctionID, high 16 bits evaluation mask */
    DWORD controlType; /* 0, or 1..15 */
    void *handler;     /* procedure with the type procedures' signature, or NULL */
    const void *extra; /* type-specific data passed to the handler, or NULL */
    DWORD labelId;     /* static label showing the setting's caption, or UI_NONE_ID */
    DWORD stringId;    /* extra text composed into the label, or UI_NONE_ID */
    const WORD *flags; /* UI_CTRL_* word, or NULL */
} ControlRecord;

/* The controls of one page or sub-dialog. */
typedef struct PanelInfo {
    const ControlRecord *controls;
    DWORD controlCount;
    DWORD helpId; /* help context of the panel */
    const HelpIdPair *helpIds;
    const DWORD *otherIds; /* ids greyed with the panel, ended by UI_NONE_ID, or NULL */
    DWORD reinitialise;    /* 0 in the tables; set in a sheet's copy after PSN_APPLY */
} PanelInfo;

/* How a page is created. */
typedef struct PageInfo {
    DWORD templateId; /* 16-bit resource id of the dialog template */
    DLGPROC dialogProc;
    DWORD pageNumber;                          /* equal to the descriptor's panel id */
    DWORD titleStringId;                       /* UI_NONE_ID = none */
    DWORD titleFid;                            /* 0 = none */
    const struct TabDescriptor *const *panels; /* sub-dialog panels of the page */
    DWORD panelCount;                          /* read as 16 bits */
} PageInfo;

/* One page, or one panel of a sub-dialog (page NULL). */
typedef struct TabDescriptor {
    DWORD panelId; /* 0..58 */
    const PanelInfo *panel;
    const PageInfo *page;
} TabDescriptor;

/* A page of a nested property sheet, or a plain sub-dialog, opened by a push button. */
typedef struct ItemEntry {
    DWORD templateId;
    DLGPROC dialogProc;
    DWORD reserved1;
    DWORD reserved2;
    DWORD titleFid; /* read as 16 bits; 0 = none */
} ItemEntry;

/* The per-sheet copies of the panels, indexed by panel id. */
typedef struct PanelTable {
    PanelInfo *slots[UI_PANEL_SLOTS];
} PanelTable;

static_assert(sizeof(TabDescriptor) == QM_LAYOUT(12, 24), "TabDescriptor");
static_assert(sizeof(PageInfo) == QM_LAYOUT(28, 48), "PageInfo");
static_assert(sizeof(PanelInfo) == QM_LAYOUT(24, 40), "PanelInfo");
static_assert(sizeof(ControlRecord) == QM_LAYOUT(36, 56), "ControlRecord");
static_assert(sizeof(ItemEntry) == QM_LAYOUT(20, 32), "ItemEntry");
static_assert(sizeof(HelpIdPair) == 8, "HelpIdPair");

#endif /* QM_UI_DRIVER_SHEET_SHEET_RECORDS_H */
