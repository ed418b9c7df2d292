/*
 * The conflict check table of the verify pass, allocated for its caller.
 */
#include "core/devmode_helpers/devmode_helpers.h"

#include "core/constraints/verify_values.h"

/* 100 rows of {WORD, DWORD}, without pointers: the same in both builds. */
static_assert(sizeof(ItemCheckTable) == 800, "ItemCheckTable");

ItemCheckTable *WINAPI opt_AllocItemCheckTable(void)
{
    return (ItemCheckTable *)GlobalAlloc(GPTR, sizeof(ItemCheckTable));
}
