/*
 * The device paper list: the model's papers combined with the printer's forms, held by the
 * driver context when a site switches to it. Sizes in 0.001 mm (form units).
 */
#ifndef QM_CORE_PAPERLIST_PAPER_LIST_H
#define QM_CORE_PAPERLIST_PAPER_LIST_H

#include "core/context/driver_context.h"
#include "core/paperlist/paper_list_types.h"

/* Kinds of opt_CountPapers. */
#define PAPER_COUNT_MODEL 1
#define PAPER_COUNT_EXTRA 2
#define PAPER_COUNT_ALL 3
#define PAPER_COUNT_ALL_BUT_CUSTOM 4

/* Fields of opt_GetPaperAt. */
#define PAPER_FIELD_ID 1   /* WORD */
#define PAPER_FIELD_FORM 2 /* WORD */
#define PAPER_FIELD_NAME 3 /* const WCHAR*, inside the list */
#define PAPER_FIELD_SIZE 4 /* two LONGs: width and height / 100 (0.1 mm) */

/* Keys of opt_FindPaper. */
#define PAPER_KEY_ID 1   /* WORD paper id */
#define PAPER_KEY_FORM 2 /* WORD form number */
#define PAPER_KEY_NAME 3 /* const WCHAR*, compared exactly */

/* The areas opt_UsesDevicePaperList reads. */
typedef struct PaperListUseRequest {
    DriverContext *context;
    PrinterDataBlock *block;
} PaperListUseRequest;

/* The arguments of opt_BuildPaperList (5201 lives in the block). */
typedef struct PaperListBuildRequest {
    HANDLE printer;
    DriverContext *context;
    PrinterDataBlock *block;
} PaperListBuildRequest;

/* Kinds of opt_GetPaperListArrays. */
#define PAPER_ARRAY_IDS 1   /* WORD paper ids */
#define PAPER_ARRAY_FORMS 2 /* WORD form numbers */
#define PAPER_ARRAY_NAMES 3 /* PAPER_ARRAY_NAME_CHARS characters each */
#define PAPER_ARRAY_SIZES 4 /* {LONG width, LONG height} / 100 */
#define PAPER_ARRAY_NAME_CHARS 64

/* Results. */
#define PAPER_LIST_OK 1
#define PAPER_LIST_NO_CONTEXT (-1)
#define PAPER_LIST_NONE (-2)
#define PAPER_LIST_NOT_FOUND (-3)
#define PAPER_LIST_BAD_ARGUMENT (-100)

#ifdef __cplusplus
extern "C" {
#endif

/* opt_HasPaperList: 1 when the context holds a list, else 0. */
BOOL WINAPI opt_HasPaperList(const DriverContext *context);

/* opt_CountPapers: the entries of a kind (PAPER_COUNT_*). count: out. Returns 1, -1 no
 * context, -2 no list, -100 bad kind or no output. */
int WINAPI opt_CountPapers(const DriverContext *context, WORD *count, int kind);

/* opt_GetPaperAt: a field (PAPER_FIELD_*) of entry index. out: as the field says. Returns
 * 1, -1 no context, -2 no list, -3 index beyond the list, -100 bad field or no output. */
int WINAPI opt_GetPaperAt(const DriverContext *context, DWORD index, int field, void *out);

/* opt_FindPaper: a field (PAPER_FIELD_*) of the first entry, in list order, whose key
 * (PAPER_KEY_*) equals key (a WORD for kinds 1 and 2, a const WCHAR* for kind 3). out: as
 * the field says. Returns 1, -1 no context, -2 no list, -3 not found, -100 bad kind or a
 * NULL key or output. */
int WINAPI opt_FindPaper(const DriverContext *context, int keyKind, const void *key, int field, void *out);

/* opt_UsesDevicePaperList: the value of setting 5201 of the block when the context's map has
 * formdb 1 and that value is non-zero; 0 otherwise (also for a read error or NULL). */
DWORD WINAPI opt_UsesDevicePaperList(const PaperListUseRequest *request);

/*
 * opt_BuildPaperList: with the device paper list in use, the model's paper records (in
 * record order, each but 256 by the printer's form of its name) and then the printer's
 * other forms inside the custom range of paper 262, as the context's list. A previous list
 * is freed first. Returns 1 (built, or not in use: no list), -1 no context, -100 a NULL
 * argument, a model paper without a form, more papers than entry 41 allows, or out of
 * memory (no list).
 */
int WINAPI opt_BuildPaperList(const PaperListBuildRequest *request);

/* opt_FreePaperList: frees the context's list and clears its pointer. Returns 1 (also
 * without list), -1 for NULL. */
int WINAPI opt_FreePaperList(DriverContext *context);

/*
 * opt_GetPaperMargins: of the entry with the paper id, / 100 (0.1 mm): size {width,
 * height}, imageable size {right - left, bottom - top}, leftBottom {left, height - bottom},
 * rightTop {width - right, top}. Returns 1, -1, -2, -3 not found, -100 a NULL output.
 */
int WINAPI opt_GetPaperMargins(const DriverContext *context, WORD paperId, LONG *size, LONG *imageable,
                               LONG *leftBottom, LONG *rightTop);

/*
 * opt_GetPaperListArrays: one field of every entry (PAPER_ARRAY_*) in a new global block
 * (free with GlobalFree), the custom-size entry only when withCustom, in which case custom
 * receives its element (NULL without one). Names are cut to 63 characters. bytes: out.
 * Returns 1, -1, -2, -100 (bad kind, NULL output, more than 65,535 bytes, out of memory).
 */
int WINAPI opt_GetPaperListArrays(const DriverContext *context, int kind, void **array, WORD *bytes, BOOL withCustom,
                                  void **custom);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_PAPERLIST_PAPER_LIST_H */
