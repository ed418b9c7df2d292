/*
 * User texts of the job-attribute lines: the user name and the restricted name text, each
 * checked byte by byte in the ANSI code page.
 */
#include "core/jobtext/jobtext_private.h"

#include "core/ddd/model_query.h"
#include "core/settings/function_ids.h"
#include "core/util/codepage_text.h"
#include "core/util/host_env.h"

#include <string.h>

#define USER_NAME_MAX_BYTES 255
#define USER_NAME_CHARS 257
#define RESTRICTED_LIMIT_DBCS 64
#define RESTRICTED_LIMIT_SBCS 12

static const char kUnknownUser[] = "UnknownUser";

static BOOL single_byte_allowed(BYTE b)
{
    return (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
}

/* user_name_acceptable: the user-name byte rules over text of length bytes. */
static BOOL user_name_acceptable(const char *text, DWORD length)
{
    if (length == 0 || length > USER_NAME_MAX_BYTES)
        return FALSE;
    UINT cp = GetACP();
    BOOL blanksOnly = TRUE;
    for (DWORD i = 0; i < length; ++i) {
        BYTE b = (BYTE)text[i];
        if (IsDBCSLeadByteEx(cp, b) && i + 1 < length) {
            BYTE t = (BYTE)text[i + 1];
            if (b < 0x81 || b > 0xFC || t < 0x40 || t > 0xFC)
                return FALSE;
            if (!(b == 0x81 && t == 0x40))
                blanksOnly = FALSE;
            ++i;
            continue;
        }
        if (!single_byte_allowed(b))
            return FALSE;
        if (b != 0x20)
            blanksOnly = FALSE;
    }
    return !blanksOnly;
}

LONG job_WriteUserName(JobBuild *build)
{
    WCHAR name[USER_NAME_CHARS];
    UserNameRequest request = {name, USER_NAME_CHARS};
    if (util_GetUserName(&request) == 0)
        return job_PutText(build, kUnknownUser);
    DWORD length = 0;
    char *narrow = util_WideToCodePageAlloc(CP_ACP, name, &length);
    if (narrow == NULL)
        return JOB_E_CONVERT;
    LONG status =
        user_name_acceptable(narrow, length) ? job_PutBytes(build, narrow, length) : job_PutText(build, kUnknownUser);
    GlobalFree(narrow);
    return status;
}

/* restricted_limit: setting 8215 when readable and within its range, else 64 or 12. */
static LONG restricted_limit(const JobBuild *build, BOOL dbcs)
{
    LONG value = 0, low = 0, high = 0;
    if (job_ReadLong(build, FID_LAST_PLACE, &value) &&
        ddd_GetValueRange(FID_LAST_PLACE, build->model, build->base, &low, &high) == DDD_OK && value >= low &&
        value <= high)
        return value;
    return dbcs ? RESTRICTED_LIMIT_DBCS : RESTRICTED_LIMIT_SBCS;
}

LONG job_WriteRestrictedText(JobBuild *build)
{
    const WCHAR *source = build->context->nameText;
    if (source == NULL || source[0] == 0)
        return 0;
    BOOL dbcs = (build->flags & JOB_FLAG_RESTRICTED_DBCS) != 0;
    DWORD length = 0;
    char *text = util_WideToCodePageAlloc(CP_ACP, source, &length);
    if (text == NULL)
        return JOB_E_CONVERT;
    UINT cp = GetACP();
    LONG limit = restricted_limit(build, dbcs);
    BOOL blanksOnly = TRUE, allowed = TRUE;
    DWORD cut = 0; /* bytes of the whole characters within the limit */
    for (DWORD i = 0; i < length && allowed;) {
        BYTE b = (BYTE)text[i];
        DWORD width = 1;
        if (IsDBCSLeadByteEx(cp, b) && i + 1 < length) {
            WORD code = (WORD)((b << 8) | (BYTE)text[i + 1]);
            allowed = dbcs && code >= 0x8140 && code <= 0xFCFC;
            if (code != 0x8140)
                blanksOnly = FALSE;
            width = 2;
        } else {
            allowed = single_byte_allowed(b);
            if (b != ' ' && b != '\t')
                blanksOnly = FALSE;
        }
        if (i + width <= (DWORD)limit)
            cut = i + width;
        i += width;
    }
    LONG status = 0;
    if (allowed && !blanksOnly && (length <= (DWORD)limit || dbcs))
        status = job_PutBytes(build, text, length <= (DWORD)limit ? length : cut);
    GlobalFree(text);
    return status;
}
