/*
 * Paper-number classes: the custom paper numbers 262-266 and 287-301 (index 0-19), the
 * user paper 256, and the FunctionIDs of the user paper sizes 5889-5928.
 */
#ifndef QM_CORE_UTIL_PAPER_NUMBER_H
#define QM_CORE_UTIL_PAPER_NUMBER_H

#include <windows.h>

#define OPT_NO_CUSTOM_PAPER 0xFFFF /* low half of a failed index or number */

#ifdef __cplusplus
extern "C" {
#endif

/* opt_IsCustomPaperId: 1 for paper numbers 262-266 and 287-301. */
BOOL WINAPI opt_IsCustomPaperId(DWORD paper);

/* opt_IsUserPaperId: 1 for the custom paper numbers and 256. */
BOOL WINAPI opt_IsUserPaperId(DWORD paper);

/* opt_CustomPaperIndex: 262-266 -> 0-4, 287-301 -> 5-19; 0xFFFF for any other number. */
DWORD WINAPI opt_CustomPaperIndex(DWORD paper);

/* opt_CustomPaperNumber: 0-4 -> 262-266, 5-19 -> 287-301; 0xFFFF for any other index. */
DWORD WINAPI opt_CustomPaperNumber(DWORD index);

/* opt_IsUserPaperSizeId: 1 for FunctionIDs 5889-5928. */
BOOL WINAPI opt_IsUserPaperSizeId(WORD functionId);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_PAPER_NUMBER_H */
