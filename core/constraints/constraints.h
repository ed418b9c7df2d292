/*
 * Constraint engine: decides whether a setting change conflicts with the other settings
 * under the constraint records of the description data (record types 7 and 8) and applies
 * the resolutions those records carry. It shows nothing: callers read a ConflictState.
 *
 * A constraint record, as the engine reads it from its parsed form (DddValueSet):
 * - trigger (the record's value element): FunctionID, match kind (its u8: 0 always, 1 the
 *   trigger setting equals the value at the tested position, 2 it differs from every
 *   value), value stride (its u16: bytes per value, 0 = the value's own width) and the
 *   values (one value field, or a value list of a type-20 record);
 * - flag word (its u16): low byte the conflict kind; bit 8 keeps the record out of mode 2,
 *   bit 9 out of mode 1, bit 14 out of every mode but 3; bits 10-13 the additional check
 *   (0 and 10-15 none, 4 the paper-size check, 1-3 and 5-9 the general size check);
 * - option-set conditions (its flagged value elements): FunctionID, operator (u8), stride
 *   (u16), values, connective (the trailing u8);
 * - change list (its value elements): FunctionID and value written on resolution; a value
 *   of 0x8000 or 0x8001 stands for the setting's default.
 * A definition record lists the indexes of the records concerning it: a type-3/4
 * definition in its second (type 7) and third (type 8) key arrays, a type-13/14 option
 * in its first (type 7) and second (type 8).
 *
 * Statuses are 16-bit: 0 done, 1 error or bad arguments, 2 out of memory, unless a
 * function says otherwise. Heap blocks are global-heap blocks (GlobalAlloc).
 */
#ifndef QM_CORE_CONSTRAINTS_CONSTRAINTS_H
#define QM_CORE_CONSTRAINTS_CONSTRAINTS_H

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

#define CST_OK 0
#define CST_ERROR 1
#define CST_NO_MEMORY 2

/* Modes of cst_CheckConflicts and cst_CheckConstraints. */
#define CST_MODE_DEFAULTS 0 /* defaults pass; the nested second check of option sets */
#define CST_MODE_CHECK 1    /* with a value the trial of a change, else the current settings */
#define CST_MODE_RESOLVE 2  /* cst_CheckConstraints: change lists applied; cst_CheckConflicts: checks */
#define CST_MODE_RESET 3    /* the reset check; the only mode running bit-14 records */

/* List selectors of cst_CheckConstraints and cst_AddChangedId. */
#define CST_LIST_TYPE7 0
#define CST_LIST_TYPE8 1

/* cst_CheckConflicts and cst_CheckConstraints flags: 1 = key 0 (no proposed value). */
#define CST_FLAG_CURRENT 1

/* Capacities of the id lists. */
#define CST_LIST1_INLINE 8
#define CST_LIST2_INLINE 8
#define CST_LIST3_INLINE 20
#define CST_LIST_STEP 5      /* growth of every heap id list */
#define CST_CHANGED_INLINE 5 /* the resolve caller's inline changed list */
#define CST_SET_IDS 10       /* FunctionIDs collected from matching option sets */

/* Markers of change values standing for the setting's default. */
#define CST_MARKER_DEFAULT 0x8000
#define CST_MARKER_DEFAULT_ALT 0x8001

/* Results of cst_TestValueCondition. */
#define CST_COND_READ_FAILED 1
#define CST_COND_VALUE_MISSING 6
#define CST_COND_TYPES_DIFFER 7
#define CST_COND_TYPE_UNSUPPORTED 8
#define CST_COND_HOLDS 9
#define CST_COND_FAILS 10
#define CST_COND_OPERATOR 11

/* Results of cst_EvaluateOptionSets. */
#define CST_SETS_NO_MATCH 0
#define CST_SETS_MATCH 1
#define CST_SETS_ERROR 2

/* Results of cst_EvaluateValueList. */
#define CST_VALUES_EMPTY 3
#define CST_VALUES_APPLIED 4

/* Result of cst_GetSizeRangeLimits when the range does not apply (no record, no 262 row). */
#define CST_RANGE_MISSING 7

/* Operator of a condition row whose values are the rows of an option-set list. */
#define CST_OP_OPTION_SETS 9

/* Bits of ConflictState.changedMask: the standard settings a size conflict concerns. */
#define CST_CHANGED_8 0x0001
#define CST_CHANGED_262 0x0002
#define CST_CHANGED_13 0x0004
#define CST_CHANGED_265 0x0008
#define CST_CHANGED_389 0x0010
#define CST_CHANGED_266 0x0020
#define CST_CHANGED_410 0x0040
#define CST_CHANGED_411 0x0080
#define CST_CHANGED_407 0x0100
#define CST_CHANGED_408 0x0200
#define CST_CHANGED_409 0x0400
#define CST_CHANGED_333 0x0800

/*
 * One proposed or resolving change. The value's size follows the ValueType: 1, 4, 5, 10
 * four bytes; 2, 3 two; 6 the wide string itself (value points at its characters) with its
 * terminator; 8 one byte. Types 7 and 9 cannot be written.
 */
typedef struct ChangeEntry {
    WORD functionId;
    WORD valueType;
    const void *value;
} ChangeEntry;

/* The settings the engine reads and writes (the "settings triple"). */
typedef struct ConstraintContext {
    DriverContext *context;
    DriverDevmode *devmode;
    PrinterDataBlock *block;
} ConstraintContext;

/* Id lists of a ConflictState: entries in the inline buffer while ids is NULL (or points at
 * it), else in a heap buffer of the state. */
typedef struct ConflictList8 {
    WORD count;
    WORD inlineIds[8];
    WORD *ids;
} ConflictList8;

typedef struct ConflictList20 {
    WORD count;
    WORD inlineIds[20];
    WORD *ids;
} ConflictList20;

/*
 * The result of a check. kind: the conflict kind (0 none, 1 and 15 greyed, 6 hidden, 9
 * warn only, others by the description data); records7 / records8: indexes of violated
 * type-7 / type-8 records; touched: FunctionIDs changed or touched so far; changedMask:
 * CST_CHANGED_* bits of the standard settings a size conflict concerns. A zero-filled
 * state is a valid empty state. Copy and clear only with cst_CopyConflictState and
 * cst_ClearConflictState.
 */
typedef struct ConflictState {
    WORD kind;
    ConflictList8 records7;
    ConflictList8 records8;
    ConflictList20 touched;
    WORD changedMask;
} ConflictState;

/*
 * One condition row (40 bytes, the layout of the job-attribute conditions): operator,
 * FunctionID, ValueType, stride (bytes per value), values, count, connective. A row of
 * operator 9 (CST_OP_OPTION_SETS) is an option-set test: its values are `count` rows of
 * this type (stride 40) forming the option-set list.
 * Operators: 1 equal, 2 not equal, 3 less, 4 less or equal, 5 greater, 6 greater or equal,
 * 7, 8, 10, 11, 12 equal. Connectives: 2 or with the next row, 3 and 4 end a set, any
 * other and with the next row.
 */
typedef struct ConstraintCondition {
    BYTE op;
    WORD functionId;
    WORD valueType;
    WORD stride;
    const void *values;
    WORD count;
    BYTE connective;
    BYTE reserved[25];
} ConstraintCondition;

#ifdef __cplusplus
extern "C" {
#endif

/* ---- states and id lists (cst_state.cpp) ---- */

/* cst_NewConflictState: a new zeroed state (lists at their inline buffers); NULL when out
 * of memory. */
ConflictState *WINAPI cst_NewConflictState(void);

/* cst_FreeConflictState: frees the state's heap lists and the state. 1, 0 for NULL. */
BOOL WINAPI cst_FreeConflictState(ConflictState *state);

/* cst_ClearConflictState: frees the heap lists and empties the state (kind and mask 0). */
void WINAPI cst_ClearConflictState(ConflictState *state);

/*
 * cst_CopyConflictState: makes destination (cleared first) an independent copy of source:
 * kind, mask and every entry; a list longer than its inline capacity gets its own heap
 * buffer of the same length. 0, 1 for NULL, 2 out of memory (destination then empty).
 */
WORD WINAPI cst_CopyConflictState(ConflictState *destination, const ConflictState *source);

/* cst_GetStateList: the entries of list 1, 2 or 3 (which) and their count. NULL for
 * another list or a NULL state (count then 0). */
const WORD *WINAPI cst_GetStateList(const ConflictState *state, WORD which, WORD *count);

/*
 * cst_AddToIdList: adds a FunctionID unless present. The list starts in a buffer of
 * initialCapacity entries (the caller's, never freed here) and grows in steps of 5 into
 * zeroed heap buffers; the previous buffer is freed only when it was a heap buffer.
 * list, count: in/out. 0 added or present, 1 bad arguments, 2 out of memory (list kept).
 */
WORD WINAPI cst_AddToIdList(WORD functionId, WORD initialCapacity, WORD **list, WORD *count);

/* cst_FreeIdList: frees a list grown by cst_AddToIdList when it left its initial buffer,
 * and points it back at initial with count 0. */
void WINAPI cst_FreeIdList(WORD **list, WORD *count, WORD initialCapacity, WORD *initial);

/* cst_AddToFixedIdList: appends to a zero-terminated list of capacity entries (plus the
 * terminator) unless present or full. 1 appended, 0 not. */
BOOL WINAPI cst_AddToFixedIdList(WORD functionId, WORD *list, WORD capacity);

/* cst_AddChangedId: adds a record index to list 1 (selector 0) or list 2 (selector 1) of
 * the state. 0, 1 bad arguments, 2 out of memory. */
WORD WINAPI cst_AddChangedId(WORD selector, ConflictState *state, WORD index);

/* cst_KeepHigherPriorityKind: replaces *kind by newKind when newKind ranks higher in the
 * priority table; a new kind outside the table (0 included) changes nothing, a current
 * kind outside it ranks 0, equal ranks keep the current kind. */
void WINAPI cst_KeepHigherPriorityKind(WORD *kind, WORD newKind);

/* ---- value texts (cst_format.cpp) ---- */

/*
 * cst_FormatValueText: the text of a value for messages, into text (at least 64
 * characters, the string's length for type 6). Divisor 1: by ValueType 2 "%d", 3 "%u",
 * 4 "%ld", 5 "%lu", 6 the string, 8 "%u", 10 "%d". Another divisor: with the whole flag
 * the quotient alone, else quotient, '.', remainder padded to the divisor's decimals
 * ("1.01" for 101 over 100); negatives as "-" and the magnitude ("-0.5" for -5 over 10).
 * Divisor 0 and ValueTypes 1, 7, 9 and others not listed: 0 (text empty). Else 1.
 */
BOOL WINAPI cst_FormatValueText(BOOL whole, WCHAR *text, DWORD divisor, WORD valueType, const void *value);

/* ---- conditions (cst_conditions.cpp) ---- */

/*
 * cst_TestValueCondition: tests the current value of the condition's setting against its
 * values: CST_COND_HOLDS or CST_COND_FAILS, or 11 operator not allowed, 7 the setting's
 * type differs, 8 ValueType not supported, 6 values missing, 1 the read fails (or NULL).
 */
WORD WINAPI cst_TestValueCondition(const ConstraintContext *context, const ConstraintCondition *condition);

/*
 * cst_EvaluateOptionSets: evaluates an option-set list (an operator-9 row, or one row
 * alone). Rows are tested against the current settings, the proposed value of change (or
 * NULL) replacing its setting's. outIds (zero-terminated, room for CST_SET_IDS + 1, or
 * NULL) receives the FunctionIDs of the matching set. flags is not used by this entry (the
 * engine's mode-1 second check runs inside a check). 1 a set matches, 0 none, 2 error.
 */
WORD WINAPI cst_EvaluateOptionSets(const ConstraintContext *context, const ChangeEntry *change,
                                   const ConstraintCondition *condition, DWORD flags, WORD *outIds);

/* ---- changes (cst_changes.cpp) ---- */

/* cst_ApplyChangeEntry: writes the change into the settings. 0 written, 1 refused or failed
 * (types 7 and 9, NULL arguments, a write the settings refuse). */
WORD WINAPI cst_ApplyChangeEntry(const ConstraintContext *context, const ChangeEntry *entry);

/*
 * cst_ResolveDefaultMarker: when the entry's value (which must be a writable 4-byte copy)
 * holds 0x8000 or 0x8001 in the width of its numeric ValueType, replaces it by the
 * setting's default. 0 done (also when no marker), 1 no default or failure.
 */
WORD WINAPI cst_ResolveDefaultMarker(const ConstraintContext *context, ChangeEntry *entry);

/*
 * cst_EvaluateValueList: applies a constraint record's change list (markers resolved,
 * then cst_ApplyChangeEntry) and adds each FunctionID to the changed list (initial buffer
 * of 5, growth 5); a row whose FunctionID is already listed is skipped when the record's
 * conflict kind is 3. changed, count: in/out. 4 applied, 3 empty change list, 1 error.
 */
WORD WINAPI cst_EvaluateValueList(const ConstraintContext *context, const void *record, WORD **changed, WORD *count);

/* ---- papers (cst_paper.cpp); sizes in the model's units (0.1 mm) ---- */

/* cst_GetCustomPaperSize: the size of the custom slot of paper 262-266 or 287-301
 * (settings 5889+i, 5909+i). 1 read, 0 not. */
BOOL WINAPI cst_GetCustomPaperSize(const ConstraintContext *context, WORD paper, WORD *width, WORD *height);

/* cst_GetSizeRangeLimits: minimum and maximum of the type-5 or type-6 size range with
 * that key. 0, 7 (no such record, or it has no row for FunctionID 262), 1 failure. */
WORD WINAPI cst_GetSizeRangeLimits(const ConstraintContext *context, WORD recordType, WORD key, DddSize *minimum,
                                   DddSize *maximum);

/* cst_GetPaperDimensions: custom papers from their slot, 256 from settings 10 (width) and
 * 9 (length), others from their paper record's minimum size. 1 found, 0 not. */
BOOL WINAPI cst_GetPaperDimensions(const ConstraintContext *context, WORD paper, WORD *width, WORD *height);

/* cst_CheckPaperSizeRange: the usable size of a paper: user and custom papers their size
 * less the record's margins, kept within its minimum and maximum; others the record's
 * minimum. 0, or 1 on failure. */
WORD WINAPI cst_CheckPaperSizeRange(const ConstraintContext *context, WORD paper, WORD *width, WORD *height);

/* ---- checks (cst_records.cpp, cst_conflicts.cpp) ---- */

/*
 * cst_CheckConstraints: runs every constraint record of one list of a definition record
 * (3, 4, 13 or 14). mode 2 resolves (change lists applied, changed list grown from the
 * caller's inline buffer of 5, state may be NULL); modes 0, 1, 3 check into state.
 * selector: 0 type-7 list, 1 type-8 list. flags 1: no proposed value. filter (filterCount
 * FunctionIDs, or NULL): only records whose trigger or conditions name one of them run.
 * 0 after the run, 1 on an error (bad arguments, a record that cannot be read).
 */
WORD WINAPI cst_CheckConstraints(HANDLE printer, WORD mode, WORD selector, WORD flags, const ConstraintContext *context,
                                 const ChangeEntry *change, ConflictState *state, const void *definition,
                                 WORD **changed, WORD *changedCount, const WORD *filter, WORD filterCount);

/*
 * cst_CheckConflicts: checks a change (mode 1 with a value: its trial; without: the
 * current settings; modes 0, 2, 3 select other record groups; nothing is ever written).
 * optionFilter: zero-terminated FunctionIDs or NULL. value: the proposed value of
 * valueType, or NULL. On return state holds the kind and lists. outList (or NULL): a heap
 * block of the FunctionIDs to re-evaluate, then functionId, then 0 (free with GlobalFree),
 * or NULL when there are none. flags 1: check without the proposed value as key.
 * 0 done, 1 error or bad arguments, 2 out of memory; on failure state is as it was.
 */
WORD WINAPI cst_CheckConflicts(WORD mode, HANDLE printer, DriverContext *context, DriverDevmode *devmode,
                               PrinterDataBlock *block, const WORD *optionFilter, WORD functionId, WORD valueType,
                               const void *value, ConflictState *state, WORD **outList, WORD flags);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_CONSTRAINTS_CONSTRAINTS_H */
