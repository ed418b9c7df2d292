/*
 * Property sheets and pages, headless and never blocking.
 *
 * Pages are created on their first activation: PSPCB_CREATE (a page answering 0 is left
 * out), the page dialog with WM_INITDIALOG (lParam: the sheet's copy of the page record),
 * PSN_SETACTIVE. A tab change asks the active page PSN_KILLACTIVE (a nonzero answer keeps
 * it), then activates the new page. OK and Apply ask the active page PSN_KILLACTIVE, then
 * send PSN_APPLY (lParam TRUE for OK) to each created page in order: PSNRET_INVALID stops
 * there and activates that page, PSNRET_INVALID_NOCHANGEPAGE stops on the active page.
 * Cancel asks PSN_QUERYCANCEL of the active page (nonzero keeps the sheet open), then sends
 * PSN_RESET to each created page.
 *
 * PropertySheetW answers 1 after OK, and after Cancel 1 when an Apply saved changes before
 * it, else 0 (Windows' "changes were saved" rule); ID_PSRESTARTWINDOWS or ID_PSREBOOTSYSTEM
 * when a page asked for them. The sheet takes the first queued user script whose title is
 * the sheet's caption (qmt_ScriptDialog with template 0); without one, or when its script
 * leaves it open, it is cancelled, and the log says so.
 */
#include <windows.h>
#include <commctrl.h>

#include <stddef.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/src/comctl/comctl_private.h"
#include "platform/src/gdi/gdi_private.h"
#include "platform/src/kernel/kernel_private.h"
#include "platform/src/user/dialog_template.h"
#include "platform/src/user/user_private.h"
#include "platform/testing/qm_testing.h"

struct _PSP {
    std::vector<BYTE> record; /* the caller's record, dwSize bytes (extra bytes included) */
    HWND hwnd;
    bool created;
};

namespace {

const WCHAR kSheetClass[] = u"QmPropertySheet";
const int kApplyId = 0x3021;
const UINT kPressButton = WM_APP + 0x3A; /* PSM_PRESSBUTTON, posted to the sheet itself */
const int kMargin = 7;
const int kButtonWidth = 75;
const int kButtonHeight = 23;
const int kTabHeight = 20; /* the row of tabs */
const int kTabInset = 4;   /* between the tab body's edge and the page */
const WCHAR kTabClass[] = u"SysTabControl32";

std::mutex g_pageLock;
DWORD g_livePages;

struct Sheet {
    HWND hwnd;
    HWND tabs; /* the tab row: one item per page, the active one current */
    std::vector<HPROPSHEETPAGE> pages;
    int active;
    bool applied;
    bool ended;
    bool okEnded;
    INT_PTR restart;
};

PROPSHEETPAGEW *sheet_Record(HPROPSHEETPAGE page)
{
    return (PROPSHEETPAGEW *)page->record.data();
}

Sheet *sheet_Of(HWND hwnd)
{
    return (Sheet *)GetWindowLongPtrW(hwnd, GWLP_USERDATA);
}

/* Sends a PSN_ notification to a created page; its answer (the page's DWLP_MSGRESULT). */
LRESULT sheet_Notify(Sheet *s, HPROPSHEETPAGE page, UINT code, LPARAM lParam)
{
    if (!page || !page->created)
        return 0;
    PSHNOTIFY n = {};
    n.hdr.hwndFrom = s->hwnd;
    n.hdr.idFrom = 0;
    n.hdr.code = code;
    n.lParam = lParam;
    return SendMessageW(page->hwnd, WM_NOTIFY, 0, (LPARAM)&n);
}

UINT sheet_Callback(HPROPSHEETPAGE page, UINT msg)
{
    PROPSHEETPAGEW *psp = sheet_Record(page);
    if (!(psp->dwFlags & PSP_USECALLBACK) || !psp->pfnCallback)
        return 1;
    return psp->pfnCallback(nullptr, msg, psp);
}

/* Creates a page's dialog: PSPCB_CREATE, then the dialog. False when it is left out. */
bool sheet_CreatePage(Sheet *s, HPROPSHEETPAGE page)
{
    if (page->created)
        return true;
    PROPSHEETPAGEW *psp = sheet_Record(page);
    if (sheet_Callback(page, PSPCB_CREATE) == 0)
        return false;
    const BYTE *data = nullptr;
    size_t size = 0;
    if (psp->dwFlags & PSP_DLGINDIRECT) {
        data = (const BYTE *)psp->pResource;
    } else {
        HRSRC res = FindResourceW(psp->hInstance, psp->pszTemplate, RT_DIALOG);
        HGLOBAL loaded = res ? LoadResource(psp->hInstance, res) : nullptr;
        data = loaded ? (const BYTE *)LockResource(loaded) : nullptr;
        size = res ? SizeofResource(psp->hInstance, res) : 0;
        if (!data)
            return false;
    }
    // The page exists before WM_INITDIALOG, so that it can call the sheet from there.
    page->created = true;
    page->hwnd = qmu::CreateDialogFromTemplate(psp->hInstance, data, size, s->hwnd, psp->pfnDlgProc, (LPARAM)psp);
    if (!page->hwnd) {
        page->created = false;
        return false;
    }
    RECT r;
    GetWindowRect(page->hwnd, &r);
    MoveWindow(
        page->hwnd, kMargin + kTabInset, kMargin + kTabHeight + kTabInset, r.right - r.left, r.bottom - r.top, FALSE);
    return true;
}

/* Makes page `index` the active one; false when the active page refuses or the new one
 * cannot be created. */
bool sheet_Activate(Sheet *s, int index)
{
    if (index < 0 || index >= (int)s->pages.size())
        return false;
    if (index == s->active)
        return true;
    HPROPSHEETPAGE old = s->active >= 0 ? s->pages[(size_t)s->active] : nullptr;
    if (old && sheet_Notify(s, old, PSN_KILLACTIVE, 0) != 0)
        return false;
    HPROPSHEETPAGE page = s->pages[(size_t)index];
    if (!sheet_CreatePage(s, page)) {
        qmu::Log(u"sheet: page " + qmu::Number(index) + u" was not created");
        return false;
    }
    if (old && old->hwnd)
        ShowWindow(old->hwnd, SW_HIDE);
    s->active = index;
    if (qmu::Window *tabs = qmu::Find(s->tabs))
        tabs->current = index;
    ShowWindow(page->hwnd, SW_SHOW);
    sheet_Notify(s, page, PSN_SETACTIVE, 0);
    return true;
}

void sheet_EnableApply(Sheet *s, bool enable)
{
    if (HWND apply = GetDlgItem(s->hwnd, kApplyId))
        EnableWindow(apply, enable ? TRUE : FALSE);
}

/* OK (ok) or Apply; true when every page took the changes. */
bool sheet_Apply(Sheet *s, bool ok)
{
    HPROPSHEETPAGE active = s->active >= 0 ? s->pages[(size_t)s->active] : nullptr;
    if (active && sheet_Notify(s, active, PSN_KILLACTIVE, 0) != 0)
        return false;
    for (size_t i = 0; i < s->pages.size(); ++i) {
        LRESULT r = sheet_Notify(s, s->pages[i], PSN_APPLY, ok ? TRUE : FALSE);
        if (r == PSNRET_INVALID) {
            if (active && active != s->pages[i] && active->hwnd)
                ShowWindow(active->hwnd, SW_HIDE);
            s->active = (int)i;
            if (qmu::Window *tabs = qmu::Find(s->tabs))
                tabs->current = (int)i;
            ShowWindow(s->pages[i]->hwnd, SW_SHOW);
            sheet_Notify(s, s->pages[i], PSN_SETACTIVE, 0);
            return false;
        }
        if (r == PSNRET_INVALID_NOCHANGEPAGE)
            return false;
    }
    s->applied = true;
    sheet_EnableApply(s, false);
    if (ok) {
        s->ended = true;
        s->okEnded = true;
    }
    return true;
}

bool sheet_Cancel(Sheet *s)
{
    HPROPSHEETPAGE active = s->active >= 0 ? s->pages[(size_t)s->active] : nullptr;
    if (active && sheet_Notify(s, active, PSN_QUERYCANCEL, 0) != 0)
        return false;
    for (HPROPSHEETPAGE page : s->pages)
        sheet_Notify(s, page, PSN_RESET, 0);
    s->ended = true;
    return true;
}

void sheet_Press(Sheet *s, int button)
{
    switch (button) {
    case PSBTN_OK: sheet_Apply(s, true); break;
    case PSBTN_APPLYNOW: sheet_Apply(s, false); break;
    case PSBTN_CANCEL: sheet_Cancel(s); break;
    case PSBTN_HELP:
        if (s->active >= 0)
            sheet_Notify(s, s->pages[(size_t)s->active], PSN_HELP, 0);
        break;
    }
}

LRESULT CALLBACK sheet_Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Sheet *s = sheet_Of(hwnd);
    if (!s)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
    case PSM_CHANGED: sheet_EnableApply(s, true); return 0;
    case PSM_UNCHANGED: sheet_EnableApply(s, false); return 0;
    case PSM_SETCURSEL: {
        int index = (int)wParam;
        for (size_t i = 0; lParam && i < s->pages.size(); ++i)
            if ((LPARAM)s->pages[i] == lParam)
                index = (int)i;
        return sheet_Activate(s, index) ? TRUE : FALSE;
    }
    case PSM_GETCURRENTPAGEHWND: return s->active >= 0 ? (LRESULT)s->pages[(size_t)s->active]->hwnd : 0;
    case PSM_QUERYSIBLINGS:
        for (HPROPSHEETPAGE page : s->pages)
            if (page->created)
                if (LRESULT r = SendMessageW(page->hwnd, PSM_QUERYSIBLINGS, wParam, lParam))
                    return r;
        return 0;
    case PSM_PRESSBUTTON: PostMessageW(hwnd, kPressButton, wParam, 0); return 0;
    case kPressButton: sheet_Press(s, (int)wParam); return 0;
    case PSM_APPLY: return sheet_Apply(s, false) ? TRUE : FALSE;
    case PSM_CANCELTOCLOSE: SetDlgItemTextW(hwnd, IDCANCEL, u"Close"); return 0;
    case PSM_RESTARTWINDOWS: s->restart |= ID_PSRESTARTWINDOWS; return 0;
    case PSM_REBOOTSYSTEM: s->restart |= ID_PSREBOOTSYSTEM; return 0;
    case PSM_SETTITLEW: SetWindowTextW(hwnd, (LPCWSTR)lParam); return 0;
    case PSM_ADDPAGE: {
        HPROPSHEETPAGE page = (HPROPSHEETPAGE)lParam;
        if (!page)
            return FALSE;
        s->pages.push_back(page);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: sheet_Apply(s, true); return 0;
        case IDCANCEL: sheet_Cancel(s); return 0;
        case kApplyId: sheet_Apply(s, false); return 0;
        case IDHELP: sheet_Press(s, PSBTN_HELP); return 0;
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void sheet_RegisterClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = sheet_Proc;
        wc.lpszClassName = kSheetClass;
        RegisterClassW(&wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = kTabClass;
        RegisterClassW(&wc);
    });
}

/* A page's template read for its size in pixels and its title. False when unreadable. */
bool sheet_PageTemplate(HPROPSHEETPAGE page, int *width, int *height, std::u16string *title)
{
    PROPSHEETPAGEW *psp = sheet_Record(page);
    const BYTE *data = nullptr;
    size_t size = 0;
    if (psp->dwFlags & PSP_DLGINDIRECT) {
        data = (const BYTE *)psp->pResource;
    } else {
        HRSRC res = FindResourceW(psp->hInstance, psp->pszTemplate, RT_DIALOG);
        HGLOBAL loaded = res ? LoadResource(psp->hInstance, res) : nullptr;
        data = loaded ? (const BYTE *)LockResource(loaded) : nullptr;
        size = res ? SizeofResource(psp->hInstance, res) : 0;
    }
    qmu::DialogTemplate t;
    if (!data || !qmu::ParseDialogTemplate(data, size, &t))
        return false;
    qmg::TextCell cell = qmg::CellOfHeight(-MulDiv(t.hasFont && t.pointSize ? t.pointSize : 8, qmg::Dpi(), 72));
    *width = MulDiv(t.cx, cell.halfWidth, 4);
    *height = MulDiv(t.cy, cell.height, 8);
    *title = (psp->dwFlags & PSP_USETITLE) && psp->pszTitle && !IS_INTRESOURCE(psp->pszTitle) ? psp->pszTitle
             : t.title.present && !t.title.isOrdinal                                          ? t.title.text
                                                                                              : u"";
    return true;
}

void sheet_Button(HWND sheet, int id, LPCWSTR text, int slot, int width, int height, bool enabled)
{
    int x = width - kMargin - (slot + 1) * (kButtonWidth + kMargin / 2 + 3);
    CreateWindowExW(0,
                    u"Button",
                    text,
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | (enabled ? 0 : WS_DISABLED),
                    x,
                    height - kMargin - kButtonHeight,
                    kButtonWidth,
                    kButtonHeight,
                    sheet,
                    (HMENU)(ULONG_PTR)id,
                    nullptr,
                    nullptr);
}

void sheet_FreePage(HPROPSHEETPAGE page)
{
    if (page->hwnd && IsWindow(page->hwnd))
        DestroyWindow(page->hwnd);
    sheet_Callback(page, PSPCB_RELEASE);
    delete page;
    std::lock_guard<std::mutex> guard(g_pageLock);
    --g_livePages;
}

/* Runs one sheet-level action of a script; false when it is a control action. */
bool sheet_Act(Sheet *s, const qmu::Action &a)
{
    switch (a.kind) {
    case QMT_ACT_TAB:
        if (!sheet_Activate(s, a.index))
            qmu::Log(u"sheet: tab " + qmu::Number(a.index) + u" refused");
        return true;
    case QMT_ACT_OK: sheet_Press(s, PSBTN_OK); return true;
    case QMT_ACT_APPLY: sheet_Press(s, PSBTN_APPLYNOW); return true;
    case QMT_ACT_CANCEL: sheet_Press(s, PSBTN_CANCEL); return true;
    case QMT_ACT_HELP: sheet_Press(s, PSBTN_HELP); return true;
    }
    return false;
}

void sheet_Pump(Sheet *s)
{
    MSG m;
    while (!s->ended && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&m);
}

} // namespace

extern "C" {

/* A page holding a copy of the caller's record (dwSize bytes, at least the version 1
 * record); PSPCB_ADDREF to its callback. NULL for a record too small. */
HPROPSHEETPAGE WINAPI CreatePropertySheetPageW(LPCPROPSHEETPAGEW constPropSheetPagePointer)
{
    const PROPSHEETPAGEW *psp = constPropSheetPagePointer;
    if (!psp || psp->dwSize < PROPSHEETPAGEW_V1_SIZE || !qmk::AllocationAllowed()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HPROPSHEETPAGE page = new _PSP();
    page->record.assign((const BYTE *)psp, (const BYTE *)psp + psp->dwSize);
    if (page->record.size() < sizeof(PROPSHEETPAGEW))
        page->record.resize(sizeof(PROPSHEETPAGEW), 0);
    page->hwnd = nullptr;
    page->created = false;
    {
        std::lock_guard<std::mutex> guard(g_pageLock);
        ++g_livePages;
    }
    sheet_Callback(page, PSPCB_ADDREF);
    return page;
}

/* Frees a page no sheet took (PSPCB_RELEASE). */
BOOL WINAPI DestroyPropertySheetPage(HPROPSHEETPAGE hPSPage)
{
    if (!hPSPage)
        return FALSE;
    sheet_FreePage(hPSPage);
    return TRUE;
}

INT_PTR WINAPI PropertySheetW(LPCPROPSHEETHEADERW lppsph)
{
    if (!lppsph || lppsph->dwSize < offsetof(PROPSHEETHEADERW, pfnCallback) || lppsph->nPages == 0 ||
        (lppsph->dwFlags & (PSH_MODELESS | PSH_WIZARD))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    Sheet s = {};
    s.active = -1;
    const BYTE *next = (const BYTE *)lppsph->ppsp;
    for (UINT i = 0; i < lppsph->nPages; ++i) {
        HPROPSHEETPAGE page;
        if (lppsph->dwFlags & PSH_PROPSHEETPAGE) {
            const PROPSHEETPAGEW *psp = (const PROPSHEETPAGEW *)next;
            page = CreatePropertySheetPageW(psp);
            next += psp ? psp->dwSize : 0;
        } else {
            page = lppsph->phpage[i];
        }
        if (page)
            s.pages.push_back(page);
    }
    if (s.pages.empty())
        return -1;

    sheet_RegisterClass();
    std::u16string title = lppsph->pszCaption && !IS_INTRESOURCE(lppsph->pszCaption) ? lppsph->pszCaption : u"";
    if (lppsph->dwFlags & PSH_PROPTITLE)
        title += u" Properties";
    HWND owner = lppsph->hwndParent;
    bool disabled = owner && IsWindowEnabled(owner);
    if (disabled)
        EnableWindow(owner, FALSE);
    // The sheet fits the largest page, its tab row and the button row.
    int pageWidth = 0, pageHeight = 0;
    std::vector<std::u16string> titles;
    for (HPROPSHEETPAGE page : s.pages) {
        int w = 0, h = 0;
        std::u16string pageTitle;
        sheet_PageTemplate(page, &w, &h, &pageTitle);
        pageWidth = std::max(pageWidth, w);
        pageHeight = std::max(pageHeight, h);
        titles.push_back(pageTitle);
    }
    const int width = pageWidth + 2 * (kMargin + kTabInset);
    const int height = kMargin + kTabHeight + pageHeight + 2 * kTabInset + 2 * kMargin + kButtonHeight;
    s.hwnd = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                             kSheetClass,
                             title.c_str(),
                             WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             0,
                             0,
                             width,
                             height,
                             owner,
                             nullptr,
                             lppsph->hInstance,
                             nullptr);
    if (!s.hwnd) {
        for (HPROPSHEETPAGE page : s.pages)
            sheet_FreePage(page);
        if (disabled)
            EnableWindow(owner, TRUE);
        return -1;
    }
    SetWindowLongPtrW(s.hwnd, GWLP_USERDATA, (LONG_PTR)&s);
    s.tabs = CreateWindowExW(0,
                             kTabClass,
                             u"",
                             WS_CHILD | WS_VISIBLE,
                             kMargin,
                             kMargin,
                             width - 2 * kMargin,
                             kTabHeight + pageHeight + 2 * kTabInset,
                             s.hwnd,
                             nullptr,
                             nullptr,
                             nullptr);
    if (qmu::Window *tabs = qmu::Find(s.tabs))
        for (const std::u16string &t : titles)
            tabs->items.push_back({t, 0, false});
    int slot = 0;
    if (lppsph->dwFlags & PSH_HASHELP)
        sheet_Button(s.hwnd, IDHELP, u"Help", slot++, width, height, true);
    if (!(lppsph->dwFlags & PSH_NOAPPLYNOW))
        sheet_Button(s.hwnd, kApplyId, u"Apply", slot++, width, height, false);
    sheet_Button(s.hwnd, IDCANCEL, u"Cancel", slot++, width, height, true);
    sheet_Button(s.hwnd, IDOK, u"OK", slot++, width, height, true);
    if ((lppsph->dwFlags & PSH_USECALLBACK) && lppsph->pfnCallback)
        lppsph->pfnCallback(s.hwnd, PSCB_INITIALIZED, 0);

    int start = (lppsph->dwFlags & PSH_USEPSTARTPAGE) ? 0 : (int)lppsph->nStartPage;
    if (start < 0 || start >= (int)s.pages.size())
        start = 0;
    // A page that cannot be created passes the activation on to the next one.
    for (int i = 0; i < (int)s.pages.size() && s.active < 0; ++i)
        sheet_Activate(&s, (start + i) % (int)s.pages.size());
    ShowWindow(s.hwnd, SW_SHOW);

    qmu::Script script;
    bool scripted = qmu::TakeScript(0, title, &script);
    std::u16string name = u"sheet \"" + title + u"\"";
    for (size_t i = 0; scripted && i < script.actions.size() && !s.ended; ++i) {
        sheet_Pump(&s);
        if (s.ended)
            break;
        if (!sheet_Act(&s, script.actions[i]) && s.active >= 0)
            qmu::PerformAction(s.pages[(size_t)s.active]->hwnd, name, script.actions[i]);
    }
    sheet_Pump(&s);
    if (!s.ended) {
        qmu::Log(name + (scripted ? u": left open by its script, cancelled" : u": unscripted, cancelled"));
        sheet_Cancel(&s);
    }
    if (!s.ended) {
        qmu::Log(name + u": cancel refused, closed");
        s.ended = true;
    }
    INT_PTR result = s.okEnded || s.applied ? 1 : 0;
    if (s.restart && result)
        result = s.restart;
    if (disabled)
        EnableWindow(owner, TRUE);
    for (HPROPSHEETPAGE page : s.pages)
        sheet_FreePage(page);
    SetWindowLongPtrW(s.hwnd, GWLP_USERDATA, 0);
    DestroyWindow(s.hwnd);
    return result;
}

/* Registers the common controls' classes. */
void WINAPI InitCommonControls(void)
{
    qmcc::RegisterControlClasses();
}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX *picce)
{
    if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    qmcc::RegisterControlClasses();
    return TRUE;
}

} // extern "C"

extern "C" DWORD qmt_LivePropertySheetPages(void)
{
    std::lock_guard<std::mutex> guard(g_pageLock);
    return g_livePages;
}
