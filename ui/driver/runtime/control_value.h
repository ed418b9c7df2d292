/*
 * Conversion between a setting's stored value and the value its control shows: tenths,
 * power-of-two indexes and the paper-centre offset, each for a fixed set of FunctionIDs.
 */
#ifndef QM_UI_DRIVER_RUNTIME_CONTROL_VALUE_H
#define QM_UI_DRIVER_RUNTIME_CONTROL_VALUE_H

#include <windows.h>

#include "core/ddd/ddd.h"
#include "core/settings/settings_types.h"

#define UI_TO_CONTROL 1 /* direction: stored value -> control value */

/* One conversion: the settings the paper-centre rule reads, the direction, the setting and
 * its ValueType (4 and 5 are read as 32 bits, all others as signed 16 bits). */
typedef struct ControlValueRequest {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    DddFile *model;
    DddFile *base;
    WORD direction; /* UI_TO_CONTROL, or any other value for the way back */
    WORD functionId;
    WORD valueType;
    const void *value; /* in */
    DWORD result;      /* out */
} ControlValueRequest;

/*
 * ui_ConvertControlValue: converts request->value into request->result by the setting's
 * rule. Returns 1, or 0 with the value copied for a FunctionID without rule and for an
 * index whose value would not fit 32 bits; 0 without writing for a NULL request or value.
 */
int ui_ConvertControlValue(ControlValueRequest *request);

#endif /* QM_UI_DRIVER_RUNTIME_CONTROL_VALUE_H */
