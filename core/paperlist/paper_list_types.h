/*
 * The device paper list's types and its free, apart from the driver context so that the
 * context's close can free a list without including the context's users.
 *
 * In list mode the settings carry the list's paper id (the model's paper number, 256 for
 * the custom size, 512 + n for the n-th extra form), while the form searches of the
 * paper rules and the public side use the form number (the form's position from 1);
 * opt_FindPaper with key PAPER_KEY_FORM and field PAPER_FIELD_ID turns one into the other.
 */
#ifndef QM_CORE_PAPERLIST_PAPER_LIST_TYPES_H
#define QM_CORE_PAPERLIST_PAPER_LIST_TYPES_H

#include <windows.h>

#define PAPER_LIST_NAME_CHARS 65

/* One paper of the list (160 bytes). */
typedef struct PaperListEntry {
    SHORT formNumber; /* position in the form list from 1; 0 for the custom size */
    WCHAR name[PAPER_LIST_NAME_CHARS];
    LONG width;
    LONG height;
    WORD paperId;                  /* the dmPaperSize value */
    LONG left, top, right, bottom; /* imageable area */
} PaperListEntry;

typedef struct PaperList {
    PaperListEntry *entries;
    WORD modelCount; /* model entries first */
    WORD extraCount; /* then the extra forms */
} PaperList;

#ifdef __cplusplus
extern "C" {
#endif

/* opt_FreePaperListData: frees the list's entries and the list; nothing for NULL. */
void WINAPI opt_FreePaperListData(PaperList *list);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_PAPERLIST_PAPER_LIST_TYPES_H */
