/*
 * Dependent-setting rules: values that follow from other settings.
 */
#ifndef QM_CORE_RULES_DEPENDENT_RULES_H
#define QM_CORE_RULES_DEPENDENT_RULES_H

#include "core/ddd/ddd.h"
#include "core/settings/settings_types.h"

#define CUSTOM_SLOT_COUNT 20
#define CUSTOM_SLOT_NAME_CHARS 15 /* name buffer with its terminator */

/* A user-defined paper slot's paper as read from its settings. */
typedef struct CustomPaperRecord {
    WORD paper;     /* the slot's paper number */
    WORD width;     /* 0.1 mm (setting 5889 + n) */
    WORD length;    /* 0.1 mm (setting 5909 + n) */
    WCHAR *name;    /* the caller's name buffer (setting 5929 + n) */
    WORD widthType; /* ValueTypes of the three settings */
    WORD lengthType;
    WORD nameType;
} CustomPaperRecord;

/* Request of opt_GetCustomPaperSize. */
typedef struct CustomSlotRequest {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    const void *value; /* in: the paper value in the width of its type */
    WORD valueType;
    CustomPaperRecord *paper; /* out */
    WCHAR *name;              /* in/out: CUSTOM_SLOT_NAME_CHARS characters */
} CustomSlotRequest;

/* opt_CalcHalfLongEdgeRemainder: the areas, the description files, the value (in) and the
 * result (out). */
typedef struct HalfEdgeRequest {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    DddFile *model;
    DddFile *base;
    LONG value;
    LONG result;
} HalfEdgeRequest;

#ifdef __cplusplus
extern "C" {
#endif

/*
 * opt_ComputeColorField: dmColor from colour settings 345 and 270, each given with its
 * type: 1 (monochrome) when both are 1, else 2 (colour). result: out. Returns 1, or 0 for
 * a NULL pointer.
 */
BOOL WINAPI opt_ComputeColorField(WORD type345, WORD type270, const void *value345, const void *value270, WORD *result);

/*
 * opt_FindCustomPaperSlot: the first slot (0-19) whose paper number equals the value. The
 * outputs (each may be NULL) receive its width, length and name FunctionIDs and its default
 * name (CUSTOM_SLOT_NAME_CHARS characters). Returns 1, or 0 when no slot matches.
 */
BOOL WINAPI opt_FindCustomPaperSlot(const void *value, WORD valueType, WORD *widthId, WORD *lengthId, WORD *nameId,
                                    WCHAR *defaultName);

/*
 * opt_GetCustomPaperSize: the width, length and name settings of the slot holding the
 * paper value, into request->paper (its name pointing to request->name). Returns 1, or 0
 * when no slot holds the value, a read fails or an argument is NULL.
 */
BOOL WINAPI opt_GetCustomPaperSize(const CustomSlotRequest *request);

/* opt_CalcHalfLongEdgeRemainder: half the longer edge of the current paper minus the value.
 * Returns 1 with the result, 0 when the paper's size cannot be found. Not built yet:
 * core/interim/dependent_rules_interim.cpp answers for it. */
BOOL WINAPI opt_CalcHalfLongEdgeRemainder(HalfEdgeRequest *request);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_RULES_DEPENDENT_RULES_H */
