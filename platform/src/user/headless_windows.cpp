/*
 * Headless windows of the host build: handles with a parent and an instance, created and
 * destroyed under one lock; nothing is drawn and no message is sent.
 */
#include <windows.h>

#include <mutex>
#include <vector>

namespace {

struct Window {
    HWND handle;
    HWND parent;
    HINSTANCE instance;
};

std::mutex &windowLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<Window> &windows()
{
    static std::vector<Window> list;
    return list;
}

/* Handles are never reused within a process. */
ULONG_PTR g_nextHandle = 0x00020000;

Window *findWindow(HWND handle)
{
    for (Window &window : windows())
        if (handle != nullptr && window.handle == handle)
            return &window;
    return nullptr;
}

} // namespace

/* CreateWindowExW: see winuser.h. */
extern "C" HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X,
                                       int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                                       HINSTANCE hInstance, LPVOID lpParam)
{
    (void)dwExStyle;
    (void)lpClassName;
    (void)lpWindowName;
    (void)dwStyle;
    (void)X;
    (void)Y;
    (void)nWidth;
    (void)nHeight;
    (void)hMenu;
    (void)lpParam;
    std::lock_guard<std::mutex> guard(windowLock());
    if (hWndParent != nullptr && !findWindow(hWndParent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    try {
        g_nextHandle += 4;
        HWND handle = (HWND)g_nextHandle;
        windows().push_back(Window{handle, hWndParent, hInstance});
        return handle;
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

/* DestroyWindow: see winuser.h. */
extern "C" BOOL WINAPI DestroyWindow(HWND hWnd)
{
    std::lock_guard<std::mutex> guard(windowLock());
    if (!findWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    /* The window and, window by window, every descendant. */
    std::vector<HWND> gone = {hWnd};
    for (size_t i = 0; i < gone.size(); ++i)
        for (const Window &window : windows())
            if (window.parent == gone[i])
                gone.push_back(window.handle);
    std::vector<Window> kept;
    for (const Window &window : windows()) {
        bool destroyed = false;
        for (HWND handle : gone)
            destroyed = destroyed || handle == window.handle;
        if (!destroyed)
            kept.push_back(window);
    }
    windows().swap(kept);
    return TRUE;
}

/* IsWindow: see winuser.h. */
extern "C" BOOL WINAPI IsWindow(HWND hWnd)
{
    std::lock_guard<std::mutex> guard(windowLock());
    return findWindow(hWnd) != nullptr;
}

/* GetParent: see winuser.h. */
extern "C" HWND WINAPI GetParent(HWND hWnd)
{
    std::lock_guard<std::mutex> guard(windowLock());
    Window *window = findWindow(hWnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return window->parent;
}

/* GetWindowLongPtrW: see winuser.h. */
extern "C" LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex)
{
    std::lock_guard<std::mutex> guard(windowLock());
    Window *window = findWindow(hWnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (nIndex != GWLP_HINSTANCE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return (LONG_PTR)window->instance;
}
