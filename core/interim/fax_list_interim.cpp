/*
 * INTERIM: the fax destination list's reader and line formatter are not built yet. Until
 * they are, no destination can be read or formatted, as when nothing is stored: fax jobs
 * therefore get no destination lines and their job-attribute build fails. Delete this file
 * when the fax list is built.
 */
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
