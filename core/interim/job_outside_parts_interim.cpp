/*
 * INTERIM: the paper-number lookup of the stored blocks and the option-set test of the
 * constraint engine are built on other branches. Until they land, no form index is
 * turned into a paper number (the Windows number is compared as it is) and no option set
 * holds. Delete this file when both are merged.
 */
#include "core/jobtext/outside_parts.h"

extern "C" DWORD WINAPI opt_PaperIdFromFormIndex(HANDLE printer, DriverDevmode *devmode, PrinterDataBlock *block,
                                                 DWORD formIndex, WORD *paper)
{
    (void)printer;
    (void)devmode;
    (void)block;
    (void)formIndex;
    (void)paper;
    return 10;
}

extern "C" WORD WINAPI cst_EvaluateOptionSets(ConstraintContext *context, struct ChangeEntry *change,
                                              const void *condition, DWORD flags, WORD *bits)
{
    (void)context;
    (void)change;
    (void)condition;
    (void)flags;
    (void)bits;
    return 0;
}
