/*
 * Conflict states and id lists: creating, copying and clearing states, growing id lists
 * from a caller's buffer onto the heap, and the priority rule of conflict kinds.
 */
#include "core/constraints/cst_private.h"

/* Priority of each conflict kind; kinds not listed rank 0. */
typedef struct KindRank {
    WORD kind;
    WORD rank;
} KindRank;

static const KindRank s_kindRanks[] = {
    {6, 900},
    {1, 800},
    {7, 700},
    {8, 600},
    {15, 590},
    {14, 580},
    {12, 555},
    {10, 550},
    {13, 545},
    {11, 540},
    {2, 500},
    {5, 400},
    {3, 300},
    {9, 270},
    {4, 200},
    {0, 100},
};

/* A state's list seen apart from its inline capacity. */
typedef struct ListView {
    WORD *count;
    WORD *inlineIds;
    WORD capacity;
    WORD **ids;
} ListView;

static int state_View(ConflictState *state, WORD which, ListView *view);
static WORD *state_Entries(const ListView *view);
static void state_FreeList(ListView *view);
static int kind_Rank(WORD kind, WORD *rank);
static DWORD list_Capacity(WORD initialCapacity, WORD count);

/* The capacity of a list of count entries: the initial buffer, then steps of 5, each
 * full exactly when the count reaches it. */
static DWORD list_Capacity(WORD initialCapacity, WORD count)
{
    DWORD capacity = initialCapacity;
    while (capacity < count) {
        capacity += CST_LIST_STEP;
    }
    return capacity;
}

/* The view of list 1, 2 or 3; 0 for another. */
static int state_View(ConflictState *state, WORD which, ListView *view)
{
    switch (which) {
    case 1:
        *view = {&state->records7.count, state->records7.inlineIds, CST_LIST1_INLINE, &state->records7.ids};
        return 1;
    case 2:
        *view = {&state->records8.count, state->records8.inlineIds, CST_LIST2_INLINE, &state->records8.ids};
        return 1;
    case 3: *view = {&state->touched.count, state->touched.inlineIds, CST_LIST3_INLINE, &state->touched.ids}; return 1;
    default: return 0;
    }
}

/* Where a list's entries are: its heap buffer, else its inline buffer. */
static WORD *state_Entries(const ListView *view)
{
    return *view->ids ? *view->ids : view->inlineIds;
}

/* Frees a heap buffer and points the list back at its inline buffer, empty. */
static void state_FreeList(ListView *view)
{
    if (*view->ids && *view->ids != view->inlineIds) {
        GlobalFree(*view->ids);
    }
    *view->ids = view->inlineIds;
    *view->count = 0;
    ZeroMemory(view->inlineIds, view->capacity * sizeof(WORD));
}

/* The rank of a kind of the table; 0 when it is not listed. */
static int kind_Rank(WORD kind, WORD *rank)
{
    for (const KindRank &row : s_kindRanks) {
        if (row.kind == kind) {
            *rank = row.rank;
            return 1;
        }
    }
    *rank = 0;
    return 0;
}

WORD WINAPI cst_AddChangedId(WORD selector, ConflictState *state, WORD index)
{
    ListView view;
    if (!state || selector > CST_LIST_TYPE8 || !state_View(state, (WORD)(selector + 1), &view)) {
        return CST_ERROR;
    }
    WORD *entries = state_Entries(&view);
    WORD status = cst_AddToIdList(index, view.capacity, &entries, view.count);
    *view.ids = entries;
    return status;
}

WORD WINAPI cst_AddToIdList(WORD functionId, WORD initialCapacity, WORD **list, WORD *count)
{
    if (!list || !*list || !count || initialCapacity == 0) {
        return CST_ERROR;
    }
    WORD *entries = *list;
    for (WORD i = 0; i < *count; ++i) {
        if (entries[i] == functionId) {
            return CST_OK;
        }
    }
    DWORD capacity = list_Capacity(initialCapacity, *count);
    if (*count == capacity) {
        if (capacity + CST_LIST_STEP > 0xFFFF) {
            return CST_NO_MEMORY;
        }
        WORD *grown = (WORD *)GlobalAlloc(GPTR, (capacity + CST_LIST_STEP) * sizeof(WORD));
        if (!grown) {
            return CST_NO_MEMORY;
        }
        CopyMemory(grown, entries, *count * sizeof(WORD));
        if (*count > initialCapacity) {
            GlobalFree(entries);
        }
        entries = grown;
        *list = grown;
    }
    entries[(*count)++] = functionId;
    return CST_OK;
}

BOOL WINAPI cst_AddToFixedIdList(WORD functionId, WORD *list, WORD capacity)
{
    if (!list || functionId == 0) {
        return FALSE;
    }
    WORD n = 0;
    while (n < capacity && list[n] != 0) {
        if (list[n] == functionId) {
            return FALSE;
        }
        ++n;
    }
    if (n >= capacity) {
        return FALSE;
    }
    list[n] = functionId;
    list[n + 1] = 0;
    return TRUE;
}

void WINAPI cst_ClearConflictState(ConflictState *state)
{
    if (!state) {
        return;
    }
    for (WORD which = 1; which <= 3; ++which) {
        ListView view;
        state_View(state, which, &view);
        state_FreeList(&view);
    }
    state->kind = 0;
    state->changedMask = 0;
}

WORD WINAPI cst_CopyConflictState(ConflictState *destination, const ConflictState *source)
{
    if (!destination || !source) {
        return CST_ERROR;
    }
    if (destination == source) {
        return CST_OK;
    }
    cst_ClearConflictState(destination);
    for (WORD which = 1; which <= 3; ++which) {
        ListView to, from;
        state_View(destination, which, &to);
        state_View((ConflictState *)source, which, &from);
        WORD count = *from.count;
        if (count > to.capacity) {
            WORD *copy = (WORD *)GlobalAlloc(GPTR, list_Capacity(to.capacity, count) * sizeof(WORD));
            if (!copy) {
                cst_ClearConflictState(destination);
                return CST_NO_MEMORY;
            }
            *to.ids = copy;
        }
        CopyMemory(state_Entries(&to), state_Entries(&from), count * sizeof(WORD));
        *to.count = count;
    }
    destination->kind = source->kind;
    destination->changedMask = source->changedMask;
    return CST_OK;
}

void WINAPI cst_FreeIdList(WORD **list, WORD *count, WORD initialCapacity, WORD *initial)
{
    if (!list || !count) {
        return;
    }
    if (*list && *list != initial && *count > initialCapacity) {
        GlobalFree(*list);
    }
    *list = initial;
    *count = 0;
}

BOOL WINAPI cst_FreeConflictState(ConflictState *state)
{
    if (!state) {
        return FALSE;
    }
    cst_ClearConflictState(state);
    GlobalFree(state);
    return TRUE;
}

const WORD *WINAPI cst_GetStateList(const ConflictState *state, WORD which, WORD *count)
{
    ListView view;
    if (count) {
        *count = 0;
    }
    if (!state || !state_View((ConflictState *)state, which, &view)) {
        return NULL;
    }
    if (count) {
        *count = *view.count;
    }
    return state_Entries(&view);
}

void WINAPI cst_KeepHigherPriorityKind(WORD *kind, WORD newKind)
{
    if (!kind) {
        return;
    }
    WORD newRank = 0, currentRank = 0;
    if (newKind == 0 || !kind_Rank(newKind, &newRank)) {
        return;
    }
    kind_Rank(*kind, &currentRank);
    if (newRank > currentRank) {
        *kind = newKind;
    }
}

ConflictState *WINAPI cst_NewConflictState(void)
{
    ConflictState *state = (ConflictState *)GlobalAlloc(GPTR, sizeof(ConflictState));
    if (state) {
        state->records7.ids = state->records7.inlineIds;
        state->records8.ids = state->records8.inlineIds;
        state->touched.ids = state->touched.inlineIds;
    }
    return state;
}

WORD cst_Touch(ConflictState *state, WORD functionId)
{
    if (!state) {
        return CST_OK;
    }
    ListView view;
    state_View(state, 3, &view);
    WORD *entries = state_Entries(&view);
    WORD status = cst_AddToIdList(functionId, view.capacity, &entries, view.count);
    *view.ids = entries;
    return status;
}
