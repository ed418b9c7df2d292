/*
 * Messages to the user and to the debugger, both headless.
 *
 * MessageBoxW never shows anything and never waits: it takes the next answer a test has
 * scripted (qmt_ScriptMessageBoxAnswers), or, with none scripted, the default button of
 * its MB_ type, and logs the call. OutputDebugString text is kept in a capture buffer that
 * tests read (qmt_DebugOutput) and, when QM_DEBUG_OUTPUT=1, also goes to stderr.
 */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

namespace {

/* The buttons of each MB_ type, left to right; MB_DEFBUTTONn picks the n-th. */
const int kButtons[][3] = {
    {IDOK, 0, 0},                      /* MB_OK */
    {IDOK, IDCANCEL, 0},               /* MB_OKCANCEL */
    {IDABORT, IDRETRY, IDIGNORE},      /* MB_ABORTRETRYIGNORE */
    {IDYES, IDNO, IDCANCEL},           /* MB_YESNOCANCEL */
    {IDYES, IDNO, 0},                  /* MB_YESNO */
    {IDRETRY, IDCANCEL, 0},            /* MB_RETRYCANCEL */
    {IDCANCEL, IDTRYAGAIN, IDCONTINUE} /* MB_CANCELTRYCONTINUE */
};
const size_t kKinds = sizeof(kButtons) / sizeof(kButtons[0]);

/* The capture buffer keeps the most recent text up to this many characters. */
const size_t kDebugCapture = 1 << 20;

std::mutex g_message_lock;
std::vector<int> g_answers; /* scripted answers not yet used, the next one first */
std::vector<QmtMessageBoxCall> g_log;
std::u16string g_debug_output;

/* The default button of an MB_ type: the n-th button of MB_DEFBUTTONn, the first when the
 * type has fewer buttons. */
int default_button(UINT type)
{
    const int *buttons = kButtons[type & MB_TYPEMASK];
    unsigned index = (type & MB_DEFMASK) >> 8;
    if (index > 2 || !buttons[index])
        index = 0;
    return buttons[index];
}

void copy_text(WCHAR *to, size_t capacity, LPCWSTR from)
{
    lstrcpynW(to, from ? from : u"", (int)capacity);
}

void debug_output(const std::u16string &text)
{
    const char *env = getenv("QM_DEBUG_OUTPUT");
    if (env && strcmp(env, "1") == 0) {
        std::string utf8;
        qmk::WideToMulti(CP_UTF8, text.data(), text.size(), &utf8);
        fputs(utf8.c_str(), stderr);
    }
    std::lock_guard<std::mutex> guard(g_message_lock);
    g_debug_output += text;
    if (g_debug_output.size() > kDebugCapture)
        g_debug_output.erase(0, g_debug_output.size() - kDebugCapture);
}

} // namespace

/* Returns the scripted or default answer; 0 with ERROR_INVALID_PARAMETER for an unknown
 * MB_ type (nothing logged). A NULL caption is logged as "Error", as Windows shows it. */
extern "C" int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType)
{
    if ((uType & MB_TYPEMASK) >= kKinds) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    QmtMessageBoxCall call;
    memset(&call, 0, sizeof(call));
    call.hWnd = hWnd;
    copy_text(call.text, sizeof(call.text) / sizeof(call.text[0]), lpText);
    copy_text(call.caption, sizeof(call.caption) / sizeof(call.caption[0]), lpCaption ? lpCaption : u"Error");
    call.type = uType;
    std::lock_guard<std::mutex> guard(g_message_lock);
    call.scripted = !g_answers.empty();
    if (call.scripted) {
        call.answer = g_answers.front();
        g_answers.erase(g_answers.begin());
    } else {
        call.answer = default_button(uType);
    }
    g_log.push_back(call);
    return call.answer;
}

/* No window is ever active on the headless host: message boxes go without an owner. */
extern "C" HWND WINAPI GetActiveWindow(void)
{
    return nullptr;
}

/* OutputDebugStringW of the text read in the ANSI code page; NULL writes nothing. */
extern "C" void WINAPI OutputDebugStringA(LPCSTR lpOutputString)
{
    if (!lpOutputString)
        return;
    std::u16string text;
    qmk::MultiToWide(CP_ACP, lpOutputString, strlen(lpOutputString), &text);
    debug_output(text);
}

/* Appends the text to the capture buffer (and stderr with QM_DEBUG_OUTPUT=1); NULL writes nothing. */
extern "C" void WINAPI OutputDebugStringW(LPCWSTR lpOutputString)
{
    if (!lpOutputString)
        return;
    debug_output(lpOutputString);
}

extern "C" void qmt_ClearDebugOutput(void)
{
    std::lock_guard<std::mutex> guard(g_message_lock);
    g_debug_output.clear();
}

extern "C" DWORD qmt_DebugOutput(LPWSTR buffer, DWORD capacity)
{
    std::lock_guard<std::mutex> guard(g_message_lock);
    if (buffer && capacity)
        lstrcpynW(buffer, g_debug_output.c_str(), (int)capacity);
    return (DWORD)g_debug_output.size();
}

extern "C" DWORD qmt_MessageBoxCount(void)
{
    std::lock_guard<std::mutex> guard(g_message_lock);
    return (DWORD)g_log.size();
}

extern "C" BOOL qmt_MessageBoxLog(DWORD index, QmtMessageBoxCall *call)
{
    std::lock_guard<std::mutex> guard(g_message_lock);
    if (!call || index >= g_log.size())
        return FALSE;
    *call = g_log[index];
    return TRUE;
}

extern "C" void qmt_ResetMessageBoxes(void)
{
    std::lock_guard<std::mutex> guard(g_message_lock);
    g_answers.clear();
    g_log.clear();
}

extern "C" void qmt_ScriptMessageBoxAnswers(const int *answers, DWORD count)
{
    std::lock_guard<std::mutex> guard(g_message_lock);
    if (!answers)
        g_answers.clear();
    for (DWORD i = 0; answers && i < count; ++i)
        g_answers.push_back(answers[i]);
}
