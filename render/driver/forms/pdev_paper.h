/*
 * The PDEV's two papers: paper sizes in tenths of a millimetre, the unit conversions, the
 * model's paper records, the margin rule and the builder of both PaperDescription records
 * (DrvEnablePDEV, DrvResetPDEV and the locale paper escape).
 */
#ifndef QM_RENDER_DRIVER_FORMS_PDEV_PAPER_H
#define QM_RENDER_DRIVER_FORMS_PDEV_PAPER_H

#include "core/ddd/ddd.h"
#include "render/driver/pdev/pdev.h"

/* Units per inch of a PaperDescription. */
#define PDEV_UNITS_PER_INCH 18432

/* A paper in tenths of a millimetre: size and printable area. */
typedef struct PaperTenths {
    LONG width;
    LONG height;
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} PaperTenths;

/* Paper numbers of the user-defined size and of the custom-size paper, whose record gives
 * the margins of papers without their own. */
#define PDEV_USER_DEFINED_PAPER 256
#define PDEV_CUSTOM_PAPER 262
/* Spooler lengths are thousandths of a millimetre. */
#define PDEV_SPOOLER_UNITS_PER_TENTH 100

/* The paper a printable area is looked for: its number and name when known (0, NULL
 * otherwise). */
typedef struct PaperQuery {
    DWORD number;
    const WCHAR *name;
} PaperQuery;

/* A test a paper record passes or fails. */
typedef BOOL (*PaperTest)(const DddPaper *record, const void *argument);

/* pdev_FetchPaper: the model's paper record of a paper number (new, free with
 * pdev_FreePaper), or NULL. */
DddPaper *pdev_FetchPaper(PDEV *pdev, WORD number);

/* pdev_FreePaper: frees a record and clears the pointer; nothing for NULL. */
void pdev_FreePaper(DddPaper **record);

/* pdev_FindPaper: the first of the model's paper records (by index from 1) that passes the
 * test, or NULL. */
DddPaper *pdev_FindPaper(PDEV *pdev, PaperTest test, const void *argument);

/* Tests for pdev_FindPaper: the record is named name (a wide string, not empty); the
 * record is no user-defined paper and its minimum size lies within 10 tenths of a
 * millimetre of the PaperTenths' size. */
BOOL pdev_IsNamed(const DddPaper *record, const void *name);
BOOL pdev_IsNearStandardPaper(const DddPaper *record, const void *tenths);

/* pdev_DefaultPaperNumber: the model's default paper number of setting 8, with the model
 * and locale overrides; 0 when the model gives none. */
WORD pdev_DefaultPaperNumber(PDEV *pdev);

/* pdev_SameName: 1 when two wide strings are equal and not empty (NULL equals nothing). */
BOOL pdev_SameName(const WCHAR *a, const WCHAR *b);

/* pdev_IsFixedSize: 1 when the record's minimum and maximum sizes agree. */
BOOL pdev_IsFixedSize(const DddPaper *record);

/* pdev_RangeHolds: 1 when the size of tenths lies within the record's minimum and maximum
 * sizes. */
BOOL pdev_RangeHolds(const DddPaper *record, const PaperTenths *tenths);

/* pdev_RecordMargins: the printable area of the paper of tenths' size inside the record's
 * margins (margins 0 when noMargins). */
void pdev_RecordMargins(const DddPaper *record, BOOL noMargins, PaperTenths *tenths);

/* pdev_FromRecord: size (the minimum size) and margins of a fixed-size record. */
void pdev_FromRecord(const DddPaper *record, BOOL noMargins, PaperTenths *tenths);

/*
 * pdev_MarginRule: the printable area of the paper of tenths' size that no fixed-size
 * record describes. With the trailer's device paper list, the imageable area of the
 * spooler form for the paper (by the query's number, by its name, by the paper's size);
 * otherwise the custom-size record's margins, widened so that its largest image is
 * centred, the left and top margins then grown to the model's alignment unit.
 */
void pdev_MarginRule(PDEV *pdev, const PaperQuery *query, PaperTenths *tenths);

/* pdev_TenthsToUnits: n tenths of a millimetre as n x 100 x 18432 / 25400 units,
 * truncated, with a 64-bit intermediate. */
LONG pdev_TenthsToUnits(LONG tenths);

/* pdev_UnitsToPixels: units x resolution / 18432 (64-bit intermediate). */
LONG pdev_UnitsToPixels(LONG units, DWORD resolution);

/* pdev_RoundDiv: a x b / c, plus 1 when the tenths digit of the remainder is 5 or more;
 * 0 when c is 0. */
LONG pdev_RoundDiv(LONG a, LONG b, LONG c);

/*
 * pdev_BuildPapers: fills both PaperDescription records of the PDEV (the first turned for
 * landscape) from its DEVMODE and the model's paper records. tenths: out, the first
 * paper in tenths of a millimetre (turned like the record). Returns 1, or 0 when no paper
 * record or form gives the page.
 */
BOOL pdev_BuildPapers(PDEV *pdev, PaperTenths *tenths);

/* pdev_FreePapers: frees the description records the two papers own. */
void pdev_FreePapers(PDEV *pdev);

#endif /* QM_RENDER_DRIVER_FORMS_PDEV_PAPER_H */
