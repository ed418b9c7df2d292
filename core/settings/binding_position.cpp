/*
 * Binding-position lookups over the data of position_tables.cpp.
 */
#include "core/settings/binding_position.h"

#include "core/settings/function_ids.h"

static const PositionPair *opt_PositionPairs(WORD functionId, int *column);
static void opt_BuildPositionTable(const PositionPair *pair, PositionRow table[5]);

/*
 * The pair table and index column of setting 320 or 341.
 * Out: *column 0 or 1. Returns the table, or NULL for another FunctionID.
 */
static const PositionPair *opt_PositionPairs(WORD functionId, int *column)
{
    if (functionId == FID_BINDING_POSITION) {
        *column = 0;
        return g_PositionPairs320;
    }
    if (functionId == FID_BINDING_POSITION2) {
        *column = 1;
        return g_PositionPairs341;
    }
    return nullptr;
}

/*
 * Builds the four-row table of one pair, ended by a class-99 row.
 * In: pair. Out: table (5 rows).
 */
static void opt_BuildPositionTable(const PositionPair *pair, PositionRow table[5])
{
    table[0] = {1, 1, pair->rotationA, pair->rotationB};
    table[1] = {1, 2, pair->rotationB, pair->rotationA};
    table[2] = {2, 1, pair->rotationB, pair->rotationA};
    table[3] = {2, 2, pair->rotationA, pair->rotationB};
    table[4] = {0, POSITION_CLASS_END, 0, 0};
}

LONG WINAPI opt_LookupPosition(const PositionRow *table, const PositionQuery *query, WORD selector, WORD *out)
{
    if (table == nullptr || query == nullptr || out == nullptr)
        return 1;
    WORD layoutClass;
    switch (query->pagesPerSheet) {
    case 1:
    case 4:
    case 16: layoutClass = 1; break;
    case 2:
    case 8:
    case 32: layoutClass = 2; break;
    default: return 1;
    }
    for (const PositionRow *row = table; row->layoutClass != POSITION_CLASS_END; ++row) {
        if (row->orientation == query->orientation && row->layoutClass == layoutClass) {
            *out = selector == 1 ? row->alternative : row->value;
            return 0;
        }
    }
    return 1;
}

LONG WINAPI opt_MapOrientedEdge(const PositionQuery *query, WORD *out)
{
    if (query == nullptr || out == nullptr)
        return 1;
    if (query->userChoice == 0) {
        *out = 0;
        return 0;
    }
    if (query->userChoice > 4)
        return 1;
    PositionRow table[5];
    opt_BuildPositionTable(&g_EdgePairs[query->userChoice - 1], table);
    return opt_LookupPosition(table, query, 0, out);
}

LONG WINAPI opt_MapOrientedPosition(WORD functionId, const PositionQuery *query, WORD *out)
{
    int column;
    const PositionPair *pairs = opt_PositionPairs(functionId, &column);
    if (pairs == nullptr || query == nullptr || out == nullptr || query->userChoice == POSITION_NO_CHOICE)
        return 1;
    for (int row = 0; row < POSITION_INDEX_ROWS; ++row) {
        if (g_PositionIndex[row][column] != query->userChoice)
            continue;
        PositionRow table[5];
        opt_BuildPositionTable(&pairs[row], table);
        return opt_LookupPosition(table, query, 0, out);
    }
    return 1;
}

LONG WINAPI opt_MapPositionCode(WORD code, WORD *out)
{
    if (out == nullptr)
        return 1;
    switch (code) {
    case 0: *out = 0; return 0;
    case 1:
    case 3: *out = 3; return 0;
    case 2:
    case 7: *out = 4; return 0;
    case 4:
    case 8: *out = 2; return 0;
    case 5:
    case 6: *out = 1; return 0;
    default: return 1;
    }
}

LONG WINAPI opt_MapPositionToChoice(WORD functionId, const PositionQuery *query, WORD *out)
{
    int column;
    const PositionPair *pairs = opt_PositionPairs(functionId, &column);
    if (pairs == nullptr || query == nullptr || out == nullptr)
        return 1;
    for (int row = 0; row < POSITION_INDEX_ROWS; ++row) {
        WORD choice = g_PositionIndex[row][column];
        if (choice == POSITION_NO_CHOICE)
            continue;
        PositionRow table[5];
        WORD value;
        opt_BuildPositionTable(&pairs[row], table);
        if (opt_LookupPosition(table, query, 0, &value) == 0 && value == query->deviceValue) {
            *out = choice;
            return 0;
        }
    }
    return 1;
}
