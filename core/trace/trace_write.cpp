/*
 * Trace lines: one line written whole under the trace lock, and the entry and exit lines
 * (trace.h).
 */
#include "core/trace/trace_private.h"

#include <stdarg.h>

static BOOL write_Prefixed(LPCWSTR prefix, LPCWSTR text);
static void write_Format(WCHAR *text, LPCWSTR format, va_list arguments);

/* Characters wvsprintfW writes at most, and its buffer. */
#define TRC_FORMAT_CHARS 1025

/*
 * Writes prefix + text when the line fits 513 characters: 0 for a longer line whatever
 * the flags, 1 when entry and exit lines are off, else the write's result.
 */
static BOOL write_Prefixed(LPCWSTR prefix, LPCWSTR text)
{
    if (!text) {
        return FALSE;
    }
    int prefixLength = lstrlenW(prefix);
    int textLength = lstrlenW(text);
    if (prefixLength + textLength > TRC_LINE_CHARS) {
        return FALSE;
    }
    if (!trace_HasFlags(TRC_ON | TRC_ENTRY_EXIT)) {
        return TRUE;
    }
    WCHAR line[TRC_LINE_CHARS + 1];
    lstrcpyW(line, prefix);
    lstrcatW(line, text);
    return trc_WriteLine(line, NULL);
}

/* Formats into text (TRC_FORMAT_CHARS characters). */
static void write_Format(WCHAR *text, LPCWSTR format, va_list arguments)
{
    text[0] = 0;
    wvsprintfW(text, format, arguments);
}

BOOL WINAPIV trc_Printf(LPCWSTR format, ...)
{
    if (!format) {
        return FALSE;
    }
    WCHAR text[TRC_FORMAT_CHARS];
    va_list arguments;
    va_start(arguments, format);
    write_Format(text, format, arguments);
    va_end(arguments);
    return trc_WriteLine(text, NULL);
}

BOOL WINAPI trc_WriteEnter(LPCWSTR text)
{
    return write_Prefixed(TEXT("IN <<"), text);
}

BOOL WINAPIV trc_WriteExit(LPCWSTR format, ...)
{
    if (!format) {
        return FALSE;
    }
    WCHAR text[TRC_FORMAT_CHARS];
    va_list arguments;
    va_start(arguments, format);
    write_Format(text, format, arguments);
    va_end(arguments);
    return write_Prefixed(TEXT("OUT>>"), text);
}

BOOL WINAPI trc_WriteLine(LPCWSTR text, HANDLE file)
{
    if (!text || lstrlenW(text) > TRC_LINE_CHARS) {
        return FALSE;
    }
    trace_Lock();
    trace_EnsureConfigLocked();
    BOOL result = TRUE;
    if (g_Trace.flags & TRC_ON) {
        result = trace_WriteLineLocked(text, file);
    }
    trace_Unlock();
    return result;
}

BOOL trace_WriteLineLocked(LPCWSTR text, HANDLE file)
{
    if (g_Trace.flags & TRC_DEBUGGER) {
        WCHAR line[TRC_LINE_CHARS + 2];
        lstrcpyW(line, text);
        lstrcatW(line, TEXT("\n"));
        OutputDebugStringW(line);
        return TRUE;
    }
    char bytes[TRC_ANSI_BYTES + 1];
    int length = WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, TRC_ANSI_BYTES, NULL, NULL);
    if (length <= 0) {
        return FALSE;
    }
    bytes[length - 1] = '\n'; /* the terminator's place */
    BOOL opened = FALSE;
    if (!file) {
        if (g_Trace.openCount == 0) {
            if (!trace_OpenLogLocked() || g_Trace.openCount == 0) {
                return FALSE;
            }
            opened = TRUE;
        }
        file = g_Trace.file;
    }
    DWORD written = 0;
    BOOL result = WriteFile(file, bytes, (DWORD)length, &written, NULL) && written == (DWORD)length;
    if (opened && !trace_CloseLogLocked()) {
        result = FALSE;
    }
    return result;
}
