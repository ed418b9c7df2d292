/*
 * Paper geometry of the pages: the printable size of a paper record, the minimum size of a
 * paper and the paper-centre offset.
 */
#ifndef QM_UI_DRIVER_RUNTIME_PAPER_H
#define QM_UI_DRIVER_RUNTIME_PAPER_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

#define UI_PAPER_RECORD 10

/*
 * ui_GetPrintableSize: the paper's width and height less the record's margins, each kept
 * between the record's minimum and maximum image sizes. size: out. Returns 1, or 0 for
 * NULL arguments.
 */
int ui_GetPrintableSize(const DddPaper *paper, LONG width, LONG height, DddSize *size);

/*
 * ui_GetPaperMinimum: the minimum size of a paper number: for a user-defined paper the
 * size held in its custom slot, else the minimum block of its paper record. size: out.
 * Returns 1, or 0 when neither is found.
 */
int ui_GetPaperMinimum(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block, WORD paper,
                       DddSize *size);

/* ui_CalcHalfLongEdgeRemainder: half the longer edge of the current paper less value
 * (opt_CalcHalfLongEdgeRemainder). result: out. Returns 1, or 0 when not known. */
int ui_CalcHalfLongEdgeRemainder(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block, LONG value,
                                 LONG *result);

#endif /* QM_UI_DRIVER_RUNTIME_PAPER_H */
