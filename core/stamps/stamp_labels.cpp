/*
 * The label table: per value of setting 8208 the six string ids of its dialog items.
 */
#include "core/stamps/stamps.h"

/* Rows 1-15 count up from 6145; the last four use 6220 and on. */
#define STAMP_LABEL(key, first, fifth)                                   \
    {                                                                    \
        key,                                                             \
        {                                                                \
            first, first + 15, first + 30, fifth, first + 45, first + 60 \
        }                                                                \
    }

const StampLabelRow g_StampLabelRows[STAMP_LABEL_ROWS] = {
    STAMP_LABEL(1, 6145, 6295),   STAMP_LABEL(3, 6146, 6296),   STAMP_LABEL(2, 6147, 6297),
    STAMP_LABEL(257, 6148, 6298), STAMP_LABEL(261, 6149, 6299), STAMP_LABEL(262, 6150, 6300),
    STAMP_LABEL(11, 6151, 6301),  STAMP_LABEL(265, 6152, 6302), STAMP_LABEL(266, 6153, 6303),
    STAMP_LABEL(267, 6154, 6304), STAMP_LABEL(268, 6155, 6305), STAMP_LABEL(269, 6156, 6306),
    STAMP_LABEL(270, 6157, 6307), STAMP_LABEL(272, 6158, 6308), STAMP_LABEL(271, 6159, 6309),
    STAMP_LABEL(273, 6220, 6310), STAMP_LABEL(274, 6221, 6311), STAMP_LABEL(275, 6222, 6312),
    STAMP_LABEL(276, 6223, 6313),
};

/* The row of a value of setting 8208, or NULL. */
static const StampLabelRow *lbl_Find(SHORT value)
{
    for (const StampLabelRow &row : g_StampLabelRows) {
        if (row.key == value) {
            return &row;
        }
    }
    return nullptr;
}

BOOL WINAPI opt_GetLabelIdsForValue(SHORT value, WORD *ids)
{
    const StampLabelRow *row = lbl_Find(value);
    if (!row || !ids) {
        return FALSE;
    }
    for (int i = 0; i < 6; ++i) {
        ids[i] = row->ids[i];
    }
    return TRUE;
}

BOOL WINAPI opt_GetLabelIdPair(SHORT value, WORD *fourth, WORD *fifth)
{
    const StampLabelRow *row = lbl_Find(value);
    if (!row || !fourth || !fifth) {
        return FALSE;
    }
    *fourth = row->ids[3];
    *fifth = row->ids[4];
    return TRUE;
}
