/* Paper-number classes. */
#include "core/util/paper_number.h"

/* The two runs of custom paper numbers and the index of each run's first. */
static const struct {
    DWORD first;
    DWORD last;
    DWORD firstIndex;
} kCustomRuns[] = {{262, 266, 0}, {287, 301, 5}};

DWORD WINAPI opt_CustomPaperIndex(DWORD paper)
{
    for (const auto &run : kCustomRuns) {
        if (paper >= run.first && paper <= run.last)
            return run.firstIndex + (paper - run.first);
    }
    return OPT_NO_CUSTOM_PAPER;
}

DWORD WINAPI opt_CustomPaperNumber(DWORD index)
{
    for (const auto &run : kCustomRuns) {
        if (index >= run.firstIndex && index <= run.firstIndex + (run.last - run.first))
            return run.first + (index - run.firstIndex);
    }
    return OPT_NO_CUSTOM_PAPER;
}

BOOL WINAPI opt_IsCustomPaperId(DWORD paper)
{
    return opt_CustomPaperIndex(paper) != OPT_NO_CUSTOM_PAPER;
}

BOOL WINAPI opt_IsUserPaperId(DWORD paper)
{
    return paper == 256 || opt_IsCustomPaperId(paper);
}

BOOL WINAPI opt_IsUserPaperSizeId(WORD functionId)
{
    return functionId >= 5889 && functionId <= 5928;
}
