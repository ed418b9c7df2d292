/*
 * The DEVMODE merge: an application's DEVMODE (public fields only, a foreign private part,
 * or a full DEVMODE of this model) folded into a driver DEVMODE that holds valid settings,
 * then the dependent-setting rules and the enforced special settings.
 */
#ifndef QM_CORE_DEVMODE_MERGE_DEVMODE_MERGE_H
#define QM_CORE_DEVMODE_MERGE_DEVMODE_MERGE_H

#include "core/context/driver_context.h"

#ifdef __cplusplus
extern "C" {
#endif

/*
 * dm_MergeDevmode: the merge without the field map (property sheets, the merge without
 * UI, the device capabilities). input is read only through a zero-filled copy of its first
 * min(dmSize + dmDriverExtra, 1604) bytes, and is never written. command: HC_VALIDATE or
 * HC_VALIDATE2. Returns 1; 1 without change for a NULL input; 0 without output or block,
 * or on a failure (the output then partly merged).
 */
BOOL WINAPI dm_MergeDevmode(DriverContext *context, DriverDevmode *output, const DEVMODEW *input,
                            PrinterDataBlock *block, HANDLE printer, WORD command);

/*
 * dm_MergeDevmodeTraced: the merge of the print path: traces the input and the output and
 * uses the field map when it is active and setting 5201 of the block is non-zero
 * (translating the copy's collate, source and media values first).
 */
BOOL WINAPI dm_MergeDevmodeTraced(DriverContext *context, DriverDevmode *output, const DEVMODEW *input,
                                  PrinterDataBlock *block, HANDLE printer, WORD command);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DEVMODE_MERGE_DEVMODE_MERGE_H */
