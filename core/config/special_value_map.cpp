/*
 * The value map of the special settings: per FunctionID of the item name table, the
 * configuration values it accepts and the setting value each writes. Values are written as
 * they stand unless the setting's options number them otherwise: duplex "off" is simplex
 * (1), and finisher A, named 10 in the file, is option 8. A value not listed is not applied.
 */
#include "core/config/special_settings.h"

static const SpecialValuePair kOnOff[] = {{0, 0}, {1, 1}};
static const SpecialValuePair kZeroToTwo[] = {{0, 0}, {1, 1}, {2, 2}};
static const SpecialValuePair kZeroToThree[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
static const SpecialValuePair kZeroToFour[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}};
static const SpecialValuePair kZeroToNine[] = {
    {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}};
static const SpecialValuePair kDuplex[] = {{0, 1}, {1, 1}, {2, 2}, {3, 3}};
static const SpecialValuePair kFinisher[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {10, 8}};

#define PAIRS(list) (WORD)(sizeof(list) / sizeof(list[0])), list

const SpecialValueMapRow g_SpecialValueMap[SPECIAL_MAP_ROWS] = {
    {5153, PAIRS(kOnOff)},       /* Special1 */
    {270, PAIRS(kZeroToTwo)},    /* ColorMode: auto, gray, color */
    {334, PAIRS(kZeroToFour)},   /* JobType: normal, secure, sample, box, delay */
    {16, PAIRS(kDuplex)},        /* duplex: simplex, long edge, short edge */
    {332, PAIRS(kOnOff)},        /* banner */
    {458, PAIRS(kZeroToNine)},   /* BannerSheet: source option */
    {320, PAIRS(kZeroToNine)},   /* staple position */
    {341, PAIRS(kZeroToNine)},   /* punch position */
    {1335, PAIRS(kZeroToTwo)},   /* fonttype */
    {292, PAIRS(kOnOff)},        /* font_subst */
    {5163, PAIRS(kZeroToTwo)},   /* AccountMode */
    {5164, PAIRS(kOnOff)},       /* popup_admin */
    {5165, PAIRS(kOnOff)},       /* popup_user */
    {4362, PAIRS(kZeroToThree)}, /* Option_HiCapacityTray */
    {4108, PAIRS(kOnOff)},       /* Option_SideTray */
    {4121, PAIRS(kOnOff)},       /* Option_FoldedPaperTray */
    {4122, PAIRS(kOnOff)},       /* Option_BookletTray */
    {4110, PAIRS(kOnOff)},       /* Option_Interposer */
    {4363, PAIRS(kZeroToTwo)},   /* Punch_Hole: 2 holes, 3 holes */
    {4103, PAIRS(kOnOff)},       /* Option_Duplex */
    {4098, PAIRS(kOnOff)},       /* Option_OCT */
    {4099, PAIRS(kOnOff)},       /* Option_HardDisk */
    {4355, PAIRS(kZeroToNine)},  /* Option_MemorySelect */
    {4125, PAIRS(kOnOff)},       /* Option_FaxKit */
    {4356, PAIRS(kZeroToFour)},  /* Paper_Setting: paper series */
    {4358, PAIRS(kOnOff)},       /* Paper_Switch_8K16K: traditional, simplified */
    {4127, PAIRS(kOnOff)},       /* Option_Glossy */
    {4126, PAIRS(kOnOff)},       /* Option_Exit2 */
    {4113, PAIRS(kOnOff)},       /* Option_PBExp */
    {4357, PAIRS(kZeroToFour)},  /* Option_InTray */
    {4359, PAIRS(kFinisher)},    /* Option_Finisher */
    {4368, PAIRS(kZeroToTwo)},   /* Option_HCS */
    {4369, PAIRS(kZeroToTwo)},   /* Option_FaxCardType: none, mini, PC card */
    {4144, PAIRS(kOnOff)},       /* Option_RingPuncher */
    {4143, PAIRS(kOnOff)},       /* Option_TrimmerSquareFold */
    {4142, PAIRS(kOnOff)},       /* Option_SIPFax */
    {0, 0, nullptr},
};
