/*
 * Interim booklet imposition: no booklet face is counted (0), so a job that needs the count gets no header.
 */
#include "render/driver/booklet/booklet.h"

WORD WINAPI bk_CountFaces(LONG, LONG, BOOL)
{
    return 0;
}
