/*
 * The printer's forms by their 1-based index (the DEVMODE paper number), the paper
 * number of the description data option named like a form, and grey conversion of
 * 24-bit pixel rows.
 */
#ifndef QM_CORE_STORED_PRINTER_FORMS_H
#define QM_CORE_STORED_PRINTER_FORMS_H

#include <windows.h>

#include "core/settings/settings_types.h"

/* Results of util_FindFormName and opt_PaperIdFromFormIndex. */
enum {
    FORM_FOUND = 1,
    FORM_PAST_END = 2, /* index beyond the form count */
    FORM_NO_LIST = 3,  /* the forms could not be listed */
    FORM_FAILED = 10   /* bad argument, out of memory, or no matching option */
};

#ifdef __cplusplus
extern "C" {
#endif

/*
 * util_FindFormName: the name of form `index` (1-based) of the printer's form list
 * (EnumFormsW level 1). name: out, a new string (NULL unless found). Returns FORM_FOUND,
 * FORM_PAST_END, FORM_NO_LIST or FORM_FAILED (NULL printer or output, index 0, memory).
 */
DWORD WINAPI util_FindFormName(HANDLE printer, DWORD index, WCHAR **name);

/* util_GetFormNameByIndex: the same lookup as a plain result: a new string or NULL. */
WCHAR *WINAPI util_GetFormNameByIndex(HANDLE printer, DWORD index);

/*
 * opt_PaperIdFromFormIndex: the paper number of a form index. Index 256 with FunctionID
 * 5200 non-zero and dmFields (FunctionID 6) holding both DM_PAPERLENGTH and DM_PAPERWIDTH
 * gives 256. Otherwise the first option of FunctionID 8 in the description data whose
 * text equals the form's name gives the paper number it holds. paper: out. Returns
 * FORM_FOUND, or FORM_FAILED (no form, no match, bad argument, failure).
 */
DWORD WINAPI opt_PaperIdFromFormIndex(HANDLE printer, DriverDevmode *devmode, PrinterDataBlock *block, DWORD index,
                                      WORD *paper);

/*
 * util_RgbToGray: one grey byte per 3-byte pixel (b0, b1, b2): the byte itself when all
 * three are equal, else ((b0 + b2) x 85 + b1 x 86) >> 8. Rows are packed without padding.
 * source: in (pixels x rows x 3 bytes); destination: out (pixels x rows bytes). Nothing
 * is done for a NULL pointer.
 */
void WINAPI util_RgbToGray(const BYTE *source, BYTE *destination, WORD pixels, WORD rows);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_STORED_PRINTER_FORMS_H */
