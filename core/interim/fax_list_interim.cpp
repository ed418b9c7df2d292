/* Stands in for the fax list's reader and line formatter: no destination is read or formatted. */
#include "core/faxlist/fax_list.h"

extern "C" BOOL WINAPI job_GetFaxDestination(const FaxSendList *list, DWORD index, FaxDestination *entry)
{
    (void)list;
    (void)index;
    (void)entry;
    return FALSE;
}

extern "C" BOOL WINAPI job_FormatFaxAttribute(DWORD form, const FaxDestination *entry, const FaxDialSettings *dial,
                                              DWORD capacity, DWORD frame, const void *encodedMarker, char *out,
                                              LONG *length, DWORD quoteWidth)
{
    (void)form;
    (void)entry;
    (void)dial;
    (void)capacity;
    (void)frame;
    (void)encodedMarker;
    (void)out;
    (void)quoteWidth;
    if (length)
        *length = 0;
    return FALSE;
}
