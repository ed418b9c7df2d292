/*
 * The turn between stored and shown margins, the built-in margins and the table of the
 * margin settings. Calls no registry or spooler function: the DEVMODE access library
 * links this file and imports only the kernel and the C runtime.
 */
#include "core/user_registry/paper_margins.h"

#include "core/settings/function_ids.h"

/* Shown margin i is stored margin kTurns[kind - 1][i], and the other way round. */
static const BYTE kTurns[2][4] = {
    {0, 1, 3, 2},
    {2, 3, 0, 1},
};

const MarginSettingRow g_MarginSettingRows[UREG_MARGIN_SETTINGS] = {
    {FID_MARGIN_SHOWN_1, 0},
    {FID_MARGIN_SHOWN_2, 1},
    {FID_MARGIN_SHOWN_3, 2},
    {FID_MARGIN_SHOWN_4, 3},
};

LONG ureg_OrientMargins(DWORD direction, DWORD kind, PaperMargins *a, PaperMargins *b)
{
    if (!a || !b || kind < 1 || kind > 2)
        return UREG_MARGIN_BAD_ARGUMENT;
    if (direction != UREG_MARGIN_STORED_FROM_SHOWN && direction != UREG_MARGIN_SHOWN_FROM_STORED)
        return UREG_MARGIN_BAD_ARGUMENT;
    PaperMargins *target = direction == UREG_MARGIN_STORED_FROM_SHOWN ? a : b;
    const PaperMargins source = direction == UREG_MARGIN_STORED_FROM_SHOWN ? *b : *a;
    for (int i = 0; i < 4; ++i)
        target->margin[i] = source.margin[kTurns[kind - 1][i]];
    return UREG_MARGIN_OK;
}

LONG ureg_GetDefaultMargins(PaperMarginEntry *entry)
{
    if (!entry)
        return UREG_MARGIN_NOT_FOUND;
    for (int i = 0; i < 4; ++i)
        entry->margins.margin[i] = UREG_DEFAULT_MARGIN;
    return UREG_MARGIN_OK;
}

LONG ureg_GetOrientedDefaultMargins(PaperMargins *margins, DWORD kind)
{
    PaperMarginEntry entry;
    ureg_GetDefaultMargins(&entry);
    return ureg_OrientMargins(UREG_MARGIN_SHOWN_FROM_STORED, kind, &entry.margins, margins);
}
