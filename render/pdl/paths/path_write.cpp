/*
 * A path sent as LUMIQ path commands.
 */
#include "render/pdl/paths/path_workers.h"

#include "render/pdl/writer/pdl_writer.h"

/* Curves sent by one Bezier command at most. */
static const DWORD kCurvesPerCommand = 21845;

/* Sends one run of a path. */
static int write_Run(PdlWriter *writer, FLONG flags, ULONG count, const POINTFIX *points, int *written)
{
    if (count == 0) {
        return 1;
    }
    if (flags & PD_BEGINSUBPATH) {
        if (pdl_MoveTo(writer, points) != 0) {
            return -1;
        }
        ++points;
        --count;
    }
    if (flags & PD_BEZIERS) {
        if (count % 3 != 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        for (DWORD curves = count / 3; curves > 0;) {
            DWORD piece = curves < kCurvesPerCommand ? curves : kCurvesPerCommand;
            if (pdl_BezierTo(writer, piece, points) != 0) {
                return -1;
            }
            points += 3 * piece;
            curves -= piece;
            *written = 1;
        }
    } else if (count > 0) {
        // The writer splits runs beyond its 16-bit point count.
        if (pdl_LineTo(writer, count, points) != 0) {
            return -1;
        }
        *written = 1;
    }
    if ((flags & (PD_ENDSUBPATH | PD_CLOSEFIGURE)) == (PD_ENDSUBPATH | PD_CLOSEFIGURE)) {
        if (pdl_ClosePath(writer) != 0) {
            return -1;
        }
    }
    return 1;
}

int vec_WritePath(PdlWriter *writer, PATHOBJ *ppo, const PathCopyEntry *entries, DWORD count, int *written)
{
    *written = 0;
    if (writer == NULL || (ppo == NULL && entries == NULL)) {
        return 0;
    }
    // A refused run must not leave half a path: Bezier counts are checked first.
    if (ppo != NULL) {
        PATHDATA data;
        BOOL more = TRUE;
        PATHOBJ_vEnumStart(ppo);
        while (more) {
            more = PATHOBJ_bEnum(ppo, &data);
            ULONG rest = (data.flags & PD_BEGINSUBPATH) && data.count > 0 ? data.count - 1 : data.count;
            if ((data.flags & PD_BEZIERS) && rest % 3 != 0) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return 0;
            }
        }
    } else {
        for (DWORD i = 0; i < count; ++i) {
            ULONG rest =
                (entries[i].flags & PD_BEGINSUBPATH) && entries[i].count > 0 ? entries[i].count - 1 : entries[i].count;
            if ((entries[i].flags & PD_BEZIERS) && rest % 3 != 0) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return 0;
            }
        }
    }
    if (pdl_BeginPath(writer) != 0) {
        return -1;
    }
    if (ppo != NULL) {
        PATHDATA data;
        BOOL more = TRUE;
        PATHOBJ_vEnumStart(ppo);
        while (more) {
            more = PATHOBJ_bEnum(ppo, &data);
            int result = write_Run(writer, data.flags, data.count, data.pptfx, written);
            if (result != 1) {
                return result;
            }
        }
        return 1;
    }
    for (DWORD i = 0; i < count; ++i) {
        int result = write_Run(writer, entries[i].flags, entries[i].count, entries[i].points, written);
        if (result != 1) {
            return result;
        }
    }
    return 1;
}
