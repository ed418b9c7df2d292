/*
 * Time values of the job-attribute text: the delayed-print time stamp and the clock writer
 * of fax models. The current time is read per call (jobs render concurrently).
 */
#include "core/jobtext/jobtext_private.h"

#include "core/settings/function_ids.h"

#include <stdio.h>
#include <time.h>

LONG job_WriteDelayedTime(JobBuild *build, LONG hour, LONG minute)
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    struct tm day = {};
    day.tm_year = now.wYear - 1900;
    day.tm_mon = now.wMonth - 1;
    day.tm_mday = now.wDay;
    day.tm_hour = 12; /* noon: no daylight-saving change moves the date */
    day.tm_isdst = -1;
    if (hour * 100 + minute < now.wHour * 100 + now.wMinute) {
        day.tm_mday += 1;
        mktime(&day);
    }
    char text[48];
    snprintf(text,
             sizeof(text),
             "%04d:%02d:%02d:%02d:%02d",
             day.tm_year + 1900,
             day.tm_mon + 1,
             day.tm_mday,
             (int)hour,
             (int)minute);
    return job_PutText(build, text);
}

LONG job_WriteClockValue(JobBuild *build, WORD functionId)
{
    if (job_ReadLongOr(build, FID_CLOCK_ON, 0) != 1)
        return 0;
    LONG hour = job_ReadLongOr(build, FID_CLOCK_HOUR, 0);
    LONG minute = job_ReadLongOr(build, FID_CLOCK_MINUTE, 0);
    if (functionId == FID_CLOCK_DELAYED)
        return job_WriteDelayedTime(build, hour, minute);
    char text[24];
    snprintf(text, sizeof(text), "%02d:%02d", (int)hour, (int)minute);
    return job_PutText(build, text);
}
