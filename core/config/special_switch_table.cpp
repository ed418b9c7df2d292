/*
 * The switch table of the special settings: what each switch applies when it is on. Every
 * entry applies as an enforced item; switch 999 ("LOG") applies nothing.
 */
#include "core/config/special_settings.h"

static const SpecialSwitchItem kUseSpecial1[] = {{5153, 1}};   /* Special1 on */
static const SpecialSwitchItem kMonocolorPrint[] = {{270, 1}}; /* ColorMode gray */
static const SpecialSwitchItem kSecurePrint[] = {{334, 1}};    /* JobType secure print */
static const SpecialSwitchItem kBannerPrint[] = {{332, 1}};    /* banner on */
static const SpecialSwitchItem kDuplexLong[] = {{16, 2}};      /* duplex long edge */
static const SpecialSwitchItem kDuplexShort[] = {{16, 3}};     /* duplex short edge */

const SpecialSwitchRow g_SpecialSwitchTable[SPECIAL_SWITCH_ROWS + 1] = {
    {0, 1, kUseSpecial1},
    {1, 1, kMonocolorPrint},
    {2, 1, kSecurePrint},
    {3, 1, kBannerPrint},
    {4, 1, kDuplexLong},
    {5, 1, kDuplexShort},
    {SPECIAL_SWITCH_NONE, 0, nullptr},
    {SPECIAL_SWITCH_END, 0, nullptr},
};
