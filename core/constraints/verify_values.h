/*
 * The verify pass of the setting handlers: every stored value checked against its options
 * and the constraints. It runs the constraint engine, so it sits above both.
 */
#ifndef QM_CORE_CONSTRAINTS_VERIFY_VALUES_H
#define QM_CORE_CONSTRAINTS_VERIFY_VALUES_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

/* Rows of the conflict check table kept by the caller of the verify pass. */
#define ITEM_CHECK_ROWS 100
typedef struct ItemCheckRow {
    WORD functionId;
    DWORD flag;
} ItemCheckRow;
typedef struct ItemCheckTable {
    ItemCheckRow rows[ITEM_CHECK_ROWS];
} ItemCheckTable;

/* Request of opt_VerifyValuesInOptionLists. */
typedef struct VerifyRequest {
    HINSTANCE resources; /* string 389 of the conflict box */
    HANDLE printer;
    DriverContext *context;
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    WCHAR **message;       /* in/out: a conflict text the caller holds, or NULL */
    HWND owner;            /* of the conflict box */
    ItemCheckTable *table; /* kept by the caller across the calls of one pass */
    WORD *functionId;      /* in/out: the setting handed back last time (0 at first) */
} VerifyRequest;

#ifdef __cplusplus
extern "C" {
#endif

/*
 * opt_VerifyValuesInOptionLists: checks every setting that has a list of choices against
 * the constraints (ranges are not checked). A setting conflicting for the first time is
 * handed back in *functionId (result 2) for the caller to fix and call again; one that
 * still conflicts when handed back again is kept in the table, skipped on the next call
 * and then reported in a box (string 389 with "DDMID = 0x..."), result -1. Returns 1 when
 * every value fits, 2 to hand back a setting, -1 on a reported conflict or a failure.
 */
int WINAPI opt_VerifyValuesInOptionLists(const VerifyRequest *request);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_CONSTRAINTS_VERIFY_VALUES_H */
