/*
 * The value of a job-attribute record's FunctionID: the generic writer by the setting's
 * ValueType, and the special writers by FunctionID.
 */
#include "core/jobtext/jobtext_private.h"

#include "core/ddd/model_query.h"
#include "core/rules/dependent_rules.h"
#include "core/settings/settings.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define CAP_FAX_MODE (0xFFFF0000u | 42)

/* The sizes the settings layer must report for each ValueType (0: any). */
static DWORD expected_size(WORD type)
{
    switch (type) {
    case VT_LONG:
    case VT_LONG32:
    case VT_DWORD:
    case VT_FONTFIELD: return 4;
    case VT_SHORT:
    case VT_WORD: return 2;
    case VT_BYTE: return 1;
    default: return 0;
    }
}

BOOL job_ReadLong(const JobBuild *build, WORD functionId, LONG *value)
{
    WORD type = 0;
    DWORD size = 0;
    BYTE raw[8] = {};
    if (dma_GetFunctionValue(functionId, build->context->devmode, build->context->block, &type, &size, raw) != SST_OK)
        return FALSE;
    if (type == VT_STRING || type == VT_LOGFONT || type == VT_NONE)
        return FALSE;
    *value = dma_ValueToLong(type, raw);
    return TRUE;
}

LONG job_ReadLongOr(const JobBuild *build, WORD functionId, LONG fallback)
{
    LONG value = 0;
    return job_ReadLong(build, functionId, &value) ? value : fallback;
}

BOOL job_IsFaxMode(const JobBuild *build)
{
    return ddd_TestCapability(&build->caps, CAP_FAX_MODE) && job_ReadLongOr(build, FID_JOB_TYPE, 0) == 3;
}

/* put_number: a number formatted with a narrow format. */
static LONG put_number(JobBuild *build, const char *format, long value)
{
    char text[32];
    snprintf(text, sizeof(text), format, value);
    return job_PutText(build, text);
}

LONG job_WriteGenericValue(JobBuild *build, WORD functionId)
{
    if (build->modelClass == 2 && (functionId == FID_CLOCK_ON || functionId == FID_CLOCK_DELAYED)) {
        LONG clock = job_WriteClockValue(build, functionId);
        if (clock != 0)
            return clock;
    }
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR raw[2] = {};
    WORD status = dma_GetFunctionValue(functionId, build->context->devmode, build->context->block, &type, &size, raw);
    if (status != SST_OK)
        return dma_FindSettingRow(functionId, NULL) == NULL ? JOB_E_UNKNOWN_ID : JOB_E_READ;
    if (type == VT_NONE || type == VT_LOGFONT)
        return JOB_E_FORMAT_TYPE;
    DWORD expected = expected_size(type);
    if (type != VT_STRING && (expected == 0 || size != expected))
        return expected == 0 ? JOB_E_FORMAT_TYPE : JOB_E_SIZE;
    switch (type) {
    case VT_LONG: return job_PutText(build, dma_ValueToLong(type, raw) == 1 ? "ON" : "OFF");
    case VT_SHORT: return put_number(build, "%ld", (short)dma_ValueToLong(type, raw));
    case VT_WORD: return put_number(build, "%ld", (long)(WORD)dma_ValueToDword(type, raw));
    case VT_LONG32: return put_number(build, "%ld", dma_ValueToLong(type, raw));
    case VT_DWORD: {
        char text[16];
        snprintf(text, sizeof(text), "%lu", (unsigned long)dma_ValueToDword(type, raw));
        return job_PutText(build, text);
    }
    case VT_BYTE: return put_number(build, "%ld", (long)(BYTE)dma_ValueToDword(type, raw));
    case VT_FONTFIELD: return put_number(build, "%ld", dma_ValueToLong(type, raw));
    case VT_STRING: return job_PutWide(build, (const WCHAR *)raw[0]);
    default: return JOB_E_FORMAT_TYPE;
    }
}

/* write_copies: "1" when collation is on and the device feature level is 2. */
static LONG write_copies(JobBuild *build)
{
    if (job_ReadLongOr(build, FID_COLLATE, 0) == 1 &&
        dma_GetDeviceFeatureLevel(build->context->devmode, build->context->block, &build->caps) == 2)
        return job_PutText(build, "1");
    return job_WriteGenericValue(build, FID_COPIES);
}

/* write_narrow_text: setting 329 in the ANSI code page, then cleared (one shot); nothing
 * when 1321 is on or the text is empty. */
static LONG write_narrow_text(JobBuild *build)
{
    if (job_ReadLongOr(build, FID_NARROW_TEXT_OFF, 0) != 0)
        return 0;
    DWORD_PTR text = dma_GetTypedValue(build->context->devmode, build->context->block, FID_NARROW_TEXT, VT_STRING);
    if (text == 0 || ((const WCHAR *)text)[0] == 0)
        return 0;
    LONG status = job_PutWide(build, (const WCHAR *)text);
    if (status > 0)
        dma_SetTypedValue(build->context->devmode,
                          build->context->block,
                          FID_NARROW_TEXT,
                          VT_STRING,
                          sizeof(WCHAR),
                          (DWORD_PTR)TEXT(""));
    return status;
}

/* write_without_leading_zeros: the generic text of 435 without its leading "0"s. */
static LONG write_without_leading_zeros(JobBuild *build)
{
    DWORD mark = build->used;
    LONG status = job_WriteGenericValue(build, FID_LEADING_ZEROS);
    if (status <= 0)
        return status;
    DWORD zeros = 0;
    while (mark + zeros < build->used && build->out[mark + zeros] == '0')
        ++zeros;
    memmove(build->out + mark, build->out + mark + zeros, build->used - mark - zeros + 1);
    build->used -= zeros;
    return status - (LONG)zeros;
}

/* write_centre_offset: the paper-centre rule of setting 478's value; -440 when it fails. */
static LONG write_centre_offset(JobBuild *build)
{
    LONG value = 0;
    if (!job_ReadLong(build, FID_CENTRE_OFFSET, &value))
        return JOB_E_READ;
    HalfEdgeRequest request = {build->context->devmode, build->context->block, build->model, build->base, value, 0};
    if (!opt_CalcHalfLongEdgeRemainder(&request))
        return JOB_E_ARGUMENT;
    return put_number(build, "%ld", request.result);
}

/* write_selected_text: by setting 335, the generic value of 1831 or the restricted text. */
static LONG write_selected_text(JobBuild *build)
{
    LONG selector = 0;
    if (!job_ReadLong(build, FID_RESTRICTED_SWITCH, &selector))
        return JOB_E_READ;
    if (selector == 1)
        return job_WriteRestrictedText(build);
    if (selector != 0)
        return JOB_E_RANGE_335;
    LONG status = job_WriteGenericValue(build, FID_SELECTED_TEXT);
    return (status == JOB_E_READ || status == JOB_E_UNKNOWN_ID) ? JOB_E_OUTSIDE : status;
}

/* write_number_list: the values of 1834-1853 within 2..9998, ascending, each once. */
static LONG write_number_list(JobBuild *build)
{
    const DWORD count = FID_NUMBER_LIST_LAST - FID_NUMBER_LIST_FIRST + 1;
    LONG values[count];
    DWORD kept = 0;
    for (WORD id = FID_NUMBER_LIST_FIRST; id <= FID_NUMBER_LIST_LAST; ++id) {
        LONG v = 0;
        if (job_ReadLong(build, id, &v) && v >= 2 && v <= 9998)
            values[kept++] = v;
    }
    /* Each value goes to the place given by the count of smaller values: equal values
     * share one place, so each is written once. */
    LONG placed[count];
    BOOL used[count] = {};
    for (DWORD i = 0; i < kept; ++i) {
        DWORD smaller = 0;
        for (DWORD j = 0; j < kept; ++j)
            smaller += values[j] < values[i];
        placed[smaller] = values[i];
        used[smaller] = TRUE;
    }
    DWORD mark = build->used;
    LONG status = 0;
    for (DWORD i = 0; i < kept && status >= 0; ++i) {
        if (used[i])
            status = put_number(build, build->used == mark ? "%ld" : ":%ld", placed[i]);
    }
    return status < 0 ? status : (LONG)(build->used - mark);
}

/* write_monitor_job_id: the document monitor's job id (at most 64 bytes) when active. */
static LONG write_monitor_job_id(JobBuild *build)
{
    if (build->context->monitorActive != 1)
        return 0;
    const char *id = build->context->monitorJobId;
    return job_PutBytes(build, id, (DWORD)strnlen(id, JOB_MONITOR_ID_BYTES));
}

LONG job_WriteValue(JobBuild *build, WORD functionId)
{
    switch (functionId) {
    case FID_COPIES: return write_copies(build);
    case FID_NARROW_TEXT: return write_narrow_text(build);
    case FID_PAPER_410:
    case FID_PAPER_411: return job_WritePaperKeyword(build, functionId);
    case FID_FEED_412:
    case FID_FEED_438: return job_PutText(build, job_FeedValue(build, functionId) == 2 ? "SEF" : "LEF");
    case FID_LEADING_ZEROS: return write_without_leading_zeros(build);
    case FID_CENTRE_OFFSET: return write_centre_offset(build);
    case FID_SELECTED_TEXT: return write_selected_text(build);
    case FID_NUMBER_LIST_FIRST: return write_number_list(build);
    case FID_USER_NAME: return job_WriteUserName(build);
    case FID_DOCUMENT_MONITOR: return write_monitor_job_id(build);
    case FID_DELAYED_TIME:
        return job_WriteDelayedTime(
            build, job_ReadLongOr(build, FID_DELAY_HOUR, 0), job_ReadLongOr(build, FID_DELAY_MINUTE, 0));
    case FID_RESTRICTED_TEXT: return job_WriteRestrictedText(build);
    default: return job_WriteGenericValue(build, functionId);
    }
}
