/*
 * List boxes and combo boxes: items with text and data, sorted insertion (case-insensitive,
 * as lstrcmpiW orders), selection, LB_ERR / CB_ERR answers, owner-draw measurement and
 * deletion, WM_VKEYTOITEM, and the notifications of a user's choice.
 *
 * A list's or combo's own setters (LB_SETCURSEL, CB_SETCURSEL ...) send nothing. The
 * order of a mouse choice in a drop-down combo, which Windows leaves open, is fixed in
 * kChooseOrder.
 */
#include <windows.h>

#include "platform/src/gdi/gdi_private.h"
#include "platform/src/kernel/kernel_private.h"
#include "platform/src/user/user_private.h"

namespace {

using qmu::Item;
using qmu::Window;

const UINT kVkUp = 0x26;
const UINT kVkDown = 0x28;

/* What a mouse choice in a combo's drop-down list sends, in order (0 ends). The selection
 * changes before the first notification after CBN_DROPDOWN. */
const WORD kChooseOrder[] = {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE, 0};

bool list_IsCombo(const Window *w)
{
    return w->cls->proc == qmu::ComboBoxProc;
}

bool list_OwnerDraw(const Window *w)
{
    DWORD mask =
        list_IsCombo(w) ? (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE) : (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE);
    return (w->style & mask) != 0;
}

/* Items carry text unless owner-drawn without the has-strings style (then lParam is data). */
bool list_HasStrings(const Window *w)
{
    return !list_OwnerDraw(w) || (w->style & (list_IsCombo(w) ? CBS_HASSTRINGS : LBS_HASSTRINGS));
}

bool list_Sorted(const Window *w)
{
    return (w->style & (list_IsCombo(w) ? CBS_SORT : LBS_SORT)) != 0;
}

bool list_HasEdit(const Window *w)
{
    return list_IsCombo(w) && (w->style & 3) != CBS_DROPDOWNLIST;
}

/* Asks the parent for the item height (WM_MEASUREITEM) of an owner-drawn fixed control. */
void list_Measure(HWND hwnd, Window *w, UINT itemId)
{
    Window *parent = qmu::Find(w->parent);
    if (!parent)
        return;
    MEASUREITEMSTRUCT mi = {};
    mi.CtlType = list_IsCombo(w) ? ODT_COMBOBOX : ODT_LISTBOX;
    mi.CtlID = (UINT)w->id;
    mi.itemID = itemId;
    mi.itemWidth = (UINT)(w->rect.right - w->rect.left);
    mi.itemHeight = w->itemHeight;
    SendMessageW(w->parent, WM_MEASUREITEM, (WPARAM)w->id, (LPARAM)&mi);
    if (itemId != (UINT)-1)
        w->itemHeight = mi.itemHeight;
    (void)hwnd;
}

void list_DeleteNotify(HWND hwnd, Window *w, int index)
{
    if (!list_OwnerDraw(w) || !w->parent)
        return;
    DELETEITEMSTRUCT di = {};
    di.CtlType = list_IsCombo(w) ? ODT_COMBOBOX : ODT_LISTBOX;
    di.CtlID = (UINT)w->id;
    di.itemID = (UINT)index;
    di.hwndItem = hwnd;
    di.itemData = w->items[(size_t)index].data;
    SendMessageW(w->parent, WM_DELETEITEM, (WPARAM)w->id, (LPARAM)&di);
}

LRESULT list_Err(const Window *w)
{
    return list_IsCombo(w) ? CB_ERR : LB_ERR;
}

bool list_Valid(const Window *w, WPARAM index)
{
    return (INT_PTR)index >= 0 && (size_t)index < w->items.size();
}

/* Inserts at index (-1: the end, or the sorted place for an add). The index, or the error. */
LRESULT list_Insert(Window *w, INT_PTR index, LPARAM lParam, bool add)
{
    Item item = {};
    if (list_HasStrings(w))
        item.text = lParam ? (LPCWSTR)lParam : u"";
    else
        item.data = (ULONG_PTR)lParam;
    size_t at;
    if (add && list_Sorted(w) && list_HasStrings(w)) {
        at = 0;
        while (at < w->items.size() && lstrcmpiW(w->items[at].text.c_str(), item.text.c_str()) <= 0)
            ++at;
    } else if (add || index == -1) {
        at = w->items.size();
    } else if (index >= 0 && (size_t)index <= w->items.size()) {
        at = (size_t)index;
    } else {
        return list_Err(w);
    }
    w->items.insert(w->items.begin() + (long)at, item);
    if (w->current >= (int)at)
        ++w->current;
    return (LRESULT)at;
}

LRESULT list_Delete(HWND hwnd, Window *w, WPARAM index)
{
    if (!list_Valid(w, index))
        return list_Err(w);
    list_DeleteNotify(hwnd, w, (int)index);
    w->items.erase(w->items.begin() + (long)index);
    if (w->current == (int)index)
        w->current = -1;
    else if (w->current > (int)index)
        --w->current;
    return (LRESULT)w->items.size();
}

void list_Reset(HWND hwnd, Window *w)
{
    for (int i = 0; i < (int)w->items.size(); ++i)
        list_DeleteNotify(hwnd, w, i);
    w->items.clear();
    w->current = -1;
    w->topIndex = 0;
}

/* True when text begins with the prefix, case ignored. */
bool list_PrefixEqual(const std::u16string &text, LPCWSTR prefix, size_t length)
{
    if (text.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (qmk::FoldCase(text[i]) != qmk::FoldCase(prefix[i]))
            return false;
    return true;
}

/* Prefix (or exact) search without case from the item after `start`, wrapping round. */
LRESULT list_Find(const Window *w, WPARAM start, LPCWSTR text, bool exact)
{
    size_t n = w->items.size();
    if (n == 0 || !text)
        return list_Err(w);
    size_t from = ((INT_PTR)start < 0 || (size_t)start >= n) ? 0 : (size_t)start + 1;
    int length = lstrlenW(text);
    for (size_t k = 0; k < n; ++k) {
        size_t i = (from + k) % n;
        const Item &item = w->items[i];
        if (!list_HasStrings(w)) {
            if (item.data == (ULONG_PTR)text)
                return (LRESULT)i;
            continue;
        }
        if (exact ? lstrcmpiW(item.text.c_str(), text) == 0 : list_PrefixEqual(item.text, text, (size_t)length))
            return (LRESULT)i;
    }
    return list_Err(w);
}

LRESULT list_GetText(const Window *w, WPARAM index, LPARAM buffer)
{
    if (!list_Valid(w, index))
        return list_Err(w);
    const Item &item = w->items[(size_t)index];
    if (!list_HasStrings(w)) {
        if (buffer)
            memcpy((void *)buffer, &item.data, sizeof(item.data));
        return sizeof(item.data);
    }
    if (buffer)
        memcpy((void *)buffer, item.text.c_str(), (item.text.size() + 1) * sizeof(WCHAR));
    return (LRESULT)item.text.size();
}

/* The item operations shared by both classes; true when msg was one of them. */
bool list_Common(HWND hwnd, Window *w, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    bool combo = list_IsCombo(w);
    switch (msg) {
    case LB_ADDSTRING:
    case CB_ADDSTRING: *result = list_Insert(w, -1, lParam, true); return true;
    case LB_INSERTSTRING:
    case CB_INSERTSTRING: *result = list_Insert(w, (INT_PTR)wParam, lParam, false); return true;
    case LB_DELETESTRING:
    case CB_DELETESTRING: *result = list_Delete(hwnd, w, wParam); return true;
    case LB_RESETCONTENT:
    case CB_RESETCONTENT:
        list_Reset(hwnd, w);
        if (combo)
            w->text.clear();
        *result = 0;
        return true;
    case LB_GETCOUNT:
    case CB_GETCOUNT: *result = (LRESULT)w->items.size(); return true;
    case LB_GETCURSEL:
    case CB_GETCURSEL: *result = w->current; return true;
    case LB_GETTEXT:
    case CB_GETLBTEXT: *result = list_GetText(w, wParam, lParam); return true;
    case LB_GETTEXTLEN:
    case CB_GETLBTEXTLEN:
        *result = list_Valid(w, wParam) ? (list_HasStrings(w) ? (LRESULT)w->items[(size_t)wParam].text.size()
                                                              : (LRESULT)sizeof(ULONG_PTR))
                                        : list_Err(w);
        return true;
    case LB_GETITEMDATA:
    case CB_GETITEMDATA:
        *result = list_Valid(w, wParam) ? (LRESULT)w->items[(size_t)wParam].data : list_Err(w);
        return true;
    case LB_SETITEMDATA:
    case CB_SETITEMDATA:
        if (!list_Valid(w, wParam)) {
            *result = list_Err(w);
            return true;
        }
        w->items[(size_t)wParam].data = (ULONG_PTR)lParam;
        *result = TRUE;
        return true;
    case LB_FINDSTRING:
    case CB_FINDSTRING: *result = list_Find(w, wParam, (LPCWSTR)lParam, false); return true;
    case LB_FINDSTRINGEXACT:
    case CB_FINDSTRINGEXACT: *result = list_Find(w, wParam, (LPCWSTR)lParam, true); return true;
    case LB_SETITEMHEIGHT:
    case CB_SETITEMHEIGHT:
        w->itemHeight = (UINT)LOWORD(lParam);
        *result = 0;
        return true;
    case LB_GETITEMHEIGHT:
    case CB_GETITEMHEIGHT: *result = (LRESULT)w->itemHeight; return true;
    }
    return false;
}

void list_Create(HWND hwnd, Window *w)
{
    w->current = -1;
    HFONT font = (HFONT)SendMessageW(w->parent, WM_GETFONT, 0, 0);
    const qmg::Font *f = qmg::FindFont(font);
    w->itemHeight = (UINT)qmg::CellOfHeight(f ? f->log.lfHeight : 0).height;
    bool fixed = (w->style & (list_IsCombo(w) ? CBS_OWNERDRAWFIXED : LBS_OWNERDRAWFIXED)) != 0;
    if (fixed) {
        if (list_IsCombo(w))
            list_Measure(hwnd, w, (UINT)-1); // the selection field first
        list_Measure(hwnd, w, 0);
    }
}

/* Sets the combo's text to the selected item (combos with an edit field). */
void list_SyncComboText(Window *w)
{
    if (list_HasEdit(w) && w->current >= 0)
        w->text = w->items[(size_t)w->current].text;
}

} // namespace

namespace qmu {

LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window *w = Find(hwnd);
    if (!w)
        return 0;
    LRESULT result;
    if (list_Common(hwnd, w, msg, wParam, lParam, &result))
        return result;
    bool multi = (w->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    switch (msg) {
    case WM_CREATE: list_Create(hwnd, w); return 0;
    case WM_DESTROY: list_Reset(hwnd, w); return 0;
    case LB_SETCURSEL:
        if (multi)
            return LB_ERR;
        if (!list_Valid(w, wParam)) {
            w->current = -1;
            return LB_ERR;
        }
        w->current = (int)wParam;
        return w->current;
    case LB_SELECTSTRING: {
        LRESULT found = list_Find(w, wParam, (LPCWSTR)lParam, false);
        if (found != LB_ERR && !multi)
            w->current = (int)found;
        return found;
    }
    case LB_SETSEL:
        if (!multi)
            return LB_ERR;
        if ((INT_PTR)lParam == -1) {
            for (Item &item : w->items)
                item.selected = wParam != 0;
            return 0;
        }
        if (!list_Valid(w, (WPARAM)lParam))
            return LB_ERR;
        w->items[(size_t)lParam].selected = wParam != 0;
        return 0;
    case LB_GETSEL:
        if (!list_Valid(w, wParam))
            return LB_ERR;
        return multi ? (w->items[(size_t)wParam].selected ? 1 : 0) : ((int)wParam == w->current ? 1 : 0);
    case LB_GETSELCOUNT: {
        if (!multi)
            return LB_ERR;
        LRESULT count = 0;
        for (const Item &item : w->items)
            count += item.selected ? 1 : 0;
        return count;
    }
    case LB_GETTOPINDEX: return w->topIndex;
    case LB_SETTOPINDEX:
        if (!list_Valid(w, wParam))
            return LB_ERR;
        w->topIndex = (int)wParam;
        return 0;
    case WM_KEYDOWN: {
        int target = -2;
        if (w->style & LBS_WANTKEYBOARDINPUT) {
            LRESULT answer = SendMessageW(
                w->parent, WM_VKEYTOITEM, MAKEWPARAM(LOWORD(wParam), w->current < 0 ? 0 : w->current), (LPARAM)hwnd);
            if (answer == -2)
                return 0;
            if (answer >= 0)
                target = (int)answer;
        }
        if (target == -2) {
            if (wParam == kVkDown)
                target = w->current + 1;
            else if (wParam == kVkUp)
                target = w->current < 0 ? 0 : w->current - 1;
            else
                return 0;
        }
        if (!list_Valid(w, (WPARAM)target) || target == w->current)
            return 0;
        w->current = target;
        if (w->style & LBS_NOTIFY)
            NotifyParent(hwnd, LBN_SELCHANGE);
        return 0;
    }
    case WM_SETFOCUS: NotifyParent(hwnd, LBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: NotifyParent(hwnd, LBN_KILLFOCUS); return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window *w = Find(hwnd);
    if (!w)
        return 0;
    LRESULT result;
    if (list_Common(hwnd, w, msg, wParam, lParam, &result))
        return result;
    switch (msg) {
    case WM_CREATE: list_Create(hwnd, w); return 0;
    case WM_DESTROY: list_Reset(hwnd, w); return 0;
    case CB_SETCURSEL:
        if (!list_Valid(w, wParam)) {
            w->current = -1;
            if (list_HasEdit(w))
                w->text.clear();
            return CB_ERR;
        }
        w->current = (int)wParam;
        list_SyncComboText(w);
        return w->current;
    case CB_SELECTSTRING: {
        LRESULT found = list_Find(w, wParam, (LPCWSTR)lParam, false);
        if (found != CB_ERR) {
            w->current = (int)found;
            list_SyncComboText(w);
        }
        return found;
    }
    case CB_SHOWDROPDOWN:
        if ((wParam != 0) != w->dropped) {
            w->dropped = wParam != 0;
            NotifyParent(hwnd, w->dropped ? CBN_DROPDOWN : CBN_CLOSEUP);
        }
        return TRUE;
    case CB_GETDROPPEDSTATE: return w->dropped ? TRUE : FALSE;
    case CB_LIMITTEXT: w->limit = (UINT)wParam; return TRUE;
    case CB_SETEDITSEL: w->selectAll = LOWORD(lParam) == 0 && (SHORT)HIWORD(lParam) == -1; return TRUE;
    case WM_SETTEXT:
        if (!list_HasEdit(w)) {
            LRESULT found = list_Find(w, (WPARAM)-1, lParam ? (LPCWSTR)lParam : u"", true);
            if (found == CB_ERR)
                return CB_ERR;
            w->current = (int)found;
            return TRUE;
        }
        w->text = lParam ? (LPCWSTR)lParam : u"";
        return TRUE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        if (!list_HasEdit(w))
            w->text = w->current >= 0 ? w->items[(size_t)w->current].text : u"";
        break;
    case WM_CHAR: {
        if (!list_HasEdit(w))
            return 0;
        if (wParam == 8) {
            if (w->selectAll)
                w->text.clear();
            else if (!w->text.empty())
                w->text.pop_back();
        } else {
            if (w->selectAll)
                w->text.clear();
            if (w->limit && w->text.size() >= w->limit)
                return 0;
            w->text += (WCHAR)wParam;
        }
        w->selectAll = false;
        NotifyParent(hwnd, CBN_EDITUPDATE);
        NotifyParent(hwnd, CBN_EDITCHANGE);
        return 0;
    }
    case WM_SETFOCUS: NotifyParent(hwnd, CBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: NotifyParent(hwnd, CBN_KILLFOCUS); return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool ChooseItem(HWND control, int index)
{
    Window *w = Find(control);
    if (!w || !IsWindowEnabled(control) || !list_Valid(w, (WPARAM)index))
        return false;
    if (!list_IsCombo(w)) {
        if (w->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))
            w->items[(size_t)index].selected = !w->items[(size_t)index].selected;
        else
            w->current = index;
        if (w->style & LBS_NOTIFY)
            NotifyParent(control, LBN_SELCHANGE);
        return true;
    }
    for (const WORD *code = kChooseOrder; *code; ++code) {
        w = Find(control); // a notification may have destroyed the combo
        if (!w)
            return true;
        if (*code == CBN_DROPDOWN)
            w->dropped = true;
        if (*code == CBN_CLOSEUP)
            w->dropped = false;
        NotifyParent(control, *code);
        w = Find(control);
        if (w && *code == CBN_DROPDOWN && list_Valid(w, (WPARAM)index)) {
            w->current = index;
            list_SyncComboText(w);
        }
    }
    return true;
}

} // namespace qmu
