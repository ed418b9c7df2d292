/*
 * The scoring passes of font substitution and the family group tables they read.
 */
#ifndef QM_RENDER_PDL_FONTSUB_SUBST_PRIVATE_H
#define QM_RENDER_PDL_FONTSUB_SUBST_PRIVATE_H

#include <windows.h>
#include <winddi.h>

#include "render/pdl/fontsub/font_substitution.h"

/* SubstScores: one score byte per device font and the running maximum. */
typedef struct SubstScores {
    BYTE *score;
    DWORD count;
    BYTE max;
} SubstScores;

/* The face lists of the family pass: faces declaring the Swiss family that look roman
 * or modern. */
#define SUBST_LOOKS_ROMAN 0
#define SUBST_LOOKS_MODERN 1

/* fnt_FindGroup: the first group of table holding a name that matches face; -1 when none. */
LONG fnt_FindGroup(DWORD table, const WCHAR *face);
/* fnt_IsLookAlike: 1 when face (case-insensitive) is in list SUBST_LOOKS_*. */
BOOL fnt_IsLookAlike(DWORD list, const WCHAR *face);

/* The passes. Each adds only to the fonts whose score equals the maximum when it starts,
 * then raises the maximum. */
void fnt_ScoreTableName(SubstScores *scores, const DeviceFontEntry *fonts, const WCHAR *name);
void fnt_ScoreCharsetCompatible(SubstScores *scores, const DeviceFontEntry *fonts, BYTE charSet);
void fnt_ScoreCharsetExact(SubstScores *scores, const DeviceFontEntry *fonts, BYTE charSet);
void fnt_ScoreFamilyGroup(SubstScores *scores, const DeviceFontEntry *fonts, DWORD table, const WCHAR *family);
void fnt_ScorePitchFamily(SubstScores *scores, const DeviceFontEntry *fonts, BYTE pitchAndFamily, const WCHAR *face);
void fnt_ScoreWeightItalic(SubstScores *scores, const DeviceFontEntry *fonts, WORD weight, BOOL italic);

#endif /* QM_RENDER_PDL_FONTSUB_SUBST_PRIVATE_H */
