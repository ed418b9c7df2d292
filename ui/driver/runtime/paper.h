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
#define UI_USER_PAPER 256         /* the paper of the custom size settings */
#define UI_FIRST_DEVICE_PAPER 512 /* papers of the device paper list start here */

/* Which paper, and the settings holding the custom size. */
typedef struct PaperQuery {
    WORD paper;
    DriverDevmode *devmode;
    PrinterDataBlock *block;
} PaperQuery;

/*
 * ui_GetPaperGeometry: the geometry of a paper in 0.1 mm: its size, printable area and two
 * edge records {left, bottom} and {right, top} (the margins), from the device paper list
 * for ids from 512 while the context holds a list, from the custom size settings (1863,
 * 1864) for paper 256 (margins of the model's record 256 when it has one, else none), and
 * from the model's paper record otherwise. custom receives the custom size for paper 256,
 * {0, 0} for any other paper. Every out may be NULL. Returns 1, or 0 when the paper is not
 * found or the query or context is NULL.
 */
int ui_GetPaperGeometry(const PaperQuery *query, SIZE *size, SIZE *printable, SIZE edges[2], DriverContext *context,
                        SIZE *custom);

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
