/*
 * The universal exit line, the end-of-job line and the trailer, with the sizes callers
 * reserve for them.
 */
#include "core/jobtext/jobtext_private.h"

#include <string.h>

/* The universal exit line: ESC "%-12345X". */
static const char kUel[] = "\x1b%-12345X";
/* The room reserved for it (more than its 9 bytes). */
static const LONG kUelReserve = 14;
/* The end-of-job texts, by model flag 0x40000. */
static const char kEojPjl[] = "@PJL EOJ";
static const char kEojBare[] = "@EOJO";

/* eoj_Text: the end-of-job text of the model; NULL when its capabilities are unreadable. */
static const char *eoj_Text(DddFile *model)
{
    ModelCapabilities caps = {};
    if (model == NULL || !ddd_GetModelCapabilities(model, &caps))
        return NULL;
    return (caps.bits[0] & JOB_FLAG_PJL) ? kEojPjl : kEojBare;
}

extern "C" LONG WINAPI job_EstimateEojSize(DddFile *model, DWORD ignored)
{
    (void)ignored;
    const char *text = eoj_Text(model);
    if (text == NULL)
        return model == NULL ? JOB_E_ARGUMENT : JOB_E_CAPABILITIES;
    return (LONG)strlen(text) + 1 + 5;
}

extern "C" LONG WINAPI job_EstimateTrailerSize(DddFile *model, DWORD ignored)
{
    (void)ignored;
    const char *text = eoj_Text(model);
    if (text == NULL)
        return model == NULL ? JOB_E_ARGUMENT : JOB_E_CAPABILITIES;
    return 1 + 1 + 8 + (LONG)strlen(text) + 5;
}

extern "C" LONG WINAPI job_GetUelSize(void)
{
    return kUelReserve;
}

extern "C" LONG WINAPI job_WriteEoj(DddFile *model, DWORD ignored, char *out)
{
    LONG size = job_EstimateEojSize(model, ignored);
    if (size < 0)
        return size;
    if (out == NULL)
        return JOB_E_ARGUMENT;
    JobBuild build = {};
    build.out = out;
    build.capacity = (DWORD)size;
    LONG text = job_PutText(&build, eoj_Text(model));
    if (text < 0)
        return text;
    LONG end = job_PutText(&build, JOB_LINE_END);
    return end < 0 ? end : (LONG)build.used;
}

extern "C" LONG WINAPI job_WriteTrailer(DddFile *model, DWORD ignored, char *out)
{
    LONG size = job_EstimateTrailerSize(model, ignored);
    if (size < 0)
        return size;
    if (out == NULL)
        return JOB_E_ARGUMENT;
    JobBuild build = {};
    build.out = out;
    build.capacity = (DWORD)size;
    LONG status = job_PutText(&build, kUel);
    if (status >= 0)
        status = job_PutText(&build, eoj_Text(model));
    if (status >= 0)
        status = job_PutText(&build, JOB_LINE_END);
    return status < 0 ? status : (LONG)build.used;
}

extern "C" LONG WINAPI job_WriteUel(char *out)
{
    if (out == NULL)
        return JOB_E_ARGUMENT;
    memcpy(out, kUel, sizeof(kUel));
    return (LONG)sizeof(kUel) - 1;
}
