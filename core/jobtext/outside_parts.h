/*
 * PENDING: calls into parts of the core that are built on other branches. These
 * declarations give way to the owners' headers when those parts are merged.
 */
#ifndef QM_CORE_JOBTEXT_OUTSIDE_PARTS_H
#define QM_CORE_JOBTEXT_OUTSIDE_PARTS_H

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

/* The settings a constraint test reads: the description files and the two areas. */
typedef struct ConstraintContext {
    DriverContext *context;
    DriverDevmode *devmode;
    PrinterDataBlock *block;
} ConstraintContext;

struct ChangeEntry;

#ifdef __cplusplus
extern "C" {
#endif

/* opt_PaperIdFromFormIndex: the driver's paper number of a Windows paper number (1-based
 * form index). Returns 1 found, 10 not found or failure. */
DWORD WINAPI opt_PaperIdFromFormIndex(HANDLE printer, DriverDevmode *devmode, PrinterDataBlock *block,
                                      DWORD formIndex, WORD *paper);

/* cst_EvaluateOptionSets: 1 when the option sets of the condition hold, 0 not, 2 failure. */
WORD WINAPI cst_EvaluateOptionSets(ConstraintContext *context, struct ChangeEntry *change, const void *condition,
                                   DWORD flags, WORD *bits);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_JOBTEXT_OUTSIDE_PARTS_H */
