/*
 * Headless windows: classes, the table of live windows, creation and destruction, window
 * longs, text, properties, focus, rectangles, and the default window procedure. Nothing
 * is drawn here; GetDC on the desktop (or NULL) gives a display DC of the GDI area.
 *
 * Creation sends WM_NCCREATE and WM_CREATE (either refusing destroys the window and
 * CreateWindowExW answers NULL); destruction sends WM_DESTROY to the window before its
 * children and WM_NCDESTROY to the children before the window, as Windows does.
 */
#include <windows.h>

#include <mutex>

#include "platform/src/gdi/gdi_private.h"
#include "platform/src/kernel/kernel_private.h"
#include "platform/src/user/user_private.h"
#include "platform/testing/qm_testing_user.h"

namespace {

using qmu::Window;
using qmu::WindowClass;

/* The desktop window's fixed handle (never dereferenced). */
const HWND kDesktop = (HWND)(ULONG_PTR)0x00010010;
/* Handles of created windows count up from here in steps of 2 (never 0, never the desktop). */
const ULONG_PTR kFirstHandle = 0x00020002;

std::recursive_mutex g_lock;
std::map<HWND, Window *> g_windows;
/* Registered classes live as long as the process: the list is held by pointer so that
   static destruction at exit leaves it reachable rather than orphaning its classes. */
std::vector<WindowClass *> &g_classes = *new std::vector<WindowClass *>();
ULONG_PTR g_nextHandle = kFirstHandle;
ATOM g_nextAtom = 0xC000;
HWND g_focus;

std::u16string window_Fold(LPCWSTR text)
{
    std::u16string folded;
    for (; text && *text; ++text)
        folded += qmk::FoldCase(*text);
    return folded;
}

bool window_IsAtom(LPCWSTR name)
{
    return ((ULONG_PTR)name >> 16) == 0;
}

ATOM window_Register(LPCWSTR name, WNDPROC proc, int extra, HINSTANCE instance, bool system)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    if (qmu::FindClass(name, instance)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    WindowClass *cls = new WindowClass();
    cls->name = name;
    cls->proc = proc;
    cls->windowExtra = extra < 0 ? 0 : extra;
    cls->instance = instance;
    cls->atom = g_nextAtom++;
    cls->system = system;
    g_classes.push_back(cls);
    return cls->atom;
}

/* The built-in classes and their ordinals in dialog templates. */
struct SystemClass {
    const char16_t *name;
    WNDPROC proc;
    int extra;
};

const SystemClass kSystemClasses[] = {
    {u"Button", qmu::ButtonProc, 0},
    {u"Edit", qmu::EditProc, 0},
    {u"Static", qmu::StaticProc, 0},
    {u"ListBox", qmu::ListBoxProc, 0},
    {u"ScrollBar", qmu::ScrollBarProc, 0},
    {u"ComboBox", qmu::ComboBoxProc, 0},
    {u"#32770", qmu::DialogProc, DLGWINDOWEXTRA},
};

std::vector<BYTE> &window_Extra(Window *w)
{
    return w->extra;
}

/* Reads or writes `size` bytes of the window's extra bytes at index; false out of range. */
bool window_ExtraAt(Window *w, int index, size_t size)
{
    return index >= 0 && (size_t)index + size <= window_Extra(w).size();
}

void window_Destroy(HWND hwnd);

} // namespace

namespace qmu {

Window *Find(HWND hwnd)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    auto it = g_windows.find(hwnd);
    return it == g_windows.end() ? nullptr : it->second;
}

const WindowClass *FindClass(LPCWSTR name, HINSTANCE instance)
{
    (void)instance; // classes are process-wide here
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    if (window_IsAtom(name)) {
        if ((ULONG_PTR)name == 0x8002)
            name = u"#32770";
        else {
            for (const WindowClass *cls : g_classes)
                if (cls->atom == (ATOM)(ULONG_PTR)name)
                    return cls;
            return nullptr;
        }
    }
    for (const WindowClass *cls : g_classes)
        if (lstrcmpiW(cls->name.c_str(), name) == 0)
            return cls;
    return nullptr;
}

void RegisterSystemClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const SystemClass &sc : kSystemClasses)
            window_Register(sc.name, sc.proc, sc.extra, nullptr, true);
    });
}

void NotifyParent(HWND control, WORD code)
{
    Window *w = Find(control);
    if (!w || !w->parent)
        return;
    HWND parent = w->parent;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM((WORD)w->id, code), (LPARAM)control);
}

UINT OwnerDrawKind(const Window *window)
{
    const std::u16string &name = window->cls->name;
    if (lstrcmpiW(name.c_str(), u"ListBox") == 0)
        return ODT_LISTBOX;
    if (lstrcmpiW(name.c_str(), u"ComboBox") == 0)
        return ODT_COMBOBOX;
    if (lstrcmpiW(name.c_str(), u"Button") == 0)
        return ODT_BUTTON;
    if (lstrcmpiW(name.c_str(), u"Static") == 0)
        return ODT_STATIC;
    return 0;
}

std::u16string Number(long long value)
{
    std::u16string text;
    bool negative = value < 0;
    unsigned long long v = negative ? 0ull - (unsigned long long)value : (unsigned long long)value;
    do {
        text.insert(text.begin(), (char16_t)(u'0' + v % 10));
        v /= 10;
    } while (v);
    if (negative)
        text.insert(text.begin(), u'-');
    return text;
}

} // namespace qmu

namespace {

void window_Destroy(HWND hwnd)
{
    Window *w = qmu::Find(hwnd);
    if (!w || w->destroying)
        return;
    w->destroying = true;
    if (g_focus == hwnd || IsChild(hwnd, g_focus))
        g_focus = nullptr;
    // Owned top-level windows go first, then the window's WM_DESTROY, its children, WM_NCDESTROY.
    std::vector<HWND> owned;
    {
        std::lock_guard<std::recursive_mutex> guard(g_lock);
        for (auto &entry : g_windows)
            if (entry.second->owner == hwnd && !entry.second->destroying)
                owned.push_back(entry.first);
    }
    for (HWND o : owned)
        window_Destroy(o);
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    std::vector<HWND> children = w->children;
    for (HWND child : children)
        window_Destroy(child);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    qmu::DropPostedMessages(hwnd);
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    if (Window *parent = qmu::Find(w->parent)) {
        auto &list = parent->children;
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i] == hwnd) {
                list.erase(list.begin() + (long)i);
                break;
            }
    }
    g_windows.erase(hwnd);
    if (w->ownFont)
        DeleteObject(w->ownFont);
    delete w;
}

} // namespace

extern "C" {

/* Registers a class (process-wide); 0 with ERROR_CLASS_ALREADY_EXISTS for a known name. */
ATOM WINAPI RegisterClassW(const WNDCLASSW *lpWndClass)
{
    qmu::RegisterSystemClasses();
    if (!lpWndClass || !lpWndClass->lpfnWndProc || !lpWndClass->lpszClassName ||
        window_IsAtom(lpWndClass->lpszClassName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return window_Register(
        lpWndClass->lpszClassName, lpWndClass->lpfnWndProc, lpWndClass->cbWndExtra, lpWndClass->hInstance, false);
}

/* Unregisters a class no window uses; built-in classes stay. */
BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    const WindowClass *cls = qmu::FindClass(lpClassName, hInstance);
    if (!cls || cls->system) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    for (auto &entry : g_windows)
        if (entry.second->cls == cls) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
    for (size_t i = 0; i < g_classes.size(); ++i)
        if (g_classes[i] == cls) {
            delete g_classes[i];
            g_classes.erase(g_classes.begin() + (long)i);
            break;
        }
    return TRUE;
}

BOOL WINAPI GetClassInfoW(HINSTANCE hInstance, LPCWSTR lpClassName, LPWNDCLASSW lpWndClass)
{
    qmu::RegisterSystemClasses();
    const WindowClass *cls = qmu::FindClass(lpClassName, hInstance);
    if (!cls || !lpWndClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    memset(lpWndClass, 0, sizeof(*lpWndClass));
    lpWndClass->lpfnWndProc = cls->proc;
    lpWndClass->cbWndExtra = cls->windowExtra;
    lpWndClass->hInstance = cls->instance;
    lpWndClass->lpszClassName = cls->name.c_str();
    return TRUE;
}

int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount)
{
    Window *w = qmu::Find(hWnd);
    if (!w || !lpClassName || nMaxCount <= 0) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    lstrcpynW(lpClassName, w->cls->name.c_str(), nMaxCount);
    return lstrlenW(lpClassName);
}

/* A window of a registered class. For WS_CHILD windows hMenu is the control id and the
 * parent is required; otherwise hWndParent is the owner. NULL with a last error when the
 * class is unknown, the parent is not a window, or WM_NCCREATE / WM_CREATE refuse. */
HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    qmu::RegisterSystemClasses();
    const WindowClass *cls = qmu::FindClass(lpClassName, hInstance);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    bool child = (dwStyle & WS_CHILD) != 0;
    if (hWndParent == kDesktop)
        hWndParent = nullptr;
    if ((child && !hWndParent) || (hWndParent && !qmu::Find(hWndParent))) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!qmk::AllocationAllowed()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Window *w = new Window();
    w->cls = cls;
    w->proc = cls->proc;
    w->style = dwStyle;
    w->exStyle = dwExStyle;
    w->instance = hInstance;
    w->extra.assign((size_t)cls->windowExtra, 0);
    if (child) {
        w->parent = hWndParent;
        w->id = (LONG_PTR)hMenu;
    } else {
        w->owner = hWndParent;
    }
    if (X == CW_USEDEFAULT)
        X = Y = 0;
    if (nWidth == CW_USEDEFAULT)
        nWidth = nHeight = 0;
    w->rect = {X, Y, X + nWidth, Y + nHeight};
    w->current = -1;
    {
        std::lock_guard<std::recursive_mutex> guard(g_lock);
        w->handle = (HWND)g_nextHandle;
        g_nextHandle += 2;
        g_windows[w->handle] = w;
        if (child)
            qmu::Find(hWndParent)->children.push_back(w->handle);
    }
    HWND hwnd = w->handle;
    CREATESTRUCTW cs;
    cs.lpCreateParams = lpParam;
    cs.hInstance = hInstance;
    cs.hMenu = hMenu;
    cs.hwndParent = hWndParent;
    cs.cy = nHeight;
    cs.cx = nWidth;
    cs.y = Y;
    cs.x = X;
    cs.style = (LONG)dwStyle;
    cs.lpszName = lpWindowName;
    cs.lpszClass = lpClassName;
    cs.dwExStyle = dwExStyle;
    if (!SendMessageW(hwnd, WM_NCCREATE, 0, (LPARAM)&cs) || SendMessageW(hwnd, WM_CREATE, 0, (LPARAM)&cs) == -1) {
        window_Destroy(hwnd);
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    return hwnd;
}

BOOL WINAPI DestroyWindow(HWND hWnd)
{
    Window *w = qmu::Find(hWnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    window_Destroy(hWnd);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd)
{
    return hWnd == kDesktop || qmu::Find(hWnd) != nullptr;
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd)
{
    Window *w = qmu::Find(hWnd);
    while (w && w->parent) {
        if (w->parent == hWndParent)
            return TRUE;
        w = qmu::Find(w->parent);
    }
    return FALSE;
}

/* The parent of a child window, the owner of a top-level one. */
HWND WINAPI GetParent(HWND hWnd)
{
    Window *w = qmu::Find(hWnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return w->parent ? w->parent : w->owner;
}

HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent)
{
    Window *w = qmu::Find(hWndChild);
    Window *p = qmu::Find(hWndNewParent);
    if (!w || (hWndNewParent && !p)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    HWND old = w->parent;
    if (Window *op = qmu::Find(old)) {
        for (size_t i = 0; i < op->children.size(); ++i)
            if (op->children[i] == hWndChild) {
                op->children.erase(op->children.begin() + (long)i);
                break;
            }
    }
    w->parent = hWndNewParent;
    if (p)
        p->children.push_back(hWndChild);
    return old ? old : kDesktop;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    Window *w = qmu::Find(hWnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (uCmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    if (uCmd == GW_OWNER)
        return w->owner;
    Window *p = qmu::Find(w->parent);
    if (!p)
        return nullptr;
    const std::vector<HWND> &list = p->children;
    size_t i = 0;
    while (i < list.size() && list[i] != hWnd)
        ++i;
    switch (uCmd) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return i + 1 < list.size() ? list[i + 1] : nullptr;
    case GW_HWNDPREV: return i > 0 ? list[i - 1] : nullptr;
    default: return nullptr;
    }
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex)
{
    Window *w = qmu::Find(hWnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (nIndex) {
    case GWLP_WNDPROC: return (LONG_PTR)w->proc;
    case GWLP_HINSTANCE: return (LONG_PTR)w->instance;
    case GWLP_HWNDPARENT: return (LONG_PTR)(w->parent ? w->parent : w->owner);
    case GWLP_ID: return w->id;
    case GWL_STYLE: return (LONG_PTR)(LONG)w->style;
    case GWL_EXSTYLE: return (LONG_PTR)(LONG)w->exStyle;
    case GWLP_USERDATA: return w->userData;
    }
    if (!window_ExtraAt(w, nIndex, sizeof(LONG_PTR))) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    LONG_PTR value;
    memcpy(&value, w->extra.data() + nIndex, sizeof(value));
    return value;
}

/* Sets a window long; the previous value. GWL_STYLE keeps WS_CHILD as it was. */
LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    Window *w = qmu::Find(hWnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    LONG_PTR old = GetWindowLongPtrW(hWnd, nIndex);
    switch (nIndex) {
    case GWLP_WNDPROC: w->proc = (WNDPROC)dwNewLong; return old;
    case GWLP_HINSTANCE: w->instance = (HINSTANCE)dwNewLong; return old;
    case GWLP_HWNDPARENT:
        if (w->parent)
            SetParent(hWnd, (HWND)dwNewLong);
        else
            w->owner = (HWND)dwNewLong;
        return old;
    case GWLP_ID: w->id = dwNewLong; return old;
    case GWL_STYLE: w->style = ((DWORD)dwNewLong & ~(DWORD)WS_CHILD) | (w->style & WS_CHILD); return old;
    case GWL_EXSTYLE: w->exStyle = (DWORD)dwNewLong; return old;
    case GWLP_USERDATA: w->userData = dwNewLong; return old;
    }
    if (!window_ExtraAt(w, nIndex, sizeof(LONG_PTR))) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    memcpy(w->extra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
    return old;
}

/* The 32-bit window longs: the same fields; extra bytes read and written four at a time. */
LONG WINAPI GetWindowLongW(HWND hWnd, int nIndex)
{
    Window *w = qmu::Find(hWnd);
    if (w && nIndex >= 0) {
        if (!window_ExtraAt(w, nIndex, sizeof(LONG))) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG value;
        memcpy(&value, w->extra.data() + nIndex, sizeof(value));
        return value;
    }
    return (LONG)GetWindowLongPtrW(hWnd, nIndex);
}

LONG WINAPI SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong)
{
    Window *w = qmu::Find(hWnd);
    if (w && nIndex >= 0) {
        if (!window_ExtraAt(w, nIndex, sizeof(LONG))) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG old;
        memcpy(&old, w->extra.data() + nIndex, sizeof(old));
        memcpy(w->extra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
        return old;
    }
    return (LONG)SetWindowLongPtrW(hWnd, nIndex, dwNewLong);
}

int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount)
{
    if (!lpString || nMaxCount <= 0)
        return 0;
    lpString[0] = 0;
    if (!qmu::Find(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return (int)SendMessageW(hWnd, WM_GETTEXT, (WPARAM)nMaxCount, (LPARAM)lpString);
}

int WINAPI GetWindowTextLengthW(HWND hWnd)
{
    return qmu::Find(hWnd) ? (int)SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0) : 0;
}

BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString)
{
    if (!qmu::Find(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessageW(hWnd, WM_SETTEXT, 0, (LPARAM)lpString) ? TRUE : FALSE;
}

/* Enables or disables a window (WM_ENABLE when the state changes); TRUE when it was disabled. */
BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable)
{
    Window *w = qmu::Find(hWnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (bEnable == !wasDisabled)
        return wasDisabled;
    if (bEnable)
        w->style &= ~(DWORD)WS_DISABLED;
    else
        w->style |= WS_DISABLED;
    if (!bEnable && (g_focus == hWnd || IsChild(hWnd, g_focus)))
        SetFocus(nullptr);
    SendMessageW(hWnd, WM_ENABLE, (WPARAM)(bEnable ? TRUE : FALSE), 0);
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd)
{
    Window *w = qmu::Find(hWnd);
    return w && !(w->style & WS_DISABLED);
}

/* Shows or hides a window (WM_SHOWWINDOW when the state changes); TRUE when it was visible. */
BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    Window *w = qmu::Find(hWnd);
    if (!w)
        return FALSE;
    BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
    BOOL show = nCmdShow != SW_HIDE;
    if (show == wasVisible)
        return wasVisible;
    SendMessageW(hWnd, WM_SHOWWINDOW, (WPARAM)show, 0);
    if (show)
        w->style |= WS_VISIBLE;
    else
        w->style &= ~(DWORD)WS_VISIBLE;
    return wasVisible;
}

/* Visible when the window and every parent are. */
BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    Window *w = qmu::Find(hWnd);
    while (w) {
        if (!(w->style & WS_VISIBLE))
            return FALSE;
        if (!w->parent)
            return TRUE;
        w = qmu::Find(w->parent);
    }
    return FALSE;
}

/* Screen rectangle: the window's rectangle offset by its parents' (no frames are drawn). */
BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    Window *w = qmu::Find(hWnd);
    if (!w || !lpRect) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    RECT r = w->rect;
    for (Window *p = qmu::Find(w->parent); p; p = qmu::Find(p->parent)) {
        r.left += p->rect.left;
        r.right += p->rect.left;
        r.top += p->rect.top;
        r.bottom += p->rect.top;
    }
    *lpRect = r;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    Window *w = qmu::Find(hWnd);
    if (!w || !lpRect) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *lpRect = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    (void)bRepaint;
    Window *w = qmu::Find(hWnd);
    if (!w)
        return FALSE;
    w->rect = {X, Y, X + nWidth, Y + nHeight};
    SendMessageW(hWnd, WM_SIZE, 0, MAKELPARAM(nWidth, nHeight));
    return TRUE;
}

BOOL WINAPI SetPropW(HWND hWnd, LPCWSTR lpString, HANDLE hData)
{
    Window *w = qmu::Find(hWnd);
    if (!w || !lpString)
        return FALSE;
    std::u16string key =
        window_IsAtom(lpString) ? u"#" + qmu::Number((long long)(ULONG_PTR)lpString) : window_Fold(lpString);
    w->props[key] = hData;
    return TRUE;
}

HANDLE WINAPI GetPropW(HWND hWnd, LPCWSTR lpString)
{
    Window *w = qmu::Find(hWnd);
    if (!w || !lpString)
        return nullptr;
    std::u16string key =
        window_IsAtom(lpString) ? u"#" + qmu::Number((long long)(ULONG_PTR)lpString) : window_Fold(lpString);
    auto it = w->props.find(key);
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE WINAPI RemovePropW(HWND hWnd, LPCWSTR lpString)
{
    Window *w = qmu::Find(hWnd);
    if (!w || !lpString)
        return nullptr;
    std::u16string key =
        window_IsAtom(lpString) ? u"#" + qmu::Number((long long)(ULONG_PTR)lpString) : window_Fold(lpString);
    auto it = w->props.find(key);
    if (it == w->props.end())
        return nullptr;
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
}

/* Moves the focus: WM_KILLFOCUS to the old window, WM_SETFOCUS to the new one. A disabled
 * window does not take it. Returns the previous focus. */
HWND WINAPI SetFocus(HWND hWnd)
{
    if (hWnd && (!qmu::Find(hWnd) || !IsWindowEnabled(hWnd)))
        return nullptr;
    HWND old = g_focus;
    if (old == hWnd)
        return old;
    g_focus = hWnd;
    if (old && qmu::Find(old))
        SendMessageW(old, WM_KILLFOCUS, (WPARAM)hWnd, 0);
    if (hWnd && g_focus == hWnd)
        SendMessageW(hWnd, WM_SETFOCUS, (WPARAM)old, 0);
    return old;
}

HWND WINAPI GetFocus(void)
{
    return g_focus;
}

/* The default window procedure: text, font, creation, WM_CLOSE (destroys), context menus
 * passed to the parent; 0 for the rest. */
LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window *w = qmu::Find(hWnd);
    if (!w)
        return 0;
    switch (Msg) {
    case WM_NCCREATE: {
        const CREATESTRUCTW *cs = (const CREATESTRUCTW *)lParam;
        if (cs && cs->lpszName && !window_IsAtom(cs->lpszName))
            w->text = cs->lpszName;
        return TRUE;
    }
    case WM_SETTEXT: w->text = lParam ? (LPCWSTR)lParam : u""; return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        LPWSTR out = (LPWSTR)lParam;
        lstrcpynW(out, w->text.c_str(), (int)wParam);
        return lstrlenW(out);
    }
    case WM_GETTEXTLENGTH: return (LRESULT)w->text.size();
    case WM_SETFONT: w->font = (HFONT)wParam; return 0;
    case WM_GETFONT: return (LRESULT)w->font;
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_CONTEXTMENU:
        if (w->parent)
            return SendMessageW(w->parent, WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: return -1;
    }
    return 0;
}

LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

/* The desktop window: a fixed handle. */
HWND WINAPI GetDesktopWindow(void)
{
    return kDesktop;
}

/* A display DC for the desktop (or NULL); NULL for another window. */
HDC WINAPI GetDC(HWND hWnd)
{
    if (hWnd != nullptr && hWnd != kDesktop)
        return nullptr;
    return qmg::CreateDisplayDC();
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC)
{
    (void)hWnd;
    return qmg::DeleteDisplayDC(hDC) ? 1 : 0;
}

} // extern "C"

extern "C" DWORD qmt_LiveWindows(void)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    return (DWORD)g_windows.size();
}
