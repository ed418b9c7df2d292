/*
 * Private records and services of the user area: window classes, windows and their
 * control state, the focus, and the dialog manager's hooks.
 *
 * Windows belong to the thread that made them (as the driver's sheets do); the table of
 * windows is locked for lookups, but window procedures always run without the lock. A
 * handle is a number from a counter, never an address, so a stale handle is refused.
 */
#ifndef QM_PLATFORM_SRC_USER_USER_PRIVATE_H
#define QM_PLATFORM_SRC_USER_USER_PRIVATE_H

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace qmu {

/* A list or combo item. */
struct Item {
    std::u16string text;
    ULONG_PTR data;
    bool selected; /* multiple-selection lists */
};

/* A registered window class. */
struct WindowClass {
    std::u16string name; /* as registered */
    WNDPROC proc;
    int windowExtra;
    HINSTANCE instance;
    ATOM atom;
    bool system; /* a built-in class, never unregistered */
};

struct Window {
    HWND handle;
    const WindowClass *cls;
    WNDPROC proc;
    HWND parent; /* child windows */
    HWND owner;  /* top-level windows */
    DWORD style;
    DWORD exStyle;
    LONG_PTR id; /* GWLP_ID: the control id of a child */
    HINSTANCE instance;
    LONG_PTR userData;
    std::vector<BYTE> extra; /* cbWndExtra bytes; dialogs: DLGWINDOWEXTRA */
    std::u16string text;
    RECT rect;                              /* in the parent's client coordinates (screen for top-level windows) */
    std::map<std::u16string, HANDLE> props; /* names folded to upper case */
    std::vector<HWND> children;             /* in creation order */
    HFONT font;
    bool destroying;

    /* Dialogs */
    bool dialog;
    bool ended;
    INT_PTR endResult;
    int baseX; /* dialog base units */
    int baseY;
    HFONT ownFont; /* the font the template asked for, deleted with the dialog */

    /* Controls */
    DWORD check;        /* buttons: BST_* */
    bool pushed;        /* buttons: BST_PUSHED */
    HANDLE image;       /* statics: STM_SETICON/STM_SETIMAGE; buttons: BM_SETIMAGE */
    UINT limit;         /* edits and combos: EM_LIMITTEXT (0: the default) */
    WCHAR passwordChar; /* edits: shown instead of each character */
    std::vector<Item> items;
    int current; /* lists and combos: the selection, -1 for none */
    int topIndex;
    UINT itemHeight;
    bool dropped;   /* combos: the list is open */
    bool selectAll; /* edits and combos: the next typed character replaces the text */
};

/* The live window of a handle, or NULL. Valid until the window is destroyed. */
Window *Find(HWND hwnd);

/* The class named, or NULL (case-insensitive; an atom is accepted). */
const WindowClass *FindClass(LPCWSTR name, HINSTANCE instance);

/* Registers the built-in classes once (Button, Edit, Static, ListBox, ComboBox,
 * ScrollBar, the dialog class). */
void RegisterSystemClasses();

/* The window procedures of the built-in classes. */
LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ScrollBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

/* What a user does to a control: chooses an item of a list or combo (notifications as
 * Windows sends them for a mouse choice); types text into an edit or combo (all selected,
 * then one WM_CHAR per character). False when the control cannot take it. */
bool ChooseItem(HWND control, int index);
bool TypeText(HWND control, LPCWSTR text);

/* A user action handed to a control of another area (trackbars, up-down controls):
 * wParam the QMT_ACT_ kind, lParam its value. A private message below WM_USER. */
const UINT kUserActionMessage = 0x03F0;

/* A scripted user action (qmt_ScriptDialog) and a script. */
struct Action {
    DWORD kind;
    int control;
    std::u16string text;
    int index;
};

struct Script {
    UINT templateId;
    bool anyTitle;
    std::u16string title;
    std::vector<Action> actions;
};

/* Takes the first queued script matching the template id and title out of the queue;
 * false when none matches. */
bool TakeScript(UINT templateId, const std::u16string &title, Script *out);

/* Performs one control action of a script on the dialog (or page) hwnd; `name` names the
 * window in log lines. Sheet actions are the sheet's own. */
void PerformAction(HWND hwnd, const std::u16string &name, const Action &action);

/* "dialog <id> "<title>"", as log lines name a window. */
std::u16string WindowName(UINT templateId, const std::u16string &title);

/* Creates a dialog from a template of `size` bytes (0: trusted), as CreateDialogIndirectParamW. */
HWND CreateDialogFromTemplate(HINSTANCE instance, const BYTE *data, size_t size, HWND parent, DLGPROC proc,
                              LPARAM param);

/* Sends WM_COMMAND with the notification code to the control's parent. */
void NotifyParent(HWND control, WORD code);

/* The kind of a control for WM_MEASUREITEM and the like (ODT_*), from its class. */
UINT OwnerDrawKind(const Window *window);

/* Drops the posted messages of a destroyed window. */
void DropPostedMessages(HWND hwnd);

/* Appends a line to the user log (qmt_UserLogLine). */
void Log(const std::u16string &line);

/* A decimal number as text. */
std::u16string Number(long long value);

} // namespace qmu

#endif /* QM_PLATFORM_SRC_USER_USER_PRIVATE_H */
