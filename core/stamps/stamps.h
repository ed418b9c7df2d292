/*
 * Stamps: the default stamp font and the label table of the per-source dialog items.
 */
#ifndef QM_CORE_STAMPS_STAMPS_H
#define QM_CORE_STAMPS_STAMPS_H

#include <windows.h>

#define STAMP_LABEL_ROWS 19

/* One row of the label table: a value of setting 8208 and six string ids of the resource
 * module, the labels of dialog items. */
typedef struct StampLabelRow {
    SHORT key;
    WORD ids[6];
} StampLabelRow;

#ifdef __cplusplus
extern "C" {
#endif

/* The label table, in its fixed order. */
extern const StampLabelRow g_StampLabelRows[STAMP_LABEL_ROWS];

/*
 * ureg_GetDefaultStampFont: the default stamp font as a LOGFONTW: height, escapement,
 * orientation, character set and face name from the resource module's strings (a missing
 * number string gives 0, a missing face name "Undefined"), the other fields fixed.
 * font: out. Returns 1, or 0 for NULL.
 */
BOOL WINAPI ureg_GetDefaultStampFont(LOGFONTW *font);

/* opt_GetLabelIdsForValue: the six string ids of the row of a value of setting 8208.
 * ids: out, 12 bytes. Returns 1, or 0 when no row has that value or ids is NULL. */
BOOL WINAPI opt_GetLabelIdsForValue(SHORT value, WORD *ids);

/* opt_GetLabelIdPair: the fourth and fifth ids of the row. Returns 1, or 0 when not found. */
BOOL WINAPI opt_GetLabelIdPair(SHORT value, WORD *fourth, WORD *fifth);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_STAMPS_STAMPS_H */
