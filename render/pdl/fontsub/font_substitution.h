/*
 * Font substitution: which device font of the printer prints a TrueType face. The answer
 * comes from the printer's font substitution table and, when the job allows it, from a
 * scoring of every device font against the face's metrics: name, character set, family
 * groups of equivalent faces, pitch and family, weight and italics.
 *
 * Scoring keeps one byte per device font and the running maximum M; every pass adds only
 * to the fonts whose score equals M when the pass starts, then raises M. The answer is the
 * first (lowest index) font with score M.
 */
#ifndef QM_RENDER_PDL_FONTSUB_FONT_SUBSTITUTION_H
#define QM_RENDER_PDL_FONTSUB_FONT_SUBSTITUTION_H

#include <windows.h>
#include <winddi.h>

#include "render/pdl/fonts/fonts.h"

/* The two family group tables. */
#define SUBST_TABLE_SEVEN 0
#define SUBST_TABLE_FIFTEEN 1

/* Requests of fnt_GetSubstGroup. */
#define SUBST_GROUP_COUNT 1
#define SUBST_GROUP_NAME 2

/* Answers of fnt_FindSubstitute and fnt_MatchDeviceFont. */
#define SUBST_NONE 1
#define SUBST_FOUND 2
#define SUBST_NO_MEMORY 3
#define SUBST_NO_METRICS 4
#define SUBST_BAD_ARGUMENTS 5

/* Fonts whose scores are kept on the stack; more take a global-heap block. */
#define SUBST_STACK_FONTS 80

/*
 * SubstRequest: what a substitution asks about besides the font. The job's printer
 * substitution table is read into *tableHolder at the first use (the caller owns and
 * frees it, global heap); groupTable is the job's choice of family group table.
 */
typedef struct SubstRequest {
    WCHAR **tableHolder;
    HANDLE printer;
    DWORD groupTable; /* SUBST_TABLE_* */
    DWORD fontCount;
    const DeviceFontEntry *fonts; /* fontCount entries, index 0 first */
} SubstRequest;

#ifdef __cplusplus
extern "C" {
#endif

/* fnt_SelectSubstTable: checks a family group table kind for a job (SUBST_TABLE_*): 1
 * for one of the two, 0 for any other kind. The job keeps its own choice. */
LONG WINAPI fnt_SelectSubstTable(DWORD kind);

/* fnt_GetSubstGroup: request SUBST_GROUP_COUNT: *count the groups of table. Request
 * SUBST_GROUP_NAME: *name a global-heap copy of name `index` of `group` (NULL when the
 * group has no more names). 1, or 0 for a table, group or request that does not exist or
 * no memory. */
BOOL WINAPI fnt_GetSubstGroup(DWORD table, DWORD *count, DWORD request, WCHAR **name, DWORD group, DWORD index);

/* fnt_FindSubstitute: the device font the substitution table names for face. SUBST_FOUND
 * with *index written, SUBST_NONE, SUBST_NO_MEMORY, SUBST_NO_METRICS or
 * SUBST_BAD_ARGUMENTS (also when the table cannot be had). */
LONG WINAPI fnt_FindSubstitute(const SubstRequest *request, FONTOBJ *pfo, const WCHAR *face, DWORD *index);

/* fnt_MatchDeviceFont: fnt_FindSubstitute, and when it finds none the full scoring with
 * the face's family name. Answers as fnt_FindSubstitute. */
LONG WINAPI fnt_MatchDeviceFont(const SubstRequest *request, FONTOBJ *pfo, const WCHAR *family, DWORD *index);

/* fnt_IsInGroup: 1 when name matches a name of group `group` of table (fnt_CompareFacePrefix). */
BOOL WINAPI fnt_IsInGroup(DWORD table, const WCHAR *name, DWORD group);

/* fnt_CompareFacePrefix: compares a and b case-insensitively over the length of the
 * shorter name: 0 when equal there, else non-zero. */
int WINAPI fnt_CompareFacePrefix(const WCHAR *a, const WCHAR *b);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_FONTSUB_FONT_SUBSTITUTION_H */
