/*
 * Tooltips, trackbars and up-down controls with their state.
 *
 * A tooltip keeps its tool list for inspection (TTM_GETTOOLCOUNT, TTM_ENUMTOOLSW,
 * TTM_GETTOOLINFOW); it never shows a tip. A trackbar keeps range, position, line and page
 * sizes; its setters notify nothing, a user's drag sends WM_HSCROLL (WM_VSCROLL when
 * vertical) with TB_THUMBTRACK, TB_THUMBPOSITION and TB_ENDTRACK. An up-down control keeps
 * range, position and buddy; a user's click sends UDN_DELTAPOS (a nonzero answer refuses
 * the change), then, when the position moved, sets the buddy's text (UDS_SETBUDDYINT) and
 * sends WM_VSCROLL (WM_HSCROLL with UDS_HORZ) with SB_THUMBPOSITION and SB_ENDSCROLL.
 */
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/src/comctl/comctl_private.h"
#include "platform/src/user/user_private.h"
#include "platform/testing/qm_testing_user.h"

namespace {

struct Tool {
    UINT flags;
    HWND owner;
    UINT_PTR id;
    RECT rect;
    HINSTANCE instance;
    std::u16string text;
    bool callback;    /* LPSTR_TEXTCALLBACKW */
    LPCWSTR resource; /* a string id of instance */
    LPARAM lParam;
};

struct Trackbar {
    LONG min, max, pos, line, page;
};

struct UpDown {
    int low, high, pos;
    HWND buddy;
};

std::recursive_mutex g_lock;
std::map<HWND, std::vector<Tool>> g_tools;
std::map<HWND, Trackbar> g_trackbars;
std::map<HWND, UpDown> g_updowns;

bool cc_SameTool(const Tool &t, const TTTOOLINFOW *ti)
{
    return t.owner == ti->hwnd && t.id == ti->uId;
}

void cc_FillInfo(const Tool &t, TTTOOLINFOW *ti)
{
    ti->uFlags = t.flags;
    ti->hwnd = t.owner;
    ti->uId = t.id;
    ti->rect = t.rect;
    ti->hinst = t.instance;
    ti->lParam = t.lParam;
    if (t.callback)
        ti->lpszText = LPSTR_TEXTCALLBACKW;
    else if (t.resource)
        ti->lpszText = (LPWSTR)t.resource;
    else if (ti->lpszText && ti->lpszText != LPSTR_TEXTCALLBACKW)
        lstrcpynW(ti->lpszText, t.text.c_str(), 80);
}

Tool cc_ToolOf(const TTTOOLINFOW *ti)
{
    Tool t = {};
    t.flags = ti->uFlags;
    t.owner = ti->hwnd;
    t.id = ti->uId;
    t.rect = ti->rect;
    t.instance = ti->hinst;
    t.lParam = ti->cbSize >= TTTOOLINFOW_V2_SIZE ? ti->lParam : 0;
    t.callback = ti->lpszText == LPSTR_TEXTCALLBACKW;
    if (ti->lpszText && !t.callback) {
        if (((ULONG_PTR)ti->lpszText >> 16) == 0)
            t.resource = ti->lpszText;
        else
            t.text = ti->lpszText;
    }
    return t;
}

LRESULT CALLBACK cc_TooltipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    std::vector<Tool> &tools = g_tools[hwnd];
    TTTOOLINFOW *ti = (TTTOOLINFOW *)lParam;
    switch (msg) {
    case TTM_ADDTOOLW:
        if (!ti || ti->cbSize < offsetof(TTTOOLINFOW, lParam))
            return FALSE;
        tools.push_back(cc_ToolOf(ti));
        return TRUE;
    case TTM_DELTOOLW:
        for (size_t i = 0; ti && i < tools.size(); ++i)
            if (cc_SameTool(tools[i], ti)) {
                tools.erase(tools.begin() + (long)i);
                break;
            }
        return 0;
    case TTM_GETTOOLCOUNT: return (LRESULT)tools.size();
    case TTM_ENUMTOOLSW:
        if (!ti || wParam >= tools.size())
            return FALSE;
        cc_FillInfo(tools[wParam], ti);
        return TRUE;
    case TTM_GETTOOLINFOW:
        for (const Tool &t : tools)
            if (ti && cc_SameTool(t, ti)) {
                cc_FillInfo(t, ti);
                return TRUE;
            }
        return FALSE;
    case TTM_SETTOOLINFOW:
    case TTM_UPDATETIPTEXTW:
    case TTM_NEWTOOLRECTW:
        for (Tool &t : tools)
            if (ti && cc_SameTool(t, ti)) {
                Tool updated = cc_ToolOf(ti);
                if (msg == TTM_SETTOOLINFOW)
                    t = updated;
                else if (msg == TTM_NEWTOOLRECTW)
                    t.rect = ti->rect;
                else {
                    t.text = updated.text;
                    t.callback = updated.callback;
                    t.resource = updated.resource;
                }
            }
        return 0;
    case TTM_ACTIVATE:
    case TTM_SETDELAYTIME:
    case TTM_POP: return 0;
    case TTM_SETMAXTIPWIDTH: {
        LRESULT old = (LRESULT)qmu::Find(hwnd)->userData;
        qmu::Find(hwnd)->userData = lParam;
        return old ? old : -1;
    }
    case WM_NCDESTROY: g_tools.erase(hwnd); break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void cc_Scroll(HWND control, bool vertical, WORD code, WORD pos)
{
    qmu::Window *w = qmu::Find(control);
    if (w && w->parent)
        SendMessageW(w->parent, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos), (LPARAM)control);
}

LONG cc_Clamp(LONG v, LONG low, LONG high)
{
    return v < low ? low : (v > high ? high : v);
}

LRESULT CALLBACK cc_TrackbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::unique_lock<std::recursive_mutex> guard(g_lock);
    Trackbar &t = g_trackbars[hwnd];
    qmu::Window *w = qmu::Find(hwnd);
    switch (msg) {
    case WM_CREATE: t = {0, 100, 0, 1, 20}; return 0;
    case TBM_GETPOS: return t.pos;
    case TBM_GETRANGEMIN: return t.min;
    case TBM_GETRANGEMAX: return t.max;
    case TBM_SETPOS: t.pos = cc_Clamp((LONG)lParam, t.min, t.max); return 0;
    case TBM_SETRANGE:
        t.min = (SHORT)LOWORD(lParam);
        t.max = (SHORT)HIWORD(lParam);
        t.pos = cc_Clamp(t.pos, t.min, t.max);
        return 0;
    case TBM_SETRANGEMIN:
        t.min = (LONG)lParam;
        t.pos = cc_Clamp(t.pos, t.min, t.max);
        return 0;
    case TBM_SETRANGEMAX:
        t.max = (LONG)lParam;
        t.pos = cc_Clamp(t.pos, t.min, t.max);
        return 0;
    case TBM_SETPAGESIZE: {
        LONG old = t.page;
        t.page = (LONG)lParam;
        return old;
    }
    case TBM_GETPAGESIZE: return t.page;
    case TBM_SETLINESIZE: {
        LONG old = t.line;
        t.line = (LONG)lParam;
        return old;
    }
    case TBM_GETLINESIZE: return t.line;
    case TBM_SETTICFREQ: return 0;
    case WM_NCDESTROY: g_trackbars.erase(hwnd); break;
    default:
        if (msg == qmu::kUserActionMessage && wParam == QMT_ACT_SLIDE) {
            t.pos = cc_Clamp((LONG)lParam, t.min, t.max);
            WORD pos = (WORD)t.pos;
            bool vertical = w && (w->style & TBS_VERT);
            guard.unlock();
            cc_Scroll(hwnd, vertical, TB_THUMBTRACK, pos);
            cc_Scroll(hwnd, vertical, TB_THUMBPOSITION, pos);
            cc_Scroll(hwnd, vertical, TB_ENDTRACK, 0);
            return TRUE;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK cc_UpDownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::unique_lock<std::recursive_mutex> guard(g_lock);
    UpDown &u = g_updowns[hwnd];
    qmu::Window *w = qmu::Find(hwnd);
    switch (msg) {
    case WM_CREATE:
        u = {0, 100, 0, nullptr};
        // UDS_AUTOBUDDY takes the control created just before as its buddy.
        if (w && (w->style & UDS_AUTOBUDDY))
            u.buddy = GetWindow(hwnd, GW_HWNDPREV);
        return 0;
    case UDM_SETRANGE:
        u.low = (SHORT)HIWORD(lParam);
        u.high = (SHORT)LOWORD(lParam);
        return 0;
    case UDM_GETRANGE: return MAKELONG(u.high, u.low);
    case UDM_SETRANGE32:
        u.low = (int)wParam;
        u.high = (int)lParam;
        return 0;
    case UDM_GETRANGE32:
        if (wParam)
            *(int *)wParam = u.low;
        if (lParam)
            *(int *)lParam = u.high;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        int old = u.pos;
        int low = u.low < u.high ? u.low : u.high, high = u.low < u.high ? u.high : u.low;
        u.pos = (int)cc_Clamp(msg == UDM_SETPOS ? (SHORT)LOWORD(lParam) : (int)lParam, low, high);
        return old;
    }
    case UDM_GETPOS: return MAKELONG(u.pos, 0);
    case UDM_GETPOS32:
        if (lParam)
            *(BOOL *)lParam = FALSE;
        return u.pos;
    case UDM_SETBUDDY: {
        HWND old = u.buddy;
        u.buddy = (HWND)wParam;
        return (LRESULT)old;
    }
    case UDM_GETBUDDY: return (LRESULT)u.buddy;
    case WM_NCDESTROY: g_updowns.erase(hwnd); break;
    default:
        if (msg == qmu::kUserActionMessage && wParam == QMT_ACT_SPIN && w) {
            // The arrow toward the range's high end adds one.
            int delta = (int)lParam >= 0 ? 1 : -1;
            if (u.high < u.low)
                delta = -delta;
            NMUPDOWN n = {};
            n.hdr.hwndFrom = hwnd;
            n.hdr.idFrom = (UINT_PTR)w->id;
            n.hdr.code = UDN_DELTAPOS;
            n.iPos = u.pos;
            n.iDelta = delta;
            HWND parent = w->parent;
            guard.unlock();
            if (SendMessageW(parent, WM_NOTIFY, (WPARAM)w->id, (LPARAM)&n))
                return TRUE;
            guard.lock();
            int low = u.low < u.high ? u.low : u.high, high = u.low < u.high ? u.high : u.low;
            int next = u.pos + n.iDelta;
            if (next < low || next > high)
                next = (w->style & UDS_WRAP) ? (next < low ? high : low) : (int)cc_Clamp(next, low, high);
            if (next == u.pos)
                return TRUE;
            u.pos = next;
            HWND buddy = u.buddy;
            bool horizontal = (w->style & UDS_HORZ) != 0;
            bool setText = (w->style & UDS_SETBUDDYINT) != 0;
            guard.unlock();
            if (setText && buddy)
                SetWindowTextW(buddy, qmu::Number(next).c_str());
            cc_Scroll(hwnd, !horizontal, SB_THUMBPOSITION, (WORD)next);
            cc_Scroll(hwnd, !horizontal, SB_ENDSCROLL, (WORD)next);
            return TRUE;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

namespace qmcc {

void RegisterControlClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const struct {
            LPCWSTR name;
            WNDPROC proc;
        } classes[] = {
            {TOOLTIPS_CLASSW, cc_TooltipProc}, {TRACKBAR_CLASSW, cc_TrackbarProc}, {UPDOWN_CLASSW, cc_UpDownProc}};
        for (const auto &c : classes) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = c.proc;
            wc.lpszClassName = c.name;
            RegisterClassW(&wc);
        }
    });
}

} // namespace qmcc
