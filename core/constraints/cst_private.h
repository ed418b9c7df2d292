/*
 * Private parts of the constraint engine: one run of checks (the settings, the change,
 * the mode and whether change lists are applied), setting values read for comparison,
 * and the steps the engine's files share.
 */
#ifndef QM_CORE_CONSTRAINTS_CST_PRIVATE_H
#define QM_CORE_CONSTRAINTS_CST_PRIVATE_H

#include "core/constraints/constraints.h"

/* Flag-word bits of a constraint record. */
#define CST_RECORD_NOT_RESOLVE 0x0100 /* bit 8: out of mode 2 */
#define CST_RECORD_NOT_CHECK 0x0200   /* bit 9: out of mode 1 */
#define CST_RECORD_RESET_ONLY 0x4000  /* bit 14: only in mode 3 */
#define CST_RECORD_CHECK_SHIFT 10     /* bits 10-13: the additional check */
#define CST_RECORD_CHECK_MASK 0x0F

/* Additional checks (bits 10-13): 4 the paper-size form; 1-3, 5-9 the general form. */
#define CST_CHECK_PAPER 4

/* One run of the engine. mode is the record group (0-3); resolve applies change lists. */
typedef struct CstRun {
    HANDLE printer;
    const ConstraintContext *context;
    WORD mode;
    BOOL resolve;
    WORD flags;
    const ChangeEntry *change; /* NULL, or value NULL: no proposed value */
    ConflictState *state;      /* may be NULL when resolving */
    WORD **changed;            /* resolving: the changed list and its count */
    WORD *changedCount;
} CstRun;

/* A value read for comparison: numbers widened with their sign, strings by pointer. */
typedef struct CstValue {
    WORD type;
    long long number;
    const WCHAR *text;
} CstValue;

/* Width in bytes of a value of the type (1, 4, 5, 10: 4; 2, 3: 2; 8: 1); 0 for 6, 7, 9
 * and codes outside 1-10. */
DWORD cst_TypeWidth(WORD type);

/* Decodes the value at bytes (type 6: the characters) as its type. 0 for 7, 9, others. */
BOOL cst_DecodeValue(WORD type, const void *bytes, CstValue *value);

/* Reads a setting (types 6 and 9 by pointer) as a CstValue. 0 when the read fails or the
 * type is not comparable. */
BOOL cst_ReadSetting(const ConstraintContext *context, WORD functionId, CstValue *value);

/* The value of a setting as the run sees it: the proposed value of the change when the run
 * has one for that FunctionID, else the stored one. */
BOOL cst_RunValue(const CstRun *run, WORD functionId, CstValue *value);

/* The proposed value of the run's change when it has one (flags 1 hides it). */
const void *cst_ProposedValue(const CstRun *run);

/* Compares two values of one type: -1, 0, 1. */
int cst_CompareValues(const CstValue *a, const CstValue *b);

/* Adds a FunctionID to list 3 of the state (no state: nothing). 0, or 2 out of memory. */
WORD cst_Touch(ConflictState *state, WORD functionId);

/*
 * Evaluates an option-set list (rows, count) for a run: 1 a set matches, 0 none, 2 error.
 * setIds (zero-terminated, CST_SET_IDS + 1) receives the matching set's FunctionIDs. In
 * mode 1 a matching set whose settings conflict on their own (nested mode-0 check) is
 * dropped.
 */
WORD cst_EvaluateSets(const CstRun *run, const ConstraintCondition *rows, WORD count, WORD *setIds);

/*
 * The additional check of a record whose option sets matched: 1 the conflict stands, 0 the
 * paper fits and the conflict is cleared, 2 error. key: the record's key (the paper-size
 * form's type-17 range). Adds the FunctionIDs the check depends on to list 3.
 */
WORD cst_SizeCheck(const CstRun *run, WORD checkKind, WORD trigger, WORD key);

/* changedMask bits of the settings the general check of a kind depends on. */
WORD cst_SizeCheckMask(WORD checkKind);

/* Runs the check of cst_CheckConflicts; nested: the mode-0 check of an option set. */
WORD cst_CheckConflictsRun(WORD mode, HANDLE printer, const ConstraintContext *context, const WORD *optionFilter,
                           WORD functionId, WORD valueType, const void *value, ConflictState *state, WORD **outList,
                           WORD flags);

/* Runs one list of a definition record. 0, or 1 on an error. */
WORD cst_RunList(const CstRun *run, WORD selector, const void *definition, const WORD *filter, WORD filterCount);

#endif /* QM_CORE_CONSTRAINTS_CST_PRIVATE_H */
