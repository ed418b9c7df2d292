/*
 * The job ticket of the outside ticket maker (module directory + info string 25 of the
 * model): made from the caller's ticket data and copied unchanged in front of the block.
 */
#include "core/jobtext/jobtext_private.h"

#include "core/settings/settings.h"

#include <string.h>

#define INFO_TICKET_MAKER 25
#define CAP_TICKET (0xFFFF0000u | 61)

typedef HANDLE(WINAPI *MakerInitializeProc)(HANDLE printer);
typedef BOOL(WINAPI *MakerSetSettingProc)(HANDLE maker, const void *data, DWORD size, const DWORD *pair);
typedef BOOL(WINAPI *MakerGetVpifProc)(HANDLE maker, BYTE *buffer, DWORD size, DWORD *needed);
typedef void(WINAPI *MakerFinalizeProc)(HANDLE maker);

/* The maker's four functions. */
typedef struct TicketMaker {
    MakerInitializeProc initialize;
    MakerSetSettingProc setSetting;
    MakerGetVpifProc getVpif;
    MakerFinalizeProc finalize;
} TicketMaker;

/* bind_maker: 1 when all four functions are there. */
static BOOL bind_maker(HMODULE module, TicketMaker *maker)
{
    maker->initialize = (MakerInitializeProc)(void *)GetProcAddress(module, "VPIFMaker_Initialize");
    maker->setSetting = (MakerSetSettingProc)(void *)GetProcAddress(module, "VPIFMaker_SetSPSetting");
    maker->getVpif = (MakerGetVpifProc)(void *)GetProcAddress(module, "VPIFMaker_GetVpif");
    maker->finalize = (MakerFinalizeProc)(void *)GetProcAddress(module, "VPIFMaker_finalize");
    return maker->initialize && maker->setSetting && maker->getVpif && maker->finalize;
}

/* make_ticket: the maker's calls for one ticket; the size, the bytes written or a code. */
static LONG make_ticket(const TicketMaker *maker, HANDLE handle, DriverDevmode *devmode, const void *ticket,
                        DWORD ticketSize, char *out, DWORD capacity)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR layout = 0;
    if (dma_GetFunctionValue(FID_PAGE_LAYOUT, devmode, NULL, &type, &size, &layout) != SST_OK)
        return JOB_E_TICKET;
    DWORD pair[2] = {1, dma_ValueToLong(type, &layout) == 2 ? 1u : 0u};
    maker->setSetting(handle, ticket, ticketSize, pair);
    DWORD needed = 0;
    BOOL ok = maker->getVpif(handle, NULL, 0, &needed);
    if (needed == 0)
        return ok ? 0 : JOB_E_TICKET;
    if (out == NULL)
        return (LONG)needed;
    if (needed >= capacity)
        return JOB_E_COPY;
    BYTE *buffer = (BYTE *)GlobalAlloc(GPTR, needed);
    if (buffer == NULL)
        return JOB_E_NO_MEMORY;
    DWORD got = 0;
    LONG result;
    if (!maker->getVpif(handle, buffer, needed, &got)) {
        result = JOB_E_TICKET_FILL;
    } else {
        if (got > needed)
            got = needed;
        memcpy(out, buffer, got);
        out[got] = '\0';
        result = (LONG)got;
    }
    GlobalFree(buffer);
    return result;
}

extern "C" LONG WINAPI job_WriteJobTicket(HANDLE printer, DriverDevmode *devmode, DddFile *model, const void *ticket,
                                          DWORD ticketSize, char *out, DWORD capacity)
{
    if (ticket == NULL)
        return 0;
    if (printer == NULL || model == NULL)
        return JOB_E_ARGUMENT;
    ModelCapabilities caps = {};
    if (!ddd_GetModelCapabilities(model, &caps))
        return JOB_E_CAPABILITIES;
    if (!ddd_TestCapability(&caps, CAP_TICKET))
        return 0;
    BOOL pathFailed = FALSE;
    HMODULE module = job_LoadModuleByInfo(model, INFO_TICKET_MAKER, &pathFailed);
    if (module == NULL)
        return JOB_E_OUTSIDE;
    TicketMaker maker = {};
    LONG result = 0;
    if (bind_maker(module, &maker)) {
        HANDLE handle = maker.initialize(printer);
        if (handle != NULL) {
            result = make_ticket(&maker, handle, devmode, ticket, ticketSize, out, capacity);
            maker.finalize(handle);
        }
    }
    FreeLibrary(module);
    return result;
}
