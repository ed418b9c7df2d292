/*
 * Test stand-in of the outside job-attribute component: each function answers a
 * deterministic text naming the call and its arguments, records the arguments, and fails
 * when the test scripts it to.
 */
#include "testing/standins/standin_controls.h"

#include <stdio.h>
#include <string.h>

static AttrStandinControl g_control;

/* answer: the call's text into the caller's buffer of *size bytes; FALSE when scripted to
 * fail, when an argument is missing or the text does not fit. */
static BOOL answer(DWORD fn, const char *text, char *out, DWORD *size, DWORD *extra)
{
    g_control.calledMask |= fn;
    if ((g_control.failMask & fn) || out == NULL || size == NULL)
        return FALSE;
    DWORD length = (DWORD)strlen(text);
    if (length >= *size)
        return FALSE;
    memcpy(out, text, length + 1);
    *size = length;
    if (extra)
        *extra = 0;
    return TRUE;
}

extern "C" AttrStandinControl *WINAPI QmAttrStandinControl(DWORD reset)
{
    if (reset)
        memset(&g_control, 0, sizeof(g_control));
    return &g_control;
}

extern "C" BOOL WINAPI DHGetVJCLStringOfNup(DWORD code, char *text, DWORD *size, DWORD *extra)
{
    g_control.nupCode = code;
    char line[32];
    snprintf(line, sizeof(line), "@NUP=%lu", (unsigned long)code);
    return answer(ATTR_FN_NUP, line, text, size, extra);
}

extern "C" BOOL WINAPI DHGetVJCLStringOfHostAddress(char *text, DWORD *size, DWORD *extra)
{
    return answer(ATTR_FN_HOST_ADDRESS, "@HOSTADDR=192.0.2.7", text, size, extra);
}

extern "C" BOOL WINAPI DHGetVJCLStringOfJobOwnerStringFromUserHostName(DWORD kind, DWORD nup, DWORD tray, char *text,
                                                                       DWORD *size, DWORD *extra)
{
    g_control.ownerKind = kind;
    g_control.nupValue = nup;
    g_control.trayCode = tray;
    g_control.ownerText[0] = '\0';
    char line[64];
    snprintf(line,
             sizeof(line),
             "@OWNER=user@host:%lu:%lu:%lu",
             (unsigned long)kind,
             (unsigned long)nup,
             (unsigned long)tray);
    return answer(ATTR_FN_OWNER_USER_HOST, line, text, size, extra);
}

extern "C" BOOL WINAPI DHGetVJCLStringOfJobOwnerFromInputA(DWORD kind, const char *owner, DWORD nup, DWORD tray,
                                                           char *text, DWORD *size, DWORD *extra)
{
    g_control.ownerKind = kind;
    g_control.nupValue = nup;
    g_control.trayCode = tray;
    snprintf(g_control.ownerText, sizeof(g_control.ownerText), "%s", owner ? owner : "<null>");
    char line[64];
    snprintf(line,
             sizeof(line),
             "@OWNER=%.20s:%lu:%lu:%lu",
             owner ? owner : "",
             (unsigned long)kind,
             (unsigned long)nup,
             (unsigned long)tray);
    return answer(ATTR_FN_OWNER_INPUT, line, text, size, extra);
}

extern "C" BOOL WINAPI DHGetVJCLStringOfHostNameEx(DWORD kind, char *text, DWORD *size, DWORD reserved, DWORD *extra)
{
    (void)reserved;
    g_control.hostNameKind = kind;
    return answer(ATTR_FN_HOST_NAME, "@HOSTNAME=printhost", text, size, extra);
}
