/*
 * Public setting identifiers (DMAID) of the DEVMODE access interface and their translation
 * to and from FunctionIDs. The tables are generated from dmaid_runs.csv at build time.
 */
#ifndef QM_CORE_SETTINGS_DMAID_H
#define QM_CORE_SETTINGS_DMAID_H

#include "core/settings/settings_types.h"
#include "platform/include/qm_layout.h"

/* One public identifier and the FunctionID it names; public identifier 0 ends a list. */
typedef struct DmaIdPair {
    WORD publicId;
    WORD functionId;
} DmaIdPair;

/* One row of the range table: its pair list (ascending public order) and the lowest and
 * highest public identifier it covers. A null list ends the table. */
typedef struct DmaIdRange {
    const DmaIdPair *pairs;
    WORD lowId;
    WORD highId;
} DmaIdRange;

static_assert(sizeof(DmaIdPair) == 4, "DmaIdPair");
static_assert(sizeof(DmaIdRange) == QM_LAYOUT(8, 16), "DmaIdRange");

enum {
    DMAID_RANGE_COUNT = 15,      /* rows of g_DmaIdRanges before its end row */
    DMAID_OLDER_VERSION = 0x5002 /* private version whose older list is searched first */
};

/* The 15 rows in table order, then the end row. */
extern const DmaIdRange g_DmaIdRanges[DMAID_RANGE_COUNT + 1];
/* The older pair list of private version 0x5002, ended by public identifier 0. */
extern const DmaIdPair g_DmaIdPairs5002[];

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Translates a public identifier. For private version 0x5002 the older list is searched
 * first; then the first row whose bounds hold the identifier, and only its list.
 * functionId: out, written only when found. Returns 1 when found, 0 otherwise (also for
 * a NULL output).
 */
BOOL WINAPI dma_DmaIdToFunctionId(WORD publicId, WORD *functionId, WORD privateVersion);

/*
 * Reverse translation: the first pair, rows in table order and each list in order, that
 * names the FunctionID. publicId: out, written only when found. Returns 1 when found, 0
 * otherwise (also for a NULL output or FunctionID 0).
 */
BOOL WINAPI dma_FunctionIdToDmaId(WORD functionId, WORD *publicId);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_SETTINGS_DMAID_H */
