/*
 * System facts of the library: the lead-byte test of the ANSI code page and the local
 * time, both from the kernel.
 */
#include "management/base/pmc_system.h"

#include <windows.h>

bool pmc_is_lead_byte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

void pmc_local_time(PmcLocalTime *out)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    *out = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}
