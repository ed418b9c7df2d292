/*
 * The outside job-attribute component: N-up, host-address, owner and host-name lines in
 * the device's attribute language. The component is loaded on first need within one build
 * (module directory + info string 3 of the model) and freed when the build ends; its
 * functions are bound by name each time a line needs one.
 */
#include "core/jobtext/jobtext_private.h"

#include "core/ddd/model_query.h"
#include "core/settings/settings.h"
#include "core/util/codepage_text.h"
#include "core/util/module.h"

#include <string.h>

#define INFO_ATTR_COMPONENT 3
#define NUP_TEXT_BYTES 18
#define HOST_ADDRESS_BYTES 48
#define OWNER_TEXT_BYTES 47
#define HOST_NAME_BYTES 47
#define HOST_NAME_KIND 32
#define MAX_PATH_CHARS 260

typedef BOOL(WINAPI *NupProc)(DWORD code, char *text, DWORD *size, DWORD *extra);
typedef BOOL(WINAPI *HostAddressProc)(char *text, DWORD *size, DWORD *extra);
typedef BOOL(WINAPI *OwnerFromUserHostProc)(DWORD kind, DWORD nup, DWORD tray, char *text, DWORD *size, DWORD *extra);
typedef BOOL(WINAPI *OwnerFromInputProc)(DWORD kind, const char *owner, DWORD nup, DWORD tray, char *text, DWORD *size,
                                         DWORD *extra);
typedef BOOL(WINAPI *HostNameProc)(DWORD kind, char *text, DWORD *size, DWORD reserved, DWORD *extra);

/* A table row: a setting value and its code. */
typedef struct CodeRow {
    LONG value;
    DWORD code;
} CodeRow;

static const CodeRow kPosterCodes[] = {{258, 7}, {259, 13}, {260, 8}, {514, 8}, {771, 10}, {1028, 11}};
static const CodeRow kPagesPerSheetCodes[] = {{1, 0}, {2, 1}, {4, 2}, {8, 4}, {16, 6}, {32, 12}};
static const CodeRow kTrayCodes[] = {{7, 0}, {1, 1}, {3, 2}, {265, 3}, {266, 4}, {267, 5}, {2, 6}, {257, 7}};
static const CodeRow kManualTrayCodes[] = {{3, 9}, {1, 10}, {2, 10}, {7, 10}, {8, 10}};
#define TRAY_CODE_OTHER 11
#define MANUAL_TRAY_CODE_OTHER 8

static const char kUnknownUser[] = "UnknownUser";

/* find_code: the code of value in a table; 0 when it is not listed. */
static BOOL find_code(const CodeRow *rows, DWORD count, LONG value, DWORD *code)
{
    for (DWORD i = 0; i < count; ++i) {
        if (rows[i].value == value) {
            *code = rows[i].code;
            return TRUE;
        }
    }
    return FALSE;
}

HMODULE job_LoadModuleByInfo(DddFile *model, WORD kind, BOOL *pathFailed)
{
    *pathFailed = TRUE;
    WCHAR path[MAX_PATH_CHARS];
    WCHAR *name = NULL;
    if (!util_GetModuleDirectory(path, sizeof(path)) || ddd_GetInfoString(model, kind, &name) != DDD_OK ||
        name == NULL || name[0] == 0 || lstrlenW(path) + lstrlenW(name) >= MAX_PATH_CHARS) {
        GlobalFree(name);
        return NULL;
    }
    lstrcpynW(path + lstrlenW(path), name, MAX_PATH_CHARS - lstrlenW(path));
    GlobalFree(name);
    *pathFailed = FALSE;
    return util_LoadLibraryInContext(path);
}

/* component_proc: a function of the component, loading it on first need; NULL when the
 * component or the function is missing. */
static FARPROC component_proc(JobBuild *build, const char *name)
{
    if (build->attrModule == NULL && !build->attrLoadFailed) {
        BOOL pathFailed = FALSE;
        build->attrModule = job_LoadModuleByInfo(build->model, INFO_ATTR_COMPONENT, &pathFailed);
        build->attrLoadFailed = build->attrModule == NULL;
    }
    return build->attrModule ? GetProcAddress(build->attrModule, name) : NULL;
}

void job_FreeAttrComponent(JobBuild *build)
{
    if (build->attrModule != NULL)
        FreeLibrary(build->attrModule);
    build->attrModule = NULL;
    build->attrLoadFailed = FALSE;
}

/* put_component_line: the component's text (size bytes at most) through wide text and
 * back, wrapped in the PJL frame, then the line end; nothing for an empty text. */
static LONG put_component_line(JobBuild *build, char *text, DWORD capacity, const char *lineEnd)
{
    text[capacity] = '\0';
    if (text[0] == '\0')
        return 0;
    WCHAR *wide = util_CodePageToWideAlloc(CP_ACP, text, NULL);
    if (wide == NULL)
        return JOB_E_CONVERT;
    DWORD mark = build->used;
    LONG status = build->pjl ? job_PutText(build, JOB_PJL_JOBATTR "\"") : 0;
    if (status >= 0)
        status = job_PutWide(build, wide);
    if (status >= 0 && build->pjl)
        status = job_PutText(build, "\"");
    if (status >= 0)
        status = job_PutText(build, lineEnd);
    GlobalFree(wide);
    if (status < 0) {
        job_RollBack(build, mark);
        return status;
    }
    return (LONG)(build->used - mark);
}

/* nup_code: the N-up code of the job; 0 when the pages-per-sheet value is not listed. */
static BOOL nup_code(const JobBuild *build, DWORD *code)
{
    LONG layout = job_ReadLongOr(build, FID_PAGE_LAYOUT, 0);
    if (layout == 2 && !job_IsFaxMode(build)) {
        *code = 1;
        return TRUE;
    }
    if (layout == 1 && find_code(kPosterCodes, 6, job_ReadLongOr(build, FID_POSTER_GRID, 0), code))
        return TRUE;
    return find_code(kPagesPerSheetCodes, 6, job_ReadLongOr(build, FID_PAGES_PER_SHEET, 0), code);
}

static LONG write_nup_line(JobBuild *build, const char *lineEnd)
{
    DWORD code = 0;
    if (!nup_code(build, &code))
        return 0;
    NupProc proc = (NupProc)(void *)component_proc(build, "DHGetVJCLStringOfNup");
    char text[NUP_TEXT_BYTES + 1] = {};
    DWORD size = NUP_TEXT_BYTES, extra = 0;
    if (proc == NULL || !proc(code, text, &size, &extra))
        return JOB_E_COMPONENT;
    return put_component_line(build, text, NUP_TEXT_BYTES, lineEnd);
}

static LONG write_host_address_line(JobBuild *build, const char *lineEnd)
{
    HostAddressProc proc = (HostAddressProc)(void *)component_proc(build, "DHGetVJCLStringOfHostAddress");
    char text[HOST_ADDRESS_BYTES + 1] = {};
    DWORD size = HOST_ADDRESS_BYTES, extra = 0;
    if (proc == NULL || !proc(text, &size, &extra))
        return 0; /* the host-address line is left out */
    return put_component_line(build, text, HOST_ADDRESS_BYTES, lineEnd);
}

/* owner_nup_value: setting 295, 100 for posters, 2 for booklets outside fax mode. */
static DWORD owner_nup_value(const JobBuild *build)
{
    LONG layout = job_ReadLongOr(build, FID_PAGE_LAYOUT, 0);
    if (layout == 1)
        return 100;
    if (layout == 2 && !job_IsFaxMode(build))
        return 2;
    return (DWORD)job_ReadLongOr(build, FID_PAGES_PER_SHEET, 0);
}

/* tray_code: the paper source of the job as the component's tray code. */
static DWORD tray_code(const JobBuild *build)
{
    LONG source;
    if (build->flags & JOB_FLAG_TRAY_FROM_SOURCE) {
        source = job_ReadLongOr(build, FID_DEFAULT_SOURCE, 0);
        if (source == 15)
            source = job_ReadLongOr(build, FID_PAPER_SOURCE, 0);
    } else {
        source = job_ReadLongOr(build, FID_PAPER_SOURCE, 0);
        if (source == 258)
            source = job_ReadLongOr(build, FID_DEFAULT_SOURCE, 0);
    }
    DWORD code = 0;
    if (source == 4 || source == 260)
        return find_code(kManualTrayCodes, 5, job_ReadLongOr(build, FID_MANUAL_TRAY, 0), &code)
                   ? code
                   : MANUAL_TRAY_CODE_OTHER;
    return find_code(kTrayCodes, 8, source, &code) ? code : TRAY_CODE_OTHER;
}

/* owner_override: the owner text the settings force, as a new ANSI copy; NULL for none
 * (out of memory: *failed). */
static char *owner_override(const JobBuild *build, BOOL *failed)
{
    JobAttrContext *context = build->context;
    const WCHAR *text = NULL;
    BOOL unknown = FALSE;
    if (build->flags & JOB_FLAG_OWNER_SETTINGS) {
        WORD selector = job_ReadLongOr(build, FID_ACCOUNT_MODE, 0) != 0 ? FID_POPUP_USER : FID_POPUP_ADMIN;
        if (job_ReadLongOr(build, selector, 0) == 1) {
            if (job_ReadLongOr(build, FID_OWNER_5183, 0) == 1)
                unknown = TRUE;
            else
                text = (const WCHAR *)dma_GetTypedValue(context->devmode, context->block, FID_CODE_USER, VT_STRING);
        }
    }
    LONG monitor = job_ReadLongOr(build, FID_DOCUMENT_MONITOR_5204, 0);
    FaxOutputRequest fax = {build->model, context->devmode};
    if (monitor == 1 || (job_ReadLongOr(build, FID_JOB_START_4367, 0) == 3 && (monitor == 0 || dma_IsFaxOutput(&fax))))
        unknown = TRUE;
    if (unknown) {
        char *copy = (char *)GlobalAlloc(GPTR, sizeof(kUnknownUser));
        if (copy != NULL)
            memcpy(copy, kUnknownUser, sizeof(kUnknownUser));
        *failed = copy == NULL;
        return copy;
    }
    if (text == NULL)
        return NULL;
    char *narrow = util_WideToCodePageAlloc(CP_ACP, text, NULL);
    *failed = narrow == NULL;
    return narrow;
}

static LONG write_owner_line(JobBuild *build, const char *lineEnd)
{
    if (job_ReadLongOr(build, FID_ACCOUNT_5203, 0) != 1)
        return 0;
    JobAttrContext *context = build->context;
    LONG source = job_ReadLongOr(
        build, job_ReadLongOr(build, FID_ACCOUNT_MODE, 0) == 0 ? FID_OWNER_SOURCE : FID_OWNER_SOURCE_ALT, -1);
    DWORD kind;
    WORD textId = 0;
    switch (source) {
    case 0: kind = 3; break;
    case 3: kind = 4; break;
    case 1:
        kind = 3;
        textId = FID_ACCOUNT_TEXT;
        break;
    case 4:
        kind = 4;
        textId = FID_ACCOUNT_TEXT;
        break;
    case 5:
        kind = 3;
        textId = FID_ACCOUNT_TEXT_ALT;
        break;
    case 6:
        kind = 4;
        textId = FID_ACCOUNT_TEXT_ALT;
        break;
    case 7:
        kind = 3;
        textId = job_ReadLongOr(build, FID_ACCOUNT_MODE, 0) != 0 ? FID_ACCOUNT_TEXT_ALT : FID_ACCOUNT_TEXT;
        break;
    default: return 0;
    }
    if (build->flags & (JOB_FLAG_NUP_LINE | JOB_FLAG_HOST_ADDRESS))
        kind = (build->flags & JOB_FLAG_HOST_NAME) ? 5 : 1;
    BOOL failed = FALSE;
    char *owner = owner_override(build, &failed);
    if (failed)
        return JOB_E_CONVERT;
    if (owner == NULL && textId != 0) {
        const WCHAR *text = (const WCHAR *)dma_GetTypedValue(context->devmode, context->block, textId, VT_STRING);
        owner = util_WideToCodePageAlloc(CP_ACP, text ? text : TEXT(""), NULL);
        if (owner == NULL)
            return JOB_E_CONVERT;
    }
    char text[OWNER_TEXT_BYTES + 1] = {};
    DWORD size = OWNER_TEXT_BYTES, extra = 0;
    BOOL ok;
    if (owner == NULL) {
        OwnerFromUserHostProc proc =
            (OwnerFromUserHostProc)(void *)component_proc(build, "DHGetVJCLStringOfJobOwnerStringFromUserHostName");
        ok = proc != NULL && proc(kind, owner_nup_value(build), tray_code(build), text, &size, &extra);
    } else {
        OwnerFromInputProc proc =
            (OwnerFromInputProc)(void *)component_proc(build, "DHGetVJCLStringOfJobOwnerFromInputA");
        ok = proc != NULL && proc(kind, owner, owner_nup_value(build), tray_code(build), text, &size, &extra);
    }
    GlobalFree(owner);
    if (!ok)
        return JOB_E_COMPONENT;
    return put_component_line(build, text, OWNER_TEXT_BYTES, lineEnd);
}

static LONG write_host_name_line(JobBuild *build, const char *lineEnd)
{
    HostNameProc proc = (HostNameProc)(void *)component_proc(build, "DHGetVJCLStringOfHostNameEx");
    char text[HOST_NAME_BYTES + 1] = {};
    DWORD size = HOST_NAME_BYTES, extra = 0;
    if (proc == NULL || !proc(HOST_NAME_KIND, text, &size, 0, &extra))
        return JOB_E_COMPONENT;
    return put_component_line(build, text, HOST_NAME_BYTES, lineEnd);
}

LONG job_WriteAttrComponentGroup(JobBuild *build, const char *lineEnd)
{
    DWORD mark = build->used;
    LONG status = 0;
    if (build->flags & JOB_FLAG_NUP_LINE)
        status = write_nup_line(build, lineEnd);
    if (status >= 0 && (build->flags & JOB_FLAG_HOST_ADDRESS))
        status = write_host_address_line(build, lineEnd);
    if (status >= 0)
        status = write_owner_line(build, lineEnd);
    if (status >= 0 && (build->flags & JOB_FLAG_HOST_NAME))
        status = write_host_name_line(build, lineEnd);
    return status < 0 ? status : (LONG)(build->used - mark);
}
