/*
 * The header block: job ticket, universal exit line and one line per job-attribute record
 * (description record type 15), with the suppression rule of setting 336, the conditions,
 * the built-in group at a "%" placeholder, and the size estimate.
 */
#include "core/jobtext/jobtext_private.h"

#include "core/ddd/model_query.h"
#include "core/settings/settings.h"

#include <stdio.h>
#include <string.h>

#define JOB_RECORD_TYPE 15
#define CAP_BOOKLET_BY_465 (0xFFFF0000u | 45)
#define BOOKLET_SPACES_PJL 38
#define BOOKLET_SPACES_BARE 20

static const WCHAR kPjlJobAttr[] = TEXT("@PJL SET JOBATTR=");

/* The two remembered texts of the suppression rule. */
typedef struct Suppression {
    BOOL armed;           /* setting 336 is 1 */
    BOOL remembered;      /* anything was remembered */
    const WCHAR *keyword; /* remembered keyword (points into a copy) */
    const WCHAR *value;   /* remembered value */
    WCHAR *keywordCopy;
    WCHAR *valueCopy;
} Suppression;

/* One record's fields. */
typedef struct JobAttrRecord {
    const WCHAR *keyword;
    const WCHAR *fixedValue;
    WORD functionId;
    WORD extraFlags;
    DddValueArray *conditions;
} JobAttrRecord;

static BOOL is_empty(const WCHAR *text)
{
    return text == NULL || text[0] == 0;
}

static BOOL texts_equal(const WCHAR *a, const WCHAR *b)
{
    return lstrcmpW(a ? a : TEXT(""), b ? b : TEXT("")) == 0;
}

/* wide_copy: a new global copy of text (the empty text for NULL); NULL when out of memory. */
static WCHAR *wide_copy(const WCHAR *text, DWORD count)
{
    WCHAR *copy = (WCHAR *)GlobalAlloc(GPTR, (count + 1) * sizeof(WCHAR));
    if (copy != NULL && text != NULL)
        memcpy(copy, text, count * sizeof(WCHAR));
    return copy;
}

/* fixed_value_key: the part of a fixed value before its first "=", without a leading
 * quotation mark (a new copy). */
static WCHAR *fixed_value_key(const WCHAR *value)
{
    const WCHAR *start = value[0] == '"' ? value + 1 : value;
    DWORD n = 0;
    while (start[n] != 0 && start[n] != '=')
        ++n;
    return wide_copy(start, n);
}

/* contains: 1 when needle occurs in haystack (an empty needle occurs everywhere). */
static BOOL contains(const WCHAR *haystack, const WCHAR *needle)
{
    if (haystack == NULL)
        return FALSE;
    for (const WCHAR *h = haystack;; ++h) {
        DWORD i = 0;
        while (needle[i] != 0 && h[i] == needle[i])
            ++i;
        if (needle[i] == 0)
            return TRUE;
        if (*h == 0)
            return FALSE;
    }
}

/* remember: replaces one remembered slot with a copy of text; -350 when out of memory. */
static LONG remember(WCHAR **slot, const WCHAR **view, WCHAR *copy)
{
    if (copy == NULL)
        return JOB_E_NO_MEMORY;
    GlobalFree(*slot);
    *slot = copy;
    *view = copy;
    return 0;
}

/*
 * suppress: the suppression rule for one record. Returns 1 (skip the record), 0 (write
 * it) or -350. A record is skipped when it matches what was remembered; otherwise, while
 * the rule is armed, one without extraFlags bit 0 is skipped and remembered.
 */
static LONG suppress(const JobBuild *build, Suppression *s, const JobAttrRecord *r)
{
    BOOL usePart = FALSE;
    BOOL match;
    WCHAR *part = NULL;
    if (!build->pjl || is_empty(r->fixedValue)) {
        match = texts_equal(r->keyword, s->keyword);
    } else if (r->functionId != 0) {
        match = texts_equal(r->fixedValue, s->value);
    } else if (!texts_equal(r->keyword, kPjlJobAttr)) {
        match = texts_equal(r->keyword, s->keyword);
    } else {
        usePart = TRUE;
        part = fixed_value_key(r->fixedValue);
        if (part == NULL)
            return JOB_E_NO_MEMORY;
        match = contains(s->value, part);
    }
    if (match && s->remembered) {
        GlobalFree(part);
        return 1;
    }
    if (!s->armed || (r->extraFlags & 1)) {
        GlobalFree(part);
        return 0;
    }
    LONG status;
    if (!is_empty(r->fixedValue)) {
        WCHAR *copy = usePart ? part : wide_copy(r->fixedValue, (DWORD)lstrlenW(r->fixedValue));
        part = NULL;
        status = remember(&s->valueCopy, &s->value, copy);
    } else {
        status = remember(&s->keywordCopy, &s->keyword, wide_copy(r->keyword, (DWORD)lstrlenW(r->keyword)));
    }
    GlobalFree(part);
    if (status < 0)
        return status;
    s->remembered = TRUE;
    return 1;
}

/* booklet_wanted: every condition of the booklet-count line holds. */
static BOOL booklet_wanted(const JobBuild *build)
{
    if (job_ReadLongOr(build, FID_PAGE_LAYOUT, 0) != 2 || !(build->flags & JOB_FLAG_BOOKLET_COUNT) ||
        job_ReadLongOr(build, FID_BOOKLET_TYPE, 0) != 1)
        return FALSE;
    BOOL wanted = ddd_TestCapability(&build->caps, CAP_BOOKLET_BY_465)
                      ? job_ReadLongOr(build, FID_BOOKLET_COUNT, 0) == 2
                      : job_ReadLongOr(build, FID_BOOKLET_COUNT_FLAG, 0) == 1;
    return wanted && !job_IsFaxMode(build);
}

/* write_booklet_line: "@BKTP=" with the count, or spaces in its place (offset reported). */
static LONG write_booklet_line(JobBuild *build)
{
    JobAttrContext *context = build->context;
    char line[64];
    if (context->bookletCount != 0) {
        snprintf(line,
                 sizeof(line),
                 build->pjl ? JOB_PJL_JOBATTR "\"@BKTP=%u\"" : "@BKTP=%u",
                 (unsigned)context->bookletCount);
    } else {
        int spaces = build->pjl ? BOOKLET_SPACES_PJL : BOOKLET_SPACES_BARE;
        memset(line, ' ', (size_t)spaces);
        line[spaces] = '\0';
        context->bookletOffset = build->used;
    }
    DWORD mark = build->used;
    LONG status = job_PutText(build, line);
    if (status >= 0)
        status = job_PutText(build, JOB_LINE_END);
    if (status < 0) {
        job_RollBack(build, mark);
        return status;
    }
    return (LONG)(build->used - mark);
}

/* write_placeholder_group: the booklet-count line, the attribute-component group and on
 * fax models the fax destination lines. */
static LONG write_placeholder_group(JobBuild *build)
{
    DWORD mark = build->used;
    LONG status = 0;
    if (booklet_wanted(build))
        status = write_booklet_line(build);
    if (status >= 0 && build->context->attrComponent)
        status = job_WriteAttrComponentGroup(build, JOB_LINE_END);
    if (status >= 0 && build->modelClass == 2)
        status = job_WriteFaxLines(build);
    return status < 0 ? status : (LONG)(build->used - mark);
}

/* value_is_wide_string: the FunctionID's setting holds a wide string. */
static BOOL value_is_wide_string(WORD functionId)
{
    const SettingLocation *row = dma_FindSettingRow(functionId, NULL);
    if (row == NULL)
        return FALSE;
    WORD type = row->presentedType ? row->presentedType : row->storedType;
    return type == VT_STRING;
}

/* write_record_line: one record's line (keyword, fixed value, value) and its line end; a
 * value writer that writes nothing takes the keyword back and no line end follows. */
static LONG write_record_line(JobBuild *build, const JobAttrRecord *r)
{
    if (is_empty(r->keyword))
        return JOB_E_NO_KEYWORD;
    DWORD mark = build->used;
    LONG status;
    if (r->functionId == 0) {
        if (is_empty(r->fixedValue))
            return JOB_E_NO_VALUE;
        status = job_PutWide(build, r->keyword);
        if (status >= 0)
            status = job_PutWide(build, r->fixedValue);
    } else {
        BOOL quoted = build->pjl && (!is_empty(r->fixedValue) ||
                                     (value_is_wide_string(r->functionId) && r->functionId != FID_LEADING_ZEROS));
        status = job_PutWide(build, r->keyword);
        if (status >= 0 && quoted)
            status = job_PutText(build, "\"");
        if (status >= 0 && build->pjl && !is_empty(r->fixedValue))
            status = job_PutWide(build, r->fixedValue);
        LONG value = status >= 0 ? job_WriteValue(build, r->functionId) : status;
        if (value == 0) {
            job_RollBack(build, mark);
            return 0;
        }
        status = value;
        if (status >= 0 && quoted)
            status = job_PutText(build, "\"");
    }
    if (status >= 0)
        status = job_PutText(build, JOB_LINE_END);
    return status < 0 ? status : (LONG)(build->used - mark);
}

/* load_condition_lists: loads the value lists (type 128) of the record's conditions. */
static LONG load_condition_lists(JobBuild *build, DddType15 *record)
{
    for (WORD i = 0; i < record->flagged.count; ++i) {
        DddValue *value = &record->flagged.values[i];
        if (value->valueType == DDD_VT_VALUE_LIST &&
            ddd_LoadValueList(build->model, build->base, &record->head, value) != DDD_OK)
            return JOB_E_RECORD;
    }
    return 0;
}

/* write_record: suppression, conditions and the record's line or group. */
static LONG write_record(JobBuild *build, Suppression *s, DddType15 *record)
{
    JobAttrRecord r = {record->text1, record->text2, record->word1, record->extraWord, &record->flagged};
    LONG status = suppress(build, s, &r);
    if (status != 0)
        return status < 0 ? status : 0;
    status = load_condition_lists(build, record);
    if (status < 0)
        return status;
    if (r.conditions->count > 0) {
        status = job_ConditionsHold(build, r.conditions);
        if (status <= 0)
            return status;
    }
    if (!is_empty(r.keyword) && r.keyword[0] == '%')
        return write_placeholder_group(build);
    return write_record_line(build, &r);
}

/* write_records: every job-attribute record from index 1 until the list ends. */
static LONG write_records(JobBuild *build)
{
    Suppression s = {};
    s.armed = job_ReadLongOr(build, FID_STORED_JOB, 0) == 1;
    LONG status = 0;
    for (WORD index = 1; status >= 0; ++index) {
        DddFetchRequest request = {DDD_LEVEL_MODEL, build->model, build->base, JOB_RECORD_TYPE, index, NULL};
        DddStatus fetched = ddd_FetchRecordByIndex(&request);
        if (fetched == DDD_NOT_FOUND)
            break;
        if (fetched != DDD_OK) {
            status = JOB_E_RECORD;
            break;
        }
        status = write_record(build, &s, (DddType15 *)request.record);
        if (ddd_FreeRecord(&request.record, DDD_FREE_OWN_TYPE) != DDD_OK && status >= 0)
            status = JOB_E_RECORD;
        if (index == 0xFFFF)
            break;
    }
    GlobalFree(s.keywordCopy);
    GlobalFree(s.valueCopy);
    return status;
}

extern "C" LONG WINAPI job_BuildJobAttrBlock(DddFile *model, DddFile *base, JobAttrContext *context, const void *ticket,
                                             DWORD ticketSize, char *out)
{
    if (model == NULL || context == NULL || context->devmode == NULL || out == NULL || context->capacity == 0)
        return JOB_E_ARGUMENT;
    out[0] = '\0';
    context->bookletOffset = 0;
    JobBuild build = {};
    build.model = model;
    build.base = base;
    build.context = context;
    build.out = out;
    build.capacity = context->capacity;
    if (!ddd_GetModelCapabilities(model, &build.caps))
        return JOB_E_CAPABILITIES;
    build.flags = build.caps.bits[0];
    build.pjl = (build.flags & JOB_FLAG_PJL) != 0;
    build.modelClass = ddd_GetModelClass(model);

    LONG status =
        job_WriteJobTicket(context->printer, context->devmode, model, ticket, ticketSize, out, build.capacity);
    if (status < 0)
        return status;
    build.used = (DWORD)status;
    char uel[16];
    LONG uelLength = job_WriteUel(uel);
    status = job_PutBytes(&build, uel, (DWORD)uelLength);
    if (status >= 0)
        status = write_records(&build);
    job_FreeAttrComponent(&build);
    return status < 0 ? status : (LONG)build.used;
}

extern "C" LONG WINAPI job_EstimateHeaderSize(HANDLE printer, DriverDevmode *devmode, DddFile *model, DddFile *base,
                                              const void *ticket, DWORD ticketSize)
{
    (void)printer;
    (void)devmode;
    (void)base;
    if (model == NULL)
        return JOB_E_ARGUMENT;
    ModelCapabilities caps = {};
    if (!ddd_GetModelCapabilities(model, &caps))
        return JOB_E_CAPABILITIES;
    DWORD f = caps.bits[0];
    BOOL p = (f & JOB_FLAG_PJL) != 0;
    DWORD entry2 = ddd_GetEntryNumber(model, 2, 4, 0);
    if (entry2 == 0)
        return JOB_E_ENTRY;
    DWORD size = entry2 + (ticket != NULL ? ticketSize : 0) + 9 + (p ? 20 : 0);
    size += (f & JOB_FLAG_BOOKLET_COUNT) ? (p ? 125 : 107) : 84;
    size += (f & JOB_FLAG_NUP_LINE) ? (p ? 37 : 18) : 0;
    size += (f & JOB_FLAG_HOST_ADDRESS) ? (p ? 67 : 48) : 0;
    size += (f & JOB_FLAG_HOST_NAME) ? (p ? 66 : 47) : 0;
    size += (p ? 66 : 47) + 183;
    if (ddd_GetModelClass(model) == 2) {
        DWORD destinations = ddd_GetEntryNumber(model, 24, 2, 0);
        DWORD lineBytes = ddd_GetEntryNumber(model, 25, 2, 0);
        if (destinations == 0 || lineBytes == 0)
            return JOB_E_ENTRY;
        size += destinations * lineBytes + (p ? 91 : 21);
    }
    if (size > 0x7FFFFFFF)
        return JOB_E_ENTRY;
    return (LONG)size;
}
