/*
 * The render side's lookups of spooler forms and description-data paper records, and the
 * copy of a DEVMODE's second private part.
 */
#ifndef QM_RENDER_DRIVER_FORMS_FORMS_H
#define QM_RENDER_DRIVER_FORMS_FORMS_H

#include <windows.h>
#include <winspool.h>

#include "core/ddd/ddd.h"
#include "core/settings/settings_types.h"

/* Results of the form lookups. */
#define FORM_LOOKUP_FOUND 1
#define FORM_LOOKUP_NO_FORM 2  /* no such form, or the number is past the count */
#define FORM_LOOKUP_ERROR 3    /* the spooler failed otherwise */
#define FORM_LOOKUP_BAD_ARG 10 /* missing argument, or out of memory */

/* Characters kept of a form name by util_GetFormByIndex, terminator included. */
#define FORM_INDEX_NAME_CHARS 32
/* Size of the block util_GetFormByIndex hands out: the form and its name behind it. */
#define FORM_INDEX_BLOCK_SIZE (sizeof(FORM_INFO_1W) + FORM_INDEX_NAME_CHARS * sizeof(WCHAR))

/* The six values of util_GetFormSize, in tenths of a millimetre. */
typedef struct FormSize {
    WORD width;
    WORD height;
    WORD left; /* imageable area */
    WORD top;
    WORD right;
    WORD bottom;
} FormSize;

#ifdef __cplusplus
extern "C" {
#endif

/*
 * util_ListForms: the printer's whole form list (EnumFormsW level 1) in a new global-heap
 * block the caller frees with GlobalFree. list: out, NULL when the printer has no forms;
 * count: out. Returns FORM_LOOKUP_FOUND, _ERROR or _BAD_ARG (NULL argument, no memory).
 */
DWORD WINAPI util_ListForms(HANDLE printer, FORM_INFO_1W **list, DWORD *count);

/*
 * util_GetFormByName: the printer's form of that name (GetFormW level 1) in a new
 * global-heap block the caller frees with GlobalFree. form: out, NULL unless found.
 * Returns FORM_LOOKUP_FOUND, _NO_FORM, _ERROR or _BAD_ARG (NULL argument, no memory).
 */
DWORD WINAPI util_GetFormByName(HANDLE printer, LPCWSTR name, FORM_INFO_1W **form);

/*
 * util_GetFormByIndex: form `number` (counted from 1) of the printer's list (EnumFormsW
 * level 1), copied into a new FORM_INDEX_BLOCK_SIZE-byte global-heap block with its name
 * behind it (at most 31 characters, always terminated; pName points there). block: out,
 * NULL unless found. Returns FORM_LOOKUP_FOUND, _NO_FORM (0 or past the count), _ERROR or
 * _BAD_ARG.
 */
DWORD WINAPI util_GetFormByIndex(HANDLE printer, DWORD number, FORM_INFO_1W **block);

/*
 * util_GetFormSize: size and imageable area of the form named `name`, or when name is
 * NULL of form `number`, in tenths of a millimetre (the spooler's thousandths divided by
 * 100). size: out, written only when found. Returns FORM_LOOKUP_FOUND or the lookup's
 * status; FORM_LOOKUP_BAD_ARG for a NULL printer or size.
 */
DWORD WINAPI util_GetFormSize(HANDLE printer, LPCWSTR name, DWORD number, FormSize *size);

/*
 * ddd_GetPaperKindWord: the paper-kind word of a paper record (type 10): the record's
 * first u16 word; 0xFFFF means the paper has none. word: out. Returns 0, or 1 for a NULL
 * argument or a record of another type.
 */
DddStatus WINAPI ddd_GetPaperKindWord(const void *record, WORD *word);

/* util_CopySecondPart: copies the 4268 bytes behind the first 1604 bytes of source into
 * destination. Nothing for a NULL argument. */
void WINAPI util_CopySecondPart(DriverDevmode *destination, const DriverDevmode *source);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_FORMS_FORMS_H */
