/*
 * Messages: sent messages call the window procedure at once; posted messages wait in one
 * queue until a modal loop or the test pump (qmt_PumpMessages) dispatches them. The user
 * log keeps what happened without a script (qmt_UserLogLine).
 */
#include <windows.h>

#include <deque>
#include <mutex>

#include "platform/src/kernel/kernel_private.h"
#include "platform/src/user/user_private.h"
#include "platform/testing/qm_testing_user.h"

namespace {

std::mutex g_queueLock;
std::deque<MSG> g_queue;
std::mutex g_logLock;
std::vector<std::u16string> g_log;

bool message_Matches(const MSG &m, HWND hwnd, UINT low, UINT high)
{
    if (hwnd && m.hwnd != hwnd)
        return false;
    return (low == 0 && high == 0) || (m.message >= low && m.message <= high);
}

} // namespace

namespace qmu {

void DropPostedMessages(HWND hwnd)
{
    std::lock_guard<std::mutex> guard(g_queueLock);
    for (size_t i = 0; i < g_queue.size();) {
        if (g_queue[i].hwnd == hwnd)
            g_queue.erase(g_queue.begin() + (long)i);
        else
            ++i;
    }
}

void Log(const std::u16string &line)
{
    std::lock_guard<std::mutex> guard(g_logLock);
    g_log.push_back(line);
}

} // namespace qmu

extern "C" {

/* Calls the window's procedure; 0 for a handle that is not a window. */
LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    qmu::Window *w = qmu::Find(hWnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    WNDPROC proc = w->proc;
    return proc ? proc(hWnd, Msg, wParam, lParam) : 0;
}

/* Queues a message for a window (or the thread, hWnd NULL). */
BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd && !qmu::Find(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MSG m = {};
    m.hwnd = hWnd;
    m.message = Msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = GetTickCount();
    std::lock_guard<std::mutex> guard(g_queueLock);
    g_queue.push_back(m);
    return TRUE;
}

/* The oldest queued message of the window (NULL: any) within the range (0, 0: any). */
BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    std::lock_guard<std::mutex> guard(g_queueLock);
    for (size_t i = 0; i < g_queue.size(); ++i) {
        if (!message_Matches(g_queue[i], hWnd, wMsgFilterMin, wMsgFilterMax))
            continue;
        if (lpMsg)
            *lpMsg = g_queue[i];
        if (wRemoveMsg & PM_REMOVE)
            g_queue.erase(g_queue.begin() + (long)i);
        return TRUE;
    }
    return FALSE;
}

/* No keyboard: nothing to translate. */
BOOL WINAPI TranslateMessage(const MSG *lpMsg)
{
    (void)lpMsg;
    return FALSE;
}

LRESULT WINAPI DispatchMessageW(const MSG *lpMsg)
{
    if (!lpMsg || !lpMsg->hwnd)
        return 0;
    return SendMessageW(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

/* Dispatches a message meant for the dialog or one of its controls; FALSE for others. */
BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg)
{
    if (!lpMsg || !hDlg || (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)))
        return FALSE;
    DispatchMessageW(lpMsg);
    return TRUE;
}

} // extern "C"

extern "C" DWORD qmt_PumpMessages(void)
{
    DWORD count = 0;
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&m);
        ++count;
    }
    return count;
}

extern "C" DWORD qmt_UserLogCount(void)
{
    std::lock_guard<std::mutex> guard(g_logLock);
    return (DWORD)g_log.size();
}

extern "C" BOOL qmt_UserLogLine(DWORD index, LPWSTR buffer, DWORD capacity)
{
    std::lock_guard<std::mutex> guard(g_logLock);
    if (index >= g_log.size() || !buffer || capacity == 0)
        return FALSE;
    lstrcpynW(buffer, g_log[index].c_str(), (int)capacity);
    return TRUE;
}

extern "C" void qmt_ResetUserLog(void)
{
    std::lock_guard<std::mutex> guard(g_logLock);
    g_log.clear();
}
