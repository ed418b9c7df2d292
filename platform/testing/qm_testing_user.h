/*
 * Test controls of the user area (tests and tools only, never driver code): scripts that
 * act as the user on the next modal dialog, the pump for posted messages, the user log,
 * and the live windows.
 */
#ifndef QM_TESTING_USER_H
#define QM_TESTING_USER_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* What a scripted user does, in order, to one modal dialog. */
#define QMT_ACT_CLICK 1       /* clicks the button `control` (BM_CLICK) */
#define QMT_ACT_TYPE 2        /* selects all of edit or combo `control` and types `text` */
#define QMT_ACT_CHOOSE 3      /* chooses item `index` of list or combo `control` */
#define QMT_ACT_COMMAND 4     /* the dialog gets WM_COMMAND `control` (Enter: IDOK, Esc: IDCANCEL) */
#define QMT_ACT_RIGHT_CLICK 5 /* right-clicks `control` (WM_CONTEXTMENU) */
#define QMT_ACT_FOCUS 6       /* moves the focus to `control` (a click or tab without other effect) */
#define QMT_ACT_KEY 7         /* presses virtual key `index` in list `control` (WM_KEYDOWN) */
#define QMT_ACT_SLIDE 13      /* drags trackbar `control` to position `index` */
#define QMT_ACT_SPIN 14       /* clicks up-down `control`: `index` 1 up, -1 down */
/* Property sheets: control actions above go to the active page; these to the sheet. */
#define QMT_ACT_TAB 8    /* chooses the tab of page `index` */
#define QMT_ACT_OK 9     /* the OK button */
#define QMT_ACT_APPLY 10 /* the Apply button */
#define QMT_ACT_CANCEL 11
#define QMT_ACT_HELP 12

typedef struct QmtUserAction {
    DWORD kind;
    int control;  /* the control's id */
    LPCWSTR text; /* QMT_ACT_TYPE: the typed text (copied when scripted) */
    int index;    /* QMT_ACT_CHOOSE: the item; QMT_ACT_KEY: the virtual key */
} QmtUserAction;

/* Queues a script for the next modal dialog made from template `templateId` (0: any) whose
 * title equals `title` (NULL: any), or for the next property sheet (template 0, the
 * sheet's title); the first queued script that matches is used once.
 * A dialog the script leaves open is cancelled as an unscripted one is. FALSE when out of
 * memory. */
BOOL qmt_ScriptDialog(UINT templateId, LPCWSTR title, const QmtUserAction *actions, DWORD count);

/* Drops every queued script. */
void qmt_ResetDialogScripts(void);

/* Dispatches every posted message, also those posted meanwhile; returns how many. */
DWORD qmt_PumpMessages(void);

/* Lines the user area logged (unscripted dialogs and how they ended), oldest first. */
DWORD qmt_UserLogCount(void);
/* Copies line `index` (cut to capacity); FALSE past the end. */
BOOL qmt_UserLogLine(DWORD index, LPWSTR buffer, DWORD capacity);
void qmt_ResetUserLog(void);

/* Draws a window and its visible children in the fixed classic look (a window with a
 * caption gets a title bar above it): pixels 0x00RRGGBB, rows top first. With pixels NULL,
 * only sets *width and *height. FALSE for an unknown window or too small a capacity. */
BOOL qmt_RenderWindow(HWND hwnd, DWORD *pixels, int *width, int *height, DWORD capacity);
/* The same picture as a PNG file at a host path. */
BOOL qmt_RenderWindowPng(HWND hwnd, const char *path);

/* Live windows (CreateWindowExW and dialogs until destroyed). */
DWORD qmt_LiveWindows(void);

/* Live property-sheet pages (CreatePropertySheetPageW until a sheet or
 * DestroyPropertySheetPage frees them). */
DWORD qmt_LivePropertySheetPages(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_USER_H */
