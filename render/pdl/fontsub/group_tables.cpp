/*
 * The family group tables (groups of equivalent face names) and the look-alike lists of
 * font substitution, with the name comparisons that read them.
 */
#include "render/pdl/fontsub/subst_private.h"

#include <string.h>

/* Longest name part fnt_CompareFacePrefix compares. */
static const int kPrefixChars = 64;

/* The 15-group table: one row per group, each ended by NULL. */
static const WCHAR *const kGroupMinchoL[] = {TEXT("QM リョービ 本明朝-L"), TEXT("平成明朝"), TEXT("ＭＳ 明朝"), NULL};
static const WCHAR *const kGroupMinchoP[] = {TEXT("QM リョービ P本明朝-L"), TEXT("ＭＳ Ｐ明朝"), NULL};
static const WCHAR *const kGroupMinchoLV[] = {
    TEXT("@QM リョービ 本明朝-L"), TEXT("@平成明朝"), TEXT("@ＭＳ 明朝"), NULL};
static const WCHAR *const kGroupMinchoPV[] = {TEXT("@QM リョービ P本明朝-L"), TEXT("@ＭＳ Ｐ明朝"), NULL};
static const WCHAR *const kGroupGothicB[] = {
    TEXT("QM リョービ ゴシック-B"), TEXT("平成角ゴシック"), TEXT("ＭＳ ゴシック"), NULL};
static const WCHAR *const kGroupGothicP[] = {TEXT("QM リョービ Pゴシック-B"), TEXT("ＭＳ Ｐゴシック"), NULL};
static const WCHAR *const kGroupGothicBV[] = {
    TEXT("@QM リョービ ゴシック-B"), TEXT("@平成角ゴシック"), TEXT("@ＭＳ ゴシック"), NULL};
static const WCHAR *const kGroupGothicPV[] = {TEXT("@QM リョービ Pゴシック-B"), TEXT("@ＭＳ Ｐゴシック"), NULL};
static const WCHAR *const kGroupSwiss[] = {
    TEXT("Arial"), TEXT("CS Triumvirate"), TEXT("Helv"), TEXT("Helvetica"), TEXT("Swiss"), NULL};
static const WCHAR *const kGroupCourier[] = {TEXT("Courier New"), TEXT("CS Courier"), TEXT("Courier"), NULL};
static const WCHAR *const kGroupTimes[] = {TEXT("Times New Roman"),
                                           TEXT("CS Times Roman"),
                                           TEXT("Tms Rmn"),
                                           TEXT("Times Roman"),
                                           TEXT("TimesRoman"),
                                           TEXT("Times"),
                                           TEXT("TmsRmn"),
                                           TEXT("Varitimes"),
                                           TEXT("Dutch"),
                                           TEXT("TimesNewRomanPS"),
                                           NULL};
static const WCHAR *const kGroupBookman[] = {TEXT("Bookman Old Style"), TEXT("ITC Bookman"), TEXT("Bookman"), NULL};
static const WCHAR *const kGroupCentury[] = {TEXT("Century"), TEXT("Classic"), NULL};
static const WCHAR *const kGroupSchoolbook[] = {TEXT("Century Schoolbook"),
                                                TEXT("NewCenturySchlbk"),
                                                TEXT("NewCenturySchoolBook"),
                                                TEXT("New Century SchoolBook"),
                                                TEXT("CenturySchoolBook"),
                                                NULL};
static const WCHAR *const kGroupAntiqua[] = {TEXT("Book Antiqua"),
                                             TEXT("Modern"),
                                             TEXT("Bookman Antiqua"),
                                             TEXT("Zapf Calligraphic"),
                                             TEXT("ZapfCalligraphic"),
                                             TEXT("Paratino"),
                                             NULL};

static const WCHAR *const *const kFifteenGroups[] = {kGroupMinchoL,
                                                     kGroupMinchoP,
                                                     kGroupMinchoLV,
                                                     kGroupMinchoPV,
                                                     kGroupGothicB,
                                                     kGroupGothicP,
                                                     kGroupGothicBV,
                                                     kGroupGothicPV,
                                                     kGroupSwiss,
                                                     kGroupCourier,
                                                     kGroupTimes,
                                                     kGroupBookman,
                                                     kGroupCentury,
                                                     kGroupSchoolbook,
                                                     kGroupAntiqua};

/* The 7-group table: groups 0, 2, 4, 6, 8, 9 and 10 of the 15-group table. */
static const WCHAR *const *const kSevenGroups[] = {
    kGroupMinchoL, kGroupMinchoLV, kGroupGothicB, kGroupGothicBV, kGroupSwiss, kGroupCourier, kGroupTimes};

typedef struct GroupTable {
    const WCHAR *const *const *groups;
    DWORD count;
} GroupTable;

static const GroupTable kGroupTables[] = {
    {kSevenGroups, sizeof kSevenGroups / sizeof kSevenGroups[0]},
    {kFifteenGroups, sizeof kFifteenGroups / sizeof kFifteenGroups[0]},
};

/* Faces that declare the Swiss family but look roman, and those that look modern. */
static const WCHAR *const kLooksRoman[] = {
    TEXT("Century"), TEXT("Century Gothic"), TEXT("Colonna MT"), TEXT("Footlight MT Light"), TEXT("Garamond"), NULL};
static const WCHAR *const kLooksModern[] = {
    TEXT("Arial"), TEXT("Arial Black"), TEXT("Arial Narrow"), TEXT("Arial Rounded MT Bold"), TEXT("Kino MT"), NULL};
static const WCHAR *const *const kLookAlikes[] = {kLooksRoman, kLooksModern};

/* The group of a table, NULL when either does not exist. */
static const WCHAR *const *group_Names(DWORD table, DWORD group)
{
    if (table >= sizeof kGroupTables / sizeof kGroupTables[0] || group >= kGroupTables[table].count) {
        return NULL;
    }
    return kGroupTables[table].groups[group];
}

BOOL WINAPI fnt_GetSubstGroup(DWORD table, DWORD *count, DWORD request, WCHAR **name, DWORD group, DWORD index)
{
    if (table >= sizeof kGroupTables / sizeof kGroupTables[0]) {
        return FALSE;
    }
    if (request == SUBST_GROUP_COUNT) {
        if (count == NULL) {
            return FALSE;
        }
        *count = kGroupTables[table].count;
        return TRUE;
    }
    const WCHAR *const *names = group_Names(table, group);
    if (request != SUBST_GROUP_NAME || name == NULL || names == NULL) {
        return FALSE;
    }
    *name = NULL;
    DWORD i = 0;
    while (i < index && names[i] != NULL) {
        ++i;
    }
    if (names[i] == NULL) {
        return TRUE;
    }
    DWORD bytes = (DWORD)(lstrlenW(names[i]) + 1) * sizeof(WCHAR);
    *name = (WCHAR *)GlobalAlloc(GMEM_FIXED, bytes);
    if (*name == NULL) {
        return FALSE;
    }
    memcpy(*name, names[i], bytes);
    return TRUE;
}

int WINAPI fnt_CompareFacePrefix(const WCHAR *a, const WCHAR *b)
{
    if (a == NULL || b == NULL) {
        return 1;
    }
    int length = lstrlenW(a) < lstrlenW(b) ? lstrlenW(a) : lstrlenW(b);
    if (length > kPrefixChars) {
        length = kPrefixChars;
    }
    WCHAR left[kPrefixChars + 1];
    WCHAR right[kPrefixChars + 1];
    memcpy(left, a, length * sizeof(WCHAR));
    memcpy(right, b, length * sizeof(WCHAR));
    left[length] = 0;
    right[length] = 0;
    return lstrcmpiW(left, right);
}

BOOL WINAPI fnt_IsInGroup(DWORD table, const WCHAR *name, DWORD group)
{
    const WCHAR *const *names = group_Names(table, group);
    for (DWORD i = 0; names != NULL && names[i] != NULL; ++i) {
        if (fnt_CompareFacePrefix(name, names[i]) == 0) {
            return TRUE;
        }
    }
    return FALSE;
}

LONG fnt_FindGroup(DWORD table, const WCHAR *face)
{
    if (table >= sizeof kGroupTables / sizeof kGroupTables[0]) {
        return -1;
    }
    for (DWORD group = 0; group < kGroupTables[table].count; ++group) {
        if (fnt_IsInGroup(table, face, group)) {
            return (LONG)group;
        }
    }
    return -1;
}

BOOL fnt_IsLookAlike(DWORD list, const WCHAR *face)
{
    if (list >= sizeof kLookAlikes / sizeof kLookAlikes[0] || face == NULL) {
        return FALSE;
    }
    for (const WCHAR *const *name = kLookAlikes[list]; *name != NULL; ++name) {
        if (lstrcmpiW(*name, face) == 0) {
            return TRUE;
        }
    }
    return FALSE;
}
