/*
 * Paper records of the description data as the render side reads them, and the copy of
 * the DEVMODE's second private part.
 */
#include "render/driver/forms/forms.h"

#include <string.h>

// Record type of a paper size record.
static const WORD kPaperRecordType = 10;

// ddd_GetPaperKindWord: see forms.h.
DddStatus WINAPI ddd_GetPaperKindWord(const void *record, WORD *word)
{
    if (record == NULL || word == NULL) {
        return 1;
    }
    const DddPaper *paper = (const DddPaper *)record;
    if (paper->head.type != kPaperRecordType) {
        return 1;
    }
    *word = paper->word1;
    return 0;
}

// util_CopySecondPart: see forms.h.
void WINAPI util_CopySecondPart(DriverDevmode *destination, const DriverDevmode *source)
{
    if (destination == NULL || source == NULL) {
        return;
    }
    memcpy(&destination->second, &source->second, sizeof(destination->second));
}
