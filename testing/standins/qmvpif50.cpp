/*
 * Test stand-in of the outside job-ticket maker: the ticket is "VPIF[" + the ticket data
 * + "]" unless the test scripts a failure, an empty ticket, no handle or a large ticket.
 */
#include "testing/standins/standin_controls.h"

#include <string.h>

#define LARGE_TICKET_BYTES 1000

static TicketStandinControl g_control;
static char g_ticket[1024];
static DWORD g_length;
static int g_handle;

extern "C" TicketStandinControl *WINAPI QmTicketStandinControl(DWORD reset)
{
    if (reset)
        memset(&g_control, 0, sizeof(g_control));
    return &g_control;
}

extern "C" HANDLE WINAPI VPIFMaker_Initialize(HANDLE printer)
{
    (void)printer;
    g_control.initialized++;
    g_length = 0;
    return g_control.script == TICKET_NO_HANDLE ? NULL : (HANDLE)&g_handle;
}

extern "C" BOOL WINAPI VPIFMaker_SetSPSetting(HANDLE maker, const void *data, DWORD size, const DWORD *pair)
{
    if (maker != (HANDLE)&g_handle || pair == NULL)
        return FALSE;
    g_control.pair[0] = pair[0];
    g_control.pair[1] = pair[1];
    if (g_control.script == TICKET_LARGE) {
        memset(g_ticket, 'T', LARGE_TICKET_BYTES);
        g_length = LARGE_TICKET_BYTES;
        return TRUE;
    }
    if (size > sizeof(g_ticket) - 8)
        size = sizeof(g_ticket) - 8;
    memcpy(g_ticket, "VPIF[", 5);
    memcpy(g_ticket + 5, data, size);
    g_ticket[5 + size] = ']';
    g_length = 6 + size;
    return TRUE;
}

extern "C" BOOL WINAPI VPIFMaker_GetVpif(HANDLE maker, BYTE *buffer, DWORD size, DWORD *needed)
{
    if (maker != (HANDLE)&g_handle || needed == NULL)
        return FALSE;
    if (buffer == NULL) {
        if (g_control.script == TICKET_SIZE_FAILS || g_control.script == TICKET_EMPTY) {
            *needed = 0;
            return g_control.script == TICKET_EMPTY;
        }
        *needed = g_length;
        return TRUE;
    }
    if (g_control.script == TICKET_FILL_FAILS || size < g_length)
        return FALSE;
    memcpy(buffer, g_ticket, g_length);
    *needed = g_length;
    return TRUE;
}

extern "C" void WINAPI VPIFMaker_finalize(HANDLE maker)
{
    if (maker == (HANDLE)&g_handle)
        g_control.finalized++;
}
