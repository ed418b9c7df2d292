/*
 * The fax destination lines of a fax model's job-attribute block: one line per
 * destination of the context's range, formatted by the fax list's line writer.
 */
#include "core/jobtext/jobtext_private.h"

#include "core/faxlist/fax_list.h"
#include "core/settings/settings.h"

#include <string.h>

/* The most bytes of one destination's line. */
#define FAX_LINE_BYTES 512
/* The quote-width flag passed to the line writer: the number as it is. */
#define FAX_QUOTE_WIDTH 0

/* copy_text: a text setting into a fixed field (cut, always terminated). */
static void copy_text(const JobBuild *build, WORD functionId, WCHAR *field, DWORD chars)
{
    DWORD_PTR text = dma_GetTypedValue(build->context->devmode, build->context->block, functionId, VT_STRING);
    field[0] = 0;
    if (text != 0)
        lstrcpynW(field, (const WCHAR *)text, (int)chars);
}

/* read_dial_settings: the dial settings the line writer needs. */
static void read_dial_settings(const JobBuild *build, FaxDialSettings *dial)
{
    memset(dial, 0, sizeof(*dial));
    dial->value4111 = (WORD)job_ReadLongOr(build, FID_FAX_4111, 0);
    copy_text(build, FID_FAX_PREFIX1, dial->prefix1, 6);
    dial->prefix1Switch = (WORD)job_ReadLongOr(build, FID_FAX_PREFIX1_ON, 0);
    copy_text(build, FID_FAX_PREFIX2, dial->prefix2, 6);
    dial->prefix2Switch = (WORD)job_ReadLongOr(build, FID_FAX_PREFIX2_ON, 0);
    dial->noPrefixSwitch = (WORD)job_ReadLongOr(build, FID_FAX_NO_PREFIX, 0);
}

LONG job_WriteFaxLines(JobBuild *build)
{
    const JobFaxRange *range = &build->context->fax;
    if (range->list == NULL)
        return 0;
    FaxDialSettings dial;
    read_dial_settings(build, &dial);
    DWORD form = (build->flags & JOB_FLAG_FAX_KIND2) ? 2 : 1;
    DWORD mark = build->used;
    for (DWORD i = range->first; i <= range->last; ++i) {
        FaxDestination entry;
        if (!job_GetFaxDestination(range->list, i, &entry))
            return JOB_E_OUTSIDE;
        char line[FAX_LINE_BYTES + 1];
        LONG length = 0;
        if (!job_FormatFaxAttribute(
                form, &entry, &dial, FAX_LINE_BYTES, build->pjl, NULL, line, &length, FAX_QUOTE_WIDTH) ||
            length <= 0 || length > FAX_LINE_BYTES)
            return JOB_E_OUTSIDE;
        LONG status = job_PutBytes(build, line, (DWORD)length);
        if (status < 0)
            return status;
    }
    return (LONG)(build->used - mark);
}
