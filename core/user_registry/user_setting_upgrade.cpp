/* The byte moves that turn user setting records of formats 1 to 3 into format 4. */
#include "core/user_registry/user_setting_upgrade.h"

#include <string.h>

/* One move: bytes from the old record's offset to the new record's. */
typedef struct UsiMove {
    WORD from;
    WORD to;
    WORD size;
} UsiMove;

enum {
    USI_UPGRADED_OFFSET = 640, /* FunctionID 5178 */
    USI_UPGRADED_VALUE = 7
};

static const UsiMove kFormat1Moves[] = {
    {72, 432, 64},
    {136, 496, 2},
    {138, 498, 24},
    {162, 522, 2},
    {164, 76, 48},
    {212, 124, 2},
    {214, 126, 8},
    {222, 134, 2},
    {224, 136, 2},
    {226, 138, 256},
    {482, 394, 2},
};

static const UsiMove kFormat2Moves[] = {
    {74, 76, 352},
    {426, 428, 2},
    {430, 432, 124},
    {554, 556, 2},
};

static const UsiMove kFormat3Moves[] = {
    {74, 76, 352},  {426, 428, 2},  {432, 432, 64}, {496, 496, 2},  {498, 498, 24}, {522, 522, 2},
    {524, 524, 32}, {556, 556, 2},  {558, 558, 64}, {622, 622, 2},  {624, 624, 1},  {628, 628, 4},
    {632, 632, 4},  {636, 636, 4},  {640, 640, 2},  {808, 642, 48}, {856, 690, 2},  {858, 692, 32},
    {890, 724, 2},  {642, 730, 64}, {706, 794, 2},  {708, 796, 32}, {740, 828, 2},  {742, 830, 64},
    {806, 894, 2},  {894, 896, 48}, {942, 944, 2},  {944, 946, 32}, {976, 978, 2},  {892, 980, 1},
};

/* The moves of each older format, by format number. */
static const struct {
    const UsiMove *moves;
    size_t count;
} kFormats[] = {
    {nullptr, 0},
    {kFormat1Moves, sizeof(kFormat1Moves) / sizeof(kFormat1Moves[0])},
    {kFormat2Moves, sizeof(kFormat2Moves) / sizeof(kFormat2Moves[0])},
    {kFormat3Moves, sizeof(kFormat3Moves) / sizeof(kFormat3Moves[0])},
};

BOOL WINAPI ureg_UpgradeUserSettingInfo(const void *old, UserSettingInfo *record, BOOL upgrade)
{
    if (old == nullptr || record == nullptr)
        return FALSE;
    WORD format;
    memcpy(&format, old, sizeof(format));
    if (format == USI_FORMAT) {
        memcpy(record, old, sizeof(*record));
        return TRUE;
    }
    if (format == 0 || format >= sizeof(kFormats) / sizeof(kFormats[0]))
        return FALSE;
    BYTE *to = (BYTE *)record;
    for (size_t i = 0; i < kFormats[format].count; i++) {
        const UsiMove &move = kFormats[format].moves[i];
        memcpy(to + move.to, (const BYTE *)old + move.from, move.size);
    }
    if (upgrade && format <= 2) {
        WORD value = USI_UPGRADED_VALUE;
        memcpy(to + USI_UPGRADED_OFFSET, &value, sizeof(value));
    }
    record->format = USI_FORMAT;
    return TRUE;
}
