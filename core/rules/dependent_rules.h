/*
 * Dependent-setting rules: values that follow from other settings.
 */
#ifndef QM_CORE_RULES_DEPENDENT_RULES_H
#define QM_CORE_RULES_DEPENDENT_RULES_H

#include "core/ddd/ddd.h"
#include "core/settings/settings_types.h"

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

/* opt_CalcHalfLongEdgeRemainder: half the longer edge of the current paper minus the value.
 * Returns 1 with the result, 0 when the paper's size cannot be found. */
BOOL WINAPI opt_CalcHalfLongEdgeRemainder(HalfEdgeRequest *request);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_RULES_DEPENDENT_RULES_H */
