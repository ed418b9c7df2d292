/*
 * Font substitution: the device font the printer's substitution table names for a
 * TrueType face, and the device font that scores best against the face's metrics.
 */
#include "render/pdl/fontsub/font_substitution.h"

#include "core/stored/stored.h"
#include "render/pdl/fontsub/subst_private.h"

/* The score bytes of a substitution: on the stack for a few fonts, else a global-heap
 * block freed by sub_FreeScores. */
typedef struct ScoreBuffer {
    BYTE stack[SUBST_STACK_FONTS];
    SubstScores scores;
} ScoreBuffer;

/* Zeroed scores for count fonts; 0 when the block cannot be had. */
static bool sub_AllocScores(ScoreBuffer *buffer, DWORD count)
{
    buffer->scores.count = count;
    buffer->scores.max = 0;
    if (count <= SUBST_STACK_FONTS) {
        ZeroMemory(buffer->stack, sizeof buffer->stack);
        buffer->scores.score = buffer->stack;
        return true;
    }
    buffer->scores.score = (BYTE *)GlobalAlloc(GPTR, count);
    return buffer->scores.score != NULL;
}

static void sub_FreeScores(ScoreBuffer *buffer)
{
    if (buffer->scores.score != NULL && buffer->scores.score != buffer->stack) {
        GlobalFree(buffer->scores.score);
    }
    buffer->scores.score = NULL;
}

/* The first font with the highest score. */
static DWORD sub_Winner(const SubstScores *scores)
{
    for (DWORD i = 0; i < scores->count; ++i) {
        if (scores->score[i] == scores->max) {
            return i;
        }
    }
    return 0;
}

/* 1 when the face is italic: simulated, or by its metrics. */
static BOOL sub_IsItalic(FONTOBJ *pfo, const IFIMETRICS *pifi)
{
    return (pfo->flFontType & FO_SIM_ITALIC) != 0 || (pifi->fsSelection & FM_SEL_ITALIC) != 0;
}

LONG WINAPI fnt_SelectSubstTable(DWORD kind)
{
    return kind == SUBST_TABLE_SEVEN || kind == SUBST_TABLE_FIFTEEN ? 1 : 0;
}

/* The table passes once the table has named a substitute. */
static LONG sub_ScoreTableEntry(const SubstRequest *request, FONTOBJ *pfo, const WCHAR *substitute, DWORD *index)
{
    ScoreBuffer buffer;
    if (!sub_AllocScores(&buffer, request->fontCount)) {
        return SUBST_NO_MEMORY;
    }
    SubstScores *scores = &buffer.scores;
    LONG result = SUBST_NONE;
    fnt_ScoreTableName(scores, request->fonts, substitute);
    IFIMETRICS *pifi = scores->max == 0 ? NULL : FONTOBJ_pifi(pfo);
    if (scores->max != 0 && pifi == NULL) {
        result = SUBST_NO_METRICS;
    } else if (pifi != NULL) {
        BYTE before = scores->max;
        fnt_ScoreCharsetCompatible(scores, request->fonts, pifi->jWinCharSet);
        if (scores->max != before) {
            fnt_ScoreWeightItalic(scores, request->fonts, pifi->usWinWeight, sub_IsItalic(pfo, pifi));
            *index = sub_Winner(scores);
            result = SUBST_FOUND;
        }
    }
    sub_FreeScores(&buffer);
    return result;
}

LONG WINAPI fnt_FindSubstitute(const SubstRequest *request, FONTOBJ *pfo, const WCHAR *face, DWORD *index)
{
    if (request == NULL || request->tableHolder == NULL || pfo == NULL || face == NULL || index == NULL) {
        return SUBST_BAD_ARGUMENTS;
    }
    if (request->fontCount == 0 || request->fonts == NULL || face[0] == 0) {
        return SUBST_NONE;
    }
    if (*request->tableHolder == NULL) {
        *request->tableHolder = pd_GetFontSubTable(request->printer, 0);
        if (*request->tableHolder == NULL) {
            return SUBST_BAD_ARGUMENTS;
        }
    }
    const WCHAR *substitute = pd_LookupFontSub(*request->tableHolder, face);
    if (substitute == NULL) {
        return SUBST_NONE;
    }
    return sub_ScoreTableEntry(request, pfo, substitute, index);
}

LONG WINAPI fnt_MatchDeviceFont(const SubstRequest *request, FONTOBJ *pfo, const WCHAR *family, DWORD *index)
{
    LONG result = fnt_FindSubstitute(request, pfo, family, index);
    if (result != SUBST_NONE) {
        return result;
    }
    if (request->fontCount == 0 || request->fonts == NULL) {
        return SUBST_NONE;
    }
    IFIMETRICS *pifi = FONTOBJ_pifi(pfo);
    if (pifi == NULL) {
        return SUBST_NO_METRICS;
    }
    ScoreBuffer buffer;
    if (!sub_AllocScores(&buffer, request->fontCount)) {
        return SUBST_NO_MEMORY;
    }
    SubstScores *scores = &buffer.scores;
    fnt_ScoreCharsetExact(scores, request->fonts, pifi->jWinCharSet);
    BYTE before = scores->max;
    if (family[0] != 0) {
        fnt_ScoreFamilyGroup(scores, request->fonts, request->groupTable, family);
    }
    if (scores->max - before <= 1) {
        fnt_ScorePitchFamily(scores, request->fonts, pifi->jWinPitchAndFamily, family);
    }
    fnt_ScoreWeightItalic(scores, request->fonts, pifi->usWinWeight, sub_IsItalic(pfo, pifi));
    *index = sub_Winner(scores);
    sub_FreeScores(&buffer);
    return SUBST_FOUND;
}
