/*
 * Dialogs from templates, the dialog manager's default procedure, and modal dialogs that
 * never block.
 *
 * Creation order: the dialog window, WM_SETFONT to the dialog, each control in template
 * order (owner-drawn fixed lists and combos send WM_MEASUREITEM to the dialog while they
 * are created), WM_INITDIALOG, then the focus to the first tab stop when WM_INITDIALOG
 * answered TRUE, then WM_SHOWWINDOW for a dialog that is shown.
 *
 * Result rule: a dialog procedure answering FALSE leaves the default answer; TRUE makes
 * the answer DWLP_MSGRESULT, except for the messages of kDirectAnswers, which answer the
 * procedure's own value.
 *
 * A modal dialog runs the first queued script that matches it (qmt_ScriptDialog), acting
 * as the user, and dispatches posted messages between actions. A dialog still open after
 * its script, or without one, gets IDCANCEL as the Esc key gives it; should it stay open
 * even then, it ends with IDCANCEL. Both are logged (qmt_UserLogLine).
 */
#include <windows.h>

#include <deque>
#include <mutex>

#include "platform/src/gdi/gdi_private.h"
#include "platform/src/user/dialog_template.h"
#include "platform/src/user/user_private.h"
#include "platform/testing/qm_testing_user.h"

namespace {

using qmu::Window;

/* Messages whose answer is the dialog procedure's own value. */
const UINT kDirectAnswers[] = {WM_INITDIALOG,
                               WM_CTLCOLORMSGBOX,
                               WM_CTLCOLOREDIT,
                               WM_CTLCOLORLISTBOX,
                               WM_CTLCOLORBTN,
                               WM_CTLCOLORDLG,
                               WM_CTLCOLORSCROLLBAR,
                               WM_CTLCOLORSTATIC,
                               WM_VKEYTOITEM,
                               WM_CHARTOITEM,
                               WM_COMPAREITEM,
                               WM_QUERYDRAGICON};

/* The point size of a template without DS_SETFONT. */
const WORD kDefaultPoints = 8;

using qmu::Action;
using qmu::Script;

std::mutex g_scriptLock;
std::deque<Script> g_scripts;

bool dialog_IsDirect(UINT msg)
{
    for (UINT m : kDirectAnswers)
        if (m == msg)
            return true;
    return false;
}

/* The first control with WS_TABSTOP that is visible and enabled, else the first control. */
HWND dialog_FirstTabStop(Window *dlg)
{
    for (HWND child : dlg->children) {
        Window *c = qmu::Find(child);
        if (c && (c->style & WS_TABSTOP) && !(c->style & WS_DISABLED))
            return child;
    }
    return dlg->children.empty() ? nullptr : dlg->children.front();
}

std::u16string dialog_NameText(const qmu::TemplateName &name)
{
    return name.present && !name.isOrdinal ? name.text : std::u16string();
}

HWND dialog_Create(HINSTANCE instance, const BYTE *data, size_t size, HWND parent, DLGPROC proc, LPARAM param)
{
    qmu::DialogTemplate t;
    if (!qmu::ParseDialogTemplate(data, size, &t)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    int points = t.hasFont && t.pointSize ? t.pointSize : kDefaultPoints;
    int pixels = MulDiv(points, qmg::Dpi(), 72);
    qmg::TextCell cell = qmg::CellOfHeight(-pixels);
    int bx = cell.halfWidth, by = cell.height;
    LOGFONTW lf = {};
    lf.lfHeight = -pixels;
    lf.lfWeight = t.weight ? (LONG)t.weight : FW_NORMAL;
    lf.lfItalic = t.italic;
    lf.lfCharSet = t.charset;
    lstrcpynW(lf.lfFaceName, t.typeface.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    if (!font)
        return nullptr;

    std::u16string clsName = t.cls.present && !t.cls.isOrdinal ? t.cls.text : std::u16string(u"#32770");
    std::u16string title = dialog_NameText(t.title);
    DWORD style = t.style & ~(DWORD)WS_VISIBLE;
    if (t.style & DS_CONTROL)
        style = (style & ~(DWORD)WS_POPUP) | WS_CHILD;
    HWND hwnd = CreateWindowExW(t.exStyle,
                                clsName.c_str(),
                                title.c_str(),
                                style,
                                MulDiv(t.x, bx, 4),
                                MulDiv(t.y, by, 8),
                                MulDiv(t.cx, bx, 4),
                                MulDiv(t.cy, by, 8),
                                parent,
                                nullptr,
                                instance,
                                nullptr);
    Window *dlg = qmu::Find(hwnd);
    if (!dlg) {
        DeleteObject(font);
        return nullptr;
    }
    dlg->dialog = true;
    dlg->baseX = bx;
    dlg->baseY = by;
    dlg->ownFont = font;
    if (dlg->extra.size() < (size_t)DLGWINDOWEXTRA)
        dlg->extra.resize((size_t)DLGWINDOWEXTRA, 0);
    SetWindowLongPtrW(hwnd, DWLP_DLGPROC, (LONG_PTR)proc);
    SendMessageW(hwnd, WM_SETFONT, (WPARAM)font, FALSE);

    for (const qmu::TemplateItem &item : t.items) {
        LPCWSTR cls = item.cls.isOrdinal ? qmu::OrdinalClassName(item.cls.ordinal) : item.cls.text.c_str();
        std::u16string text = dialog_NameText(item.title);
        HWND child = nullptr;
        if (cls) {
            child = CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY,
                                    cls,
                                    text.c_str(),
                                    item.style | WS_CHILD,
                                    MulDiv(item.x, bx, 4),
                                    MulDiv(item.y, by, 8),
                                    MulDiv(item.cx, bx, 4),
                                    MulDiv(item.cy, by, 8),
                                    hwnd,
                                    (HMENU)(ULONG_PTR)item.id,
                                    instance,
                                    item.creationData.empty() ? nullptr : (LPVOID)item.creationData.data());
        }
        if (!child) {
            if (t.style & DS_NOFAILCREATE)
                continue;
            DestroyWindow(hwnd);
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        SendMessageW(child, WM_SETFONT, (WPARAM)font, FALSE);
    }

    HWND first = dialog_FirstTabStop(dlg);
    LRESULT focus = SendMessageW(hwnd, WM_INITDIALOG, (WPARAM)first, param);
    if (!IsWindow(hwnd))
        return nullptr;
    if (focus && first)
        SetFocus(first);
    if (t.style & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

const BYTE *dialog_FindTemplate(HINSTANCE instance, LPCWSTR name, size_t *size)
{
    HRSRC res = FindResourceW(instance, name, RT_DIALOG);
    HGLOBAL loaded = res ? LoadResource(instance, res) : nullptr;
    const BYTE *data = loaded ? (const BYTE *)LockResource(loaded) : nullptr;
    if (!data) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    *size = SizeofResource(instance, res);
    return data;
}

} // namespace

namespace qmu {

bool TakeScript(UINT templateId, const std::u16string &title, Script *out)
{
    std::lock_guard<std::mutex> guard(g_scriptLock);
    for (size_t i = 0; i < g_scripts.size(); ++i) {
        const Script &s = g_scripts[i];
        if ((s.templateId == 0 || s.templateId == templateId) && (s.anyTitle || s.title == title)) {
            *out = s;
            g_scripts.erase(g_scripts.begin() + (long)i);
            return true;
        }
    }
    return false;
}

} // namespace qmu

namespace {

/* True when the modal dialog has ended, or is gone: a dialog procedure may destroy its
 * own window instead of ending it (the dialog then answers 0). */
bool dialog_Ended(HWND hwnd)
{
    Window *dlg = qmu::Find(hwnd);
    return !dlg || dlg->ended;
}

void dialog_Pump(HWND hwnd)
{
    MSG m;
    while (!dialog_Ended(hwnd) && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&m);
}

} // namespace

namespace qmu {

std::u16string WindowName(UINT templateId, const std::u16string &title)
{
    return u"dialog " + qmu::Number(templateId) + u" \"" + title + u"\"";
}

void PerformAction(HWND hwnd, const std::u16string &name, const Action &a)
{
    HWND control = GetDlgItem(hwnd, a.control);
    if (a.kind == QMT_ACT_COMMAND) {
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(a.control, BN_CLICKED), (LPARAM)control);
        return;
    }
    if (!control) {
        qmu::Log(name + u": no control " + qmu::Number(a.control));
        return;
    }
    if (!IsWindowEnabled(control)) {
        qmu::Log(name + u": control " + qmu::Number(a.control) + u" is disabled");
        return;
    }
    switch (a.kind) {
    case QMT_ACT_CLICK:
        SetFocus(control);
        SendMessageW(control, BM_CLICK, 0, 0);
        break;
    case QMT_ACT_TYPE:
        SetFocus(control);
        qmu::TypeText(control, a.text.c_str());
        break;
    case QMT_ACT_CHOOSE:
        SetFocus(control);
        if (!qmu::ChooseItem(control, a.index))
            qmu::Log(name + u": no item " + qmu::Number(a.index));
        break;
    case QMT_ACT_RIGHT_CLICK: {
        RECT r;
        GetWindowRect(control, &r);
        SendMessageW(
            control, WM_CONTEXTMENU, (WPARAM)control, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        break;
    }
    case QMT_ACT_FOCUS: SetFocus(control); break;
    case QMT_ACT_SLIDE:
    case QMT_ACT_SPIN:
        SetFocus(control);
        if (!SendMessageW(control, qmu::kUserActionMessage, a.kind, a.index))
            qmu::Log(name + u": control " + qmu::Number(a.control) + u" does not take the action");
        break;
    case QMT_ACT_KEY:
        SetFocus(control);
        SendMessageW(control, WM_KEYDOWN, (WPARAM)a.index, 0);
        break;
    }
}

} // namespace qmu

namespace {

INT_PTR dialog_Modal(HINSTANCE instance, const BYTE *data, size_t size, HWND parent, DLGPROC proc, LPARAM param,
                     UINT templateId)
{
    HWND owner = parent;
    while (owner && (GetWindowLongPtrW(owner, GWL_STYLE) & WS_CHILD))
        owner = GetParent(owner);
    bool disabled = owner && IsWindowEnabled(owner);
    if (disabled)
        EnableWindow(owner, FALSE);
    HWND hwnd = dialog_Create(instance, data, size, owner, proc, param);
    Window *dlg = qmu::Find(hwnd);
    if (!dlg) {
        if (disabled)
            EnableWindow(owner, TRUE);
        return -1;
    }
    if (!dlg->ended)
        ShowWindow(hwnd, SW_SHOW);
    std::u16string title = qmu::Find(hwnd) ? qmu::Find(hwnd)->text : std::u16string();
    Script script;
    bool scripted = qmu::TakeScript(templateId, title, &script);
    std::u16string name = qmu::WindowName(templateId, title);
    for (size_t i = 0; scripted && i < script.actions.size() && !dialog_Ended(hwnd); ++i) {
        dialog_Pump(hwnd);
        if (!dialog_Ended(hwnd))
            qmu::PerformAction(hwnd, name, script.actions[i]);
    }
    dialog_Pump(hwnd);
    if (!dialog_Ended(hwnd)) {
        qmu::Log(name + (scripted ? u": left open by its script, cancelled" : u": unscripted, cancelled"));
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(hwnd, IDCANCEL));
        dialog_Pump(hwnd);
    }
    dlg = qmu::Find(hwnd);
    if (dlg && !dlg->ended) {
        qmu::Log(name + u": still open, ended with IDCANCEL");
        dlg->ended = true;
        dlg->endResult = IDCANCEL;
    }
    INT_PTR result = dlg ? dlg->endResult : 0;
    if (disabled)
        EnableWindow(owner, TRUE);
    if (dlg)
        DestroyWindow(hwnd);
    return result;
}

UINT dialog_TemplateId(LPCWSTR name)
{
    return ((ULONG_PTR)name >> 16) == 0 ? (UINT)(ULONG_PTR)name : 0;
}

} // namespace

namespace qmu {

LRESULT CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefDlgProcW(hwnd, msg, wParam, lParam);
}

} // namespace qmu

HWND qmu::CreateDialogFromTemplate(HINSTANCE instance, const BYTE *data, size_t size, HWND parent, DLGPROC proc,
                                   LPARAM param)
{
    return dialog_Create(instance, data, size, parent, proc, param);
}

extern "C" {

/* The dialog class's procedure: the dialog procedure first, then the result rule. */
LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window *w = qmu::Find(hDlg);
    if (!w)
        return 0;
    DLGPROC proc = w->extra.size() >= (size_t)DLGWINDOWEXTRA ? (DLGPROC)GetWindowLongPtrW(hDlg, DWLP_DLGPROC) : nullptr;
    if (proc) {
        INT_PTR answer = proc(hDlg, Msg, wParam, lParam);
        if (dialog_IsDirect(Msg))
            return answer;
        if (answer)
            return IsWindow(hDlg) ? GetWindowLongPtrW(hDlg, DWLP_MSGRESULT) : 0;
        if (!IsWindow(hDlg))
            return 0;
    }
    switch (Msg) {
    case WM_CLOSE:
        SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(hDlg, IDCANCEL));
        return 0;
    case WM_NEXTDLGCTL:
        if (LOWORD(lParam))
            SetFocus((HWND)wParam);
        return 0;
    case WM_INITDIALOG:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_QUERYDRAGICON: return 0;
    }
    if (Msg >= WM_CTLCOLORMSGBOX && Msg <= WM_CTLCOLORSTATIC)
        return 0;
    return DefWindowProcW(hDlg, Msg, wParam, lParam);
}

HWND WINAPI CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    return dialog_Create(hInstance, (const BYTE *)lpTemplate, 0, hWndParent, lpDialogFunc, dwInitParam);
}

HWND WINAPI CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam)
{
    size_t size = 0;
    const BYTE *data = dialog_FindTemplate(hInstance, lpTemplateName, &size);
    return data ? dialog_Create(hInstance, data, size, hWndParent, lpDialogFunc, dwInitParam) : nullptr;
}

INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW hDialogTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    return dialog_Modal(hInstance, (const BYTE *)hDialogTemplate, 0, hWndParent, lpDialogFunc, dwInitParam, 0);
}

INT_PTR WINAPI DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam)
{
    size_t size = 0;
    const BYTE *data = dialog_FindTemplate(hInstance, lpTemplateName, &size);
    if (!data)
        return -1;
    return dialog_Modal(
        hInstance, data, size, hWndParent, lpDialogFunc, dwInitParam, dialog_TemplateId(lpTemplateName));
}

/* Marks a dialog ended with its result; a modal dialog's loop then returns it. */
BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    Window *w = qmu::Find(hDlg);
    if (!w || !w->dialog) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    w->ended = true;
    w->endResult = nResult;
    return TRUE;
}

/* A direct child with the id. */
HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    Window *w = qmu::Find(hDlg);
    if (!w)
        return nullptr;
    for (HWND child : w->children) {
        Window *c = qmu::Find(child);
        if (c && (int)c->id == nIDDlgItem)
            return child;
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd)
{
    Window *w = qmu::Find(hWnd);
    return w && w->parent ? (int)w->id : 0;
}

/* Dialog units to pixels by the dialog's base units: x * base x / 4, y * base y / 8. */
BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    Window *w = qmu::Find(hDlg);
    if (!w || !w->dialog || !lpRect) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    lpRect->left = MulDiv(lpRect->left, w->baseX, 4);
    lpRect->right = MulDiv(lpRect->right, w->baseX, 4);
    lpRect->top = MulDiv(lpRect->top, w->baseY, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, w->baseY, 8);
    return TRUE;
}

/* The base units of the default 8-point dialog font at the display's dpi (x low, y high). */
LONG WINAPI GetDialogBaseUnits(void)
{
    qmg::TextCell cell = qmg::CellOfHeight(-MulDiv(kDefaultPoints, qmg::Dpi(), 72));
    return MAKELONG(cell.halfWidth, cell.height);
}

LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    HWND control = GetDlgItem(hDlg, nIDDlgItem);
    return control ? SendMessageW(control, Msg, wParam, lParam) : 0;
}

BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString)
{
    HWND control = GetDlgItem(hDlg, nIDDlgItem);
    return control ? SetWindowTextW(control, lpString) : FALSE;
}

UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax)
{
    if (lpString && cchMax > 0)
        lpString[0] = 0;
    HWND control = GetDlgItem(hDlg, nIDDlgItem);
    return control ? (UINT)GetWindowTextW(control, lpString, cchMax) : 0;
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned)
{
    std::u16string text = bSigned ? qmu::Number((int)uValue) : qmu::Number(uValue);
    return SetDlgItemTextW(hDlg, nIDDlgItem, text.c_str());
}

/* The control's text as a number (spaces before it skipped); *lpTranslated FALSE when it is
 * not one or does not fit. */
UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL *lpTranslated, BOOL bSigned)
{
    WCHAR text[64];
    if (lpTranslated)
        *lpTranslated = FALSE;
    HWND control = GetDlgItem(hDlg, nIDDlgItem);
    if (!control || GetWindowTextW(control, text, 64) >= 63)
        return 0;
    const WCHAR *p = text;
    while (*p == u' ')
        ++p;
    bool negative = bSigned && *p == u'-';
    if (negative)
        ++p;
    if (*p < u'0' || *p > u'9')
        return 0;
    unsigned long long value = 0;
    for (; *p >= u'0' && *p <= u'9'; ++p) {
        value = value * 10 + (unsigned)(*p - u'0');
        if (value > 0xFFFFFFFFull)
            return 0;
    }
    if (*p)
        return 0;
    if (bSigned && value > (negative ? 0x80000000ull : 0x7FFFFFFFull))
        return 0;
    if (lpTranslated)
        *lpTranslated = TRUE;
    return negative ? (UINT)(0u - (UINT)value) : (UINT)value;
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    HWND control = GetDlgItem(hDlg, nIDButton);
    if (!control)
        return FALSE;
    SendMessageW(control, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    return (UINT)SendDlgItemMessageW(hDlg, nIDButton, BM_GETCHECK, 0, 0);
}

BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        CheckDlgButton(hDlg, id, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

} // extern "C"

extern "C" BOOL qmt_ScriptDialog(UINT templateId, LPCWSTR title, const QmtUserAction *actions, DWORD count)
{
    Script s;
    s.templateId = templateId;
    s.anyTitle = title == nullptr;
    if (title)
        s.title = title;
    for (DWORD i = 0; actions && i < count; ++i) {
        Action a;
        a.kind = actions[i].kind;
        a.control = actions[i].control;
        a.text = actions[i].text ? actions[i].text : u"";
        a.index = actions[i].index;
        s.actions.push_back(a);
    }
    std::lock_guard<std::mutex> guard(g_scriptLock);
    g_scripts.push_back(s);
    return TRUE;
}

extern "C" void qmt_ResetDialogScripts(void)
{
    std::lock_guard<std::mutex> guard(g_scriptLock);
    g_scripts.clear();
}
