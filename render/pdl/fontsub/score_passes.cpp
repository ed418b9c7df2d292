/*
 * The scoring passes of font substitution. Each adds only to the device fonts whose score
 * equals the maximum when the pass starts, then raises the maximum.
 */
#include "render/pdl/fontsub/subst_private.h"

/* Character sets below this one (ANSI, default, symbol) count as compatible. */
static const BYTE kFirstOwnCharset = 3;
/* The Swiss family of the pitch and family byte, and the roman and modern ones. */
static const BYTE kFamilySwiss = 0x20;
static const BYTE kFamilyRoman = 0x10;
static const BYTE kFamilyModern = 0x30;

/* The weight and italics bases: both italic, the face alone, neither, the device font alone. */
static const int kBaseBothItalic = 57;
static const int kBaseFaceItalic = 45;
static const int kBaseUpright = 57;
static const int kBaseDeviceItalic = 0;

/* The maximum raised to the highest score. */
static void score_RaiseMax(SubstScores *scores)
{
    for (DWORD i = 0; i < scores->count; ++i) {
        if (scores->score[i] > scores->max) {
            scores->max = scores->score[i];
        }
    }
}

/* 1 when the name begins with "@" (a vertical face). */
static bool score_IsVertical(const WCHAR *name)
{
    return name != NULL && name[0] == '@';
}

void fnt_ScoreTableName(SubstScores *scores, const DeviceFontEntry *fonts, const WCHAR *name)
{
    BYTE start = scores->max;
    for (DWORD i = 0; i < scores->count; ++i) {
        if (scores->score[i] == start && lstrcmpW(fonts[i].faceName, name) == 0) {
            scores->score[i] += 2;
        }
    }
    score_RaiseMax(scores);
}

void fnt_ScoreCharsetCompatible(SubstScores *scores, const DeviceFontEntry *fonts, BYTE charSet)
{
    BYTE start = scores->max;
    for (DWORD i = 0; i < scores->count; ++i) {
        BYTE device = fonts[i].charSet;
        bool compatible = (device < kFirstOwnCharset && charSet < kFirstOwnCharset) || device == charSet;
        if (scores->score[i] == start && compatible) {
            scores->score[i] += 16;
        }
    }
    score_RaiseMax(scores);
}

void fnt_ScoreCharsetExact(SubstScores *scores, const DeviceFontEntry *fonts, BYTE charSet)
{
    BYTE start = scores->max;
    for (DWORD i = 0; i < scores->count; ++i) {
        if (scores->score[i] == start && fonts[i].charSet == charSet) {
            scores->score[i] += 16;
        }
    }
    score_RaiseMax(scores);
}

void fnt_ScoreFamilyGroup(SubstScores *scores, const DeviceFontEntry *fonts, DWORD table, const WCHAR *family)
{
    BYTE start = scores->max;
    LONG group = fnt_FindGroup(table, family);
    for (DWORD i = 0; i < scores->count; ++i) {
        if (scores->score[i] != start || score_IsVertical(fonts[i].faceName) != score_IsVertical(family)) {
            continue;
        }
        BYTE add = 1;
        if (group >= 0 && fnt_IsInGroup(table, fonts[i].faceName, (DWORD)group)) {
            add = 2;
        } else if (lstrcmpiW(fonts[i].faceName, family) == 0) {
            add = 4;
        }
        scores->score[i] += add;
    }
    score_RaiseMax(scores);
}

void fnt_ScorePitchFamily(SubstScores *scores, const DeviceFontEntry *fonts, BYTE pitchAndFamily, const WCHAR *face)
{
    BYTE start = scores->max;
    BYTE pitch = pitchAndFamily & 3;
    BYTE family = pitchAndFamily & 0xF0;
    for (DWORD i = 0; i < scores->count; ++i) {
        if (scores->score[i] != start) {
            continue;
        }
        BYTE device = fonts[i].pitchAndFamily;
        BYTE add = 0;
        if (((device & 1) && pitch == 2) || (!(device & 1) && pitch == 1)) {
            add += 16;
        }
        if ((device & 0xF0) == family) {
            add += 8;
        }
        if (family == kFamilySwiss &&
            (((device & 0xF0) == kFamilyRoman && fnt_IsLookAlike(SUBST_LOOKS_ROMAN, face)) ||
             ((device & 0xF0) == kFamilyModern && fnt_IsLookAlike(SUBST_LOOKS_MODERN, face)))) {
            add += 4;
        }
        scores->score[i] += add;
    }
    score_RaiseMax(scores);
}

void fnt_ScoreWeightItalic(SubstScores *scores, const DeviceFontEntry *fonts, WORD weight, BOOL italic)
{
    BYTE start = scores->max;
    for (DWORD i = 0; i < scores->count; ++i) {
        if (scores->score[i] != start) {
            continue;
        }
        bool deviceItalic = fonts[i].italic != 0;
        int base = italic ? (deviceItalic ? kBaseBothItalic : kBaseFaceItalic)
                          : (deviceItalic ? kBaseDeviceItalic : kBaseUpright);
        int w = weight;
        int v = fonts[i].weight;
        int term = base + 40 - (w > v ? w - v : v - w) / 100 - (w < v ? 30 : 0);
        // A device weight far above the face's (record weights may exceed 1000) would
        // wrap a negative term into a high score: it adds nothing instead.
        if (term < 0) {
            term = 0;
        }
        scores->score[i] = (BYTE)(scores->score[i] + (term % 256));
    }
    score_RaiseMax(scores);
}
