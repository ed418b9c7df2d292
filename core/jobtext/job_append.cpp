/*
 * The narrow output of the job-attribute text: appends that stop at the buffer's capacity
 * and keep a zero behind the text, and the public append helpers.
 */
#include "core/jobtext/jobtext_private.h"

#include "core/util/codepage_text.h"

#include <string.h>

/* job_PutBytes: n bytes and a zero when n + 1 bytes are left. Returns n, or -310 with the
 * buffer unchanged. */
LONG job_PutBytes(JobBuild *build, const char *bytes, DWORD n)
{
    if (build->used > build->capacity || n >= build->capacity - build->used)
        return JOB_E_COPY;
    memcpy(build->out + build->used, bytes, n);
    build->used += n;
    build->out[build->used] = '\0';
    return (LONG)n;
}

/* job_PutText: a narrow text without its zero. */
LONG job_PutText(JobBuild *build, const char *text)
{
    return job_PutBytes(build, text, (DWORD)strlen(text));
}

/* job_PutWide: text in the ANSI code page; -340 when it cannot be converted. */
LONG job_PutWide(JobBuild *build, const WCHAR *text)
{
    if (text == NULL || text[0] == 0)
        return 0;
    DWORD length = 0;
    char *narrow = util_WideToCodePageAlloc(CP_ACP, text, &length);
    if (narrow == NULL)
        return JOB_E_CONVERT;
    LONG result = job_PutBytes(build, narrow, length);
    GlobalFree(narrow);
    return result;
}

/* job_RollBack: the output ends at mark again. */
void job_RollBack(JobBuild *build, DWORD mark)
{
    if (mark <= build->used && mark < build->capacity) {
        build->used = mark;
        build->out[mark] = '\0';
    }
}

extern "C" LONG WINAPI job_AppendNarrow(const WCHAR *text, char *out, DWORD capacity)
{
    if (text == NULL || out == NULL)
        return JOB_E_ARGUMENT;
    JobBuild build = {};
    build.out = out;
    build.capacity = capacity;
    if (text[0] == 0)
        return job_PutBytes(&build, "", 0);
    return job_PutWide(&build, text);
}

extern "C" LONG WINAPI job_AppendTwoNarrow(const WCHAR *a, const WCHAR *b, char *out, DWORD capacity)
{
    LONG first = job_AppendNarrow(a, out, capacity);
    if (first < 0)
        return first;
    LONG second = job_AppendNarrow(b, out + first, capacity - (DWORD)first);
    if (second < 0) {
        out[0] = '\0';
        return second;
    }
    return first + second;
}
