/*
 * Paper margins: the margin records, the turn between stored and shown orientation and
 * the table of the four margin settings. A plain header: the DEVMODE access library uses
 * it and links margin_orientation.cpp, which calls no registry or spooler function.
 */
#ifndef QM_CORE_USER_REGISTRY_PAPER_MARGINS_H
#define QM_CORE_USER_REGISTRY_PAPER_MARGINS_H

#include <stddef.h>

#include <windows.h>

enum {
    UREG_DEFAULT_MARGIN = 46,          /* each of the four built-in margins */
    UREG_MARGIN_STORED_FROM_SHOWN = 1, /* ureg_OrientMargins: the first record is written */
    UREG_MARGIN_SHOWN_FROM_STORED = 2, /* ureg_OrientMargins: the second record is written */
    UREG_MARGIN_SETTINGS = 4
};

/* Results of the margin operations. */
enum {
    UREG_MARGIN_OK = 1,
    UREG_MARGIN_NO_VALUE = -2,
    UREG_MARGIN_WRITE_FAILED = -3,
    UREG_MARGIN_BAD_ARGUMENT = -5, /* another direction or kind; an empty list to save */
    UREG_MARGIN_NOT_FOUND = -100   /* also: out of memory, a path that cannot be built */
};

/* Four margins m1..m4 in one orientation. */
typedef struct PaperMargins {
    LONG margin[4];
} PaperMargins;

/* One entry of a printer's margin list as stored: the paper number and its margins in
 * stored orientation. */
typedef struct PaperMarginEntry {
    WORD paper;
    WORD reserved; /* 0 */
    PaperMargins margins;
} PaperMarginEntry;

/* A printer's margin list in memory: count entries in size bytes (count x 20). */
typedef struct PaperMarginList {
    PaperMarginEntry *entries;
    DWORD size;
    DWORD count;
} PaperMarginList;

/* One margin setting: its FunctionID and the index of the margin it holds in shown
 * orientation. */
typedef struct MarginSettingRow {
    WORD functionId;
    WORD index;
} MarginSettingRow;

static_assert(sizeof(PaperMargins) == 16, "PaperMargins");
static_assert(offsetof(PaperMargins, margin[3]) == 12, "PaperMargins.margin[3]");
static_assert(sizeof(PaperMarginEntry) == 20, "PaperMarginEntry");
static_assert(offsetof(PaperMarginEntry, reserved) == 2, "PaperMarginEntry.reserved");
static_assert(offsetof(PaperMarginEntry, margins) == 4, "PaperMarginEntry.margins");

#ifdef __cplusplus
extern "C" {
#endif

/* The four margin settings in the order of their shown margins. */
extern const MarginSettingRow g_MarginSettingRows[UREG_MARGIN_SETTINGS];

/*
 * ureg_OrientMargins: direction 1 writes a from b (stored from shown), direction 2 writes
 * b from a (shown from stored). Kind 1 swaps m3 and m4, kind 2 swaps the pairs (m1, m2)
 * and (m3, m4); both turns are their own inverse. a and b may be the same record.
 * Returns 1, or -5 for another direction or kind or a NULL record.
 */
LONG ureg_OrientMargins(DWORD direction, DWORD kind, PaperMargins *a, PaperMargins *b);

/* ureg_GetDefaultMargins: the built-in margins into the entry's margins. 1, or -100 for
 * NULL. */
LONG ureg_GetDefaultMargins(PaperMarginEntry *entry);

/* ureg_GetOrientedDefaultMargins: the built-in margins in the kind's shown orientation.
 * 1, or -5 for another kind or NULL. */
LONG ureg_GetOrientedDefaultMargins(PaperMargins *margins, DWORD kind);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_USER_REGISTRY_PAPER_MARGINS_H */
