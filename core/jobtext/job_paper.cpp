/*
 * Paper values of the job-attribute text: the paper keyword of settings 410 and 411, with
 * the "UNFIXED" row of custom papers sized by their printer form, and the feed value.
 */
#include "core/jobtext/jobtext_private.h"

#include "core/settings/settings.h"
#include "core/util/paper_number.h"

#include <winspool.h>

#include <stdio.h>

#define FORM_BUFFER_BYTES 512

typedef struct PaperKeyword {
    WORD paper;
    const char *keyword;
} PaperKeyword;

static const PaperKeyword kPaperKeywords[] = {
    {8, "A3"},
    {9, "A4"},
    {11, "A5"},
    {70, "A6"},
    {12, "B4"},
    {13, "B5"},
    {1, "INCH85_11"},
    {14, "INCH85_13"},
    {5, "INCH85_14"},
    {3, "INCH11_17"},
    {6, "INCH55_85"},
    {259, "INCH8_10"},
    {260, "INCH12_18"},
    {261, "SRA3"},
    {257, "8KAI"},
    {258, "16KAI"},
    {43, "HAGAKI"},
};

/* The row of the custom papers. */
static const char kUnfixedFormat[] = "UNFIXED:%hu:%hu";

LONG job_FeedValue(const JobBuild *build, WORD functionId)
{
    if (functionId == FID_FEED_412) {
        BOOL pair =
            (job_ReadLongOr(build, FID_OUTPUT_OPTION_ON, 0) == 1 &&
             job_ReadLongOr(build, FID_OUTPUT_OPTION_SOURCE, 0) == 4) ||
            (job_ReadLongOr(build, FID_OPTION_A_ON, 0) == 1 && job_ReadLongOr(build, FID_OPTION_A_VALUE, 0) == 4) ||
            (job_ReadLongOr(build, FID_OPTION_B_ON, 0) == 1 && job_ReadLongOr(build, FID_OPTION_B_VALUE, 0) == 4);
        if (pair)
            return job_ReadLongOr(build, FID_FEED_412, 0);
    }
    return job_ReadLongOr(build, FID_FEED_438, 0);
}

/* whole_mm: micrometres to whole millimetres, half up. */
static WORD whole_mm(LONG micrometres)
{
    return (WORD)((micrometres / 100 + 5) / 10);
}

/* write_unfixed: the custom paper's printer form (named by its slot's name) in whole mm,
 * height first unless the feed value is 2; -610 when the form is not found. */
static LONG write_unfixed(JobBuild *build, WORD functionId, DWORD paper)
{
    DWORD slot = opt_CustomPaperIndex(paper);
    DWORD_PTR name =
        dma_GetTypedValue(build->context->devmode, build->context->block, (WORD)(FID_SLOT_NAME + slot), VT_STRING);
    if (name == 0 || ((const WCHAR *)name)[0] == 0)
        return JOB_E_OUTSIDE;
    DWORD buffer[FORM_BUFFER_BYTES / sizeof(DWORD)];
    DWORD needed = 0;
    if (!GetFormW(build->context->printer, (LPWSTR)name, 1, (LPBYTE)buffer, sizeof(buffer), &needed))
        return JOB_E_OUTSIDE;
    const FORM_INFO_1W *form = (const FORM_INFO_1W *)buffer;
    WORD width = whole_mm(form->Size.cx), height = whole_mm(form->Size.cy);
    char text[40];
    if (job_FeedValue(build, functionId == FID_PAPER_411 ? FID_FEED_438 : FID_FEED_412) == 2)
        snprintf(text, sizeof(text), kUnfixedFormat, width, height);
    else
        snprintf(text, sizeof(text), kUnfixedFormat, height, width);
    return job_PutText(build, text);
}

LONG job_WritePaperKeyword(JobBuild *build, WORD functionId)
{
    LONG paper = 0;
    if (!job_ReadLong(build, functionId, &paper))
        return JOB_E_READ;
    if (opt_IsCustomPaperId((DWORD)paper))
        return write_unfixed(build, functionId, (DWORD)paper);
    for (const PaperKeyword &row : kPaperKeywords) {
        if (row.paper == paper)
            return job_PutText(build, row.keyword);
    }
    return JOB_E_OUTSIDE;
}
