/*
 * The standard controls with state: Button, Edit, Static and ScrollBar. Notifications
 * go only where Windows sends them: BM_SETCHECK sends nothing, a click sends BN_CLICKED;
 * WM_SETTEXT on a single-line edit sends EN_UPDATE then EN_CHANGE (a multi-line edit
 * sends nothing); typed characters send EN_UPDATE and EN_CHANGE each, and a character
 * beyond EM_LIMITTEXT is dropped with EN_MAXTEXT.
 */
#include <windows.h>

#include "platform/src/user/user_private.h"

namespace {

using qmu::Window;

/* The limit of typed text before EM_LIMITTEXT, and after EM_LIMITTEXT 0. */
const UINT kDefaultEditLimit = 30000;
const UINT kMaxEditLimit = 0x7FFFFFFE;
/* The character a password edit shows (our fixed look). */
const WCHAR kPasswordChar = u'*';

DWORD control_ButtonType(const Window *w)
{
    return w->style & BS_TYPEMASK;
}

bool control_IsCheckable(const Window *w)
{
    switch (control_ButtonType(w)) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_AUTORADIOBUTTON: return true;
    default: return false;
    }
}

/* Unchecks the other automatic radio buttons of the button's group (WS_GROUP to WS_GROUP). */
void control_UncheckGroup(HWND button)
{
    Window *w = qmu::Find(button);
    Window *parent = w ? qmu::Find(w->parent) : nullptr;
    if (!parent)
        return;
    const std::vector<HWND> &list = parent->children;
    size_t at = 0;
    while (at < list.size() && list[at] != button)
        ++at;
    size_t first = at;
    while (first > 0 && !(qmu::Find(list[first])->style & WS_GROUP))
        --first;
    for (size_t i = first; i < list.size(); ++i) {
        Window *other = qmu::Find(list[i]);
        if (i > first && (other->style & WS_GROUP))
            break;
        if (list[i] != button && qmu::OwnerDrawKind(other) == ODT_BUTTON &&
            control_ButtonType(other) == BS_AUTORADIOBUTTON)
            other->check = BST_UNCHECKED;
    }
}

bool control_IsMultiline(const Window *w)
{
    return (w->style & ES_MULTILINE) != 0;
}

/* Appends one typed character to an edit: dropped beyond the limit (EN_MAXTEXT). */
void control_TypeChar(HWND hwnd, Window *w, WCHAR c)
{
    if (w->style & ES_READONLY)
        return;
    if (c == 8) { // backspace
        if (w->selectAll)
            w->text.clear();
        else if (!w->text.empty())
            w->text.pop_back();
        w->selectAll = false;
    } else {
        if ((w->style & ES_NUMBER) && (c < u'0' || c > u'9'))
            return;
        if (w->selectAll)
            w->text.clear();
        w->selectAll = false;
        UINT limit = w->limit ? w->limit : kDefaultEditLimit;
        if (w->text.size() >= limit) {
            qmu::NotifyParent(hwnd, EN_MAXTEXT);
            return;
        }
        w->text += c;
    }
    qmu::NotifyParent(hwnd, EN_UPDATE);
    qmu::NotifyParent(hwnd, EN_CHANGE);
}

} // namespace

namespace qmu {

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window *w = Find(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case BM_GETCHECK: return control_IsCheckable(w) ? (LRESULT)w->check : 0;
    case BM_SETCHECK:
        if (control_IsCheckable(w)) {
            DWORD type = control_ButtonType(w);
            bool three = type == BS_3STATE || type == BS_AUTO3STATE;
            w->check = (wParam == BST_INDETERMINATE && three) ? BST_INDETERMINATE : (wParam == BST_UNCHECKED ? 0u : 1u);
        }
        return 0;
    case BM_GETSTATE: return (LRESULT)(w->check | (w->pushed ? BST_PUSHED : 0) | (GetFocus() == hwnd ? BST_FOCUS : 0));
    case BM_SETSTATE: w->pushed = wParam != 0; return 0;
    case BM_SETSTYLE: w->style = (w->style & 0xFFFF0000u) | LOWORD(wParam); return 0;
    case BM_SETIMAGE: {
        HANDLE old = w->image;
        w->image = (HANDLE)lParam;
        return (LRESULT)old;
    }
    case BM_GETIMAGE: return (LRESULT)w->image;
    case BM_CLICK:
        if (!IsWindowEnabled(hwnd))
            return 0;
        switch (control_ButtonType(w)) {
        case BS_AUTOCHECKBOX: w->check = w->check ? 0 : 1; break;
        case BS_AUTO3STATE: w->check = (w->check + 1) % 3; break;
        case BS_AUTORADIOBUTTON:
            control_UncheckGroup(hwnd);
            w->check = BST_CHECKED;
            break;
        }
        NotifyParent(hwnd, BN_CLICKED);
        return 0;
    case WM_SETFOCUS:
        if (w->style & BS_NOTIFY)
            NotifyParent(hwnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (w->style & BS_NOTIFY)
            NotifyParent(hwnd, BN_KILLFOCUS);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window *w = Find(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_CREATE:
        if (w->style & ES_PASSWORD)
            w->passwordChar = kPasswordChar;
        return 0;
    case WM_SETTEXT:
        w->text = lParam ? (LPCWSTR)lParam : u"";
        w->selectAll = false;
        if (!control_IsMultiline(w)) {
            NotifyParent(hwnd, EN_UPDATE);
            NotifyParent(hwnd, EN_CHANGE);
        }
        return TRUE;
    case WM_CHAR: control_TypeChar(hwnd, w, (WCHAR)wParam); return 0;
    case EM_LIMITTEXT: w->limit = wParam ? (UINT)wParam : kMaxEditLimit; return 0;
    case EM_GETLIMITTEXT: return (LRESULT)(w->limit ? w->limit : kDefaultEditLimit);
    case EM_SETPASSWORDCHAR: w->passwordChar = (WCHAR)wParam; return 0;
    case EM_GETPASSWORDCHAR: return (LRESULT)w->passwordChar;
    case EM_SETREADONLY:
        if (wParam)
            w->style |= ES_READONLY;
        else
            w->style &= ~(DWORD)ES_READONLY;
        return TRUE;
    case EM_SETSEL: w->selectAll = wParam == 0 && (lParam == -1 || (size_t)lParam >= w->text.size()); return 0;
    case EM_GETSEL: return w->selectAll ? MAKELRESULT(0, w->text.size()) : MAKELRESULT(w->text.size(), w->text.size());
    case EM_GETLINECOUNT: return 1;
    case WM_SETFOCUS: NotifyParent(hwnd, EN_SETFOCUS); return 0;
    case WM_KILLFOCUS: NotifyParent(hwnd, EN_KILLFOCUS); return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window *w = Find(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case STM_SETICON: {
        HANDLE old = w->image;
        w->image = (HANDLE)wParam;
        return (LRESULT)old;
    }
    case STM_GETICON: return (LRESULT)w->image;
    case STM_SETIMAGE: {
        HANDLE old = w->image;
        w->image = (HANDLE)lParam;
        return (LRESULT)old;
    }
    case STM_GETIMAGE: return (LRESULT)w->image;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ScrollBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool TypeText(HWND control, LPCWSTR text)
{
    Window *w = Find(control);
    if (!w || !IsWindowEnabled(control))
        return false;
    SendMessageW(control, w->cls->proc == EditProc ? EM_SETSEL : CB_SETEDITSEL, 0, -1);
    if (w->cls->proc == ComboBoxProc)
        w->selectAll = true;
    if (!text || !*text) {
        SendMessageW(control, WM_CHAR, 8, 0);
        return true;
    }
    for (; *text; ++text)
        SendMessageW(control, WM_CHAR, (WPARAM)*text, 0);
    return true;
}

} // namespace qmu
