/*
 * The tray arithmetic of the option objects: the medium size code of a tray's media
 * dimensions, its fill level in percent, and the controller version text.
 */
#include "management/devices/psw_option_media.h"

#include <cstdio>

#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"

namespace {

/* One medium size: short and long edge in micrometres, and its code. */
struct PSWMediumSize {
    int32_t short_edge;
    int32_t long_edge;
    int32_t code;
};

/* The medium sizes, searched in this order. */
const PSWMediumSize kMediumSizes[] = {
    {215900, 279400, 1},     {215900, 355600, 2},     {254000, 330200, 3},     {228600, 304800, 4},
    {104775, 241300, 5},     {177800, 228600, 6},     {228600, 279400, 7},     {254000, 355600, 8},
    {152400, 228600, 10},    {254000, 381000, 11},    {431800, 558800, 15},    {558800, 863600, 16},
    {863600, 1117600, 17},   {841000, 1189000, 21},   {594000, 841000, 22},    {420000, 594000, 23},
    {297000, 420000, 24},    {210000, 297000, 25},    {148000, 210000, 26},    {105000, 148000, 27},
    {74000, 105000, 28},     {52000, 74000, 29},      {37000, 52000, 30},      {26000, 37000, 31},
    {1000000, 1414000, 41},  {707000, 1000000, 42},   {500000, 707000, 43},    {353000, 500000, 44},
    {250000, 353000, 45},    {176000, 250000, 46},    {125000, 176000, 47},    {88000, 125000, 48},
    {62000, 88000, 49},      {44000, 62000, 50},      {31000, 44000, 51},      {917000, 1297000, 61},
    {648000, 917000, 62},    {458000, 648000, 63},    {324000, 458000, 64},    {229000, 324000, 65},
    {162000, 229000, 66},    {114000, 162000, 67},    {81000, 114000, 68},     {57000, 81000, 69},
    {110000, 220000, 70},    {1030000, 1456000, 81},  {728000, 1030000, 82},   {515000, 728000, 83},
    {364000, 515000, 84},    {257000, 364000, 85},    {182000, 257000, 86},    {128000, 182000, 87},
    {91000, 128000, 88},     {64000, 91000, 89},      {45000, 64000, 90},      {32000, 45000, 91},
    {279400, 431800, 10001}, {215900, 330200, 10002}, {100000, 148000, 10003}, {267000, 388000, 10005},
    {194000, 267000, 10006}, {140000, 215900, 10007}, {203200, 254000, 10008}, {304800, 457200, 10009},
    {304800, 482600, 10010}, {320000, 457200, 10011}, {320000, 450000, 10012}, {120000, 235000, 10013},
};
static_assert(sizeof kMediumSizes / sizeof kMediumSizes[0] == 68, "68 medium sizes");

/* How far a tray's edge may be from a size's edge and still match it, in micrometres. */
constexpr int32_t kTolerance = 2000;

bool near(int32_t a, int32_t b)
{
    int64_t difference = (int64_t)a - (int64_t)b;
    return difference >= -kTolerance && difference <= kTolerance;
}

} // namespace

void psw_media_dimension_to_medium_size(int32_t unit, int32_t feed, int32_t cross_feed, int32_t *size_code,
                                        int32_t *direction)
{
    if (unit != PSW_UNIT_MICROMETRES || feed < 0 || cross_feed < 0)
        return;
    int32_t short_edge = feed < cross_feed ? feed : cross_feed;
    int32_t long_edge = feed < cross_feed ? cross_feed : feed;
    for (const PSWMediumSize &size : kMediumSizes) {
        if (near(short_edge, size.short_edge) && near(long_edge, size.long_edge)) {
            *size_code = size.code;
            *direction = feed >= cross_feed ? PSW_FEED_LONG_EDGE : PSW_FEED_SHORT_EDGE;
            return;
        }
    }
}

/* The percentage is computed in 64 bits: current x 100 + 50 overflows 32 bits above
 * 21,474,835 sheets. */
void psw_convert_medium_level(int32_t unit, int32_t maximum, int32_t current, int32_t *maximum_out, int32_t *percent)
{
    if (unit != PSW_UNIT_SHEETS)
        return;
    *maximum_out = maximum;
    if (current < 0 || maximum <= 0)
        *percent = -1;
    else
        *percent = (int32_t)(((int64_t)current * 100 + 50) / maximum);
}

int psw_parse_version_value(const char *text, int32_t *major, int32_t *minor, int32_t *revision)
{
    int a = 0, b = 0, c = 0;
    if (!text || std::sscanf(text, "Printer Controller v%d.%d.%d - Processor", &a, &b, &c) != 3) {
        pmc_log_write("PSW", PMC_LOG_ERROR, "invalid PrinterROMVersion format");
        return PMC_E_FAIL;
    }
    *major = a;
    *minor = b;
    *revision = c;
    return PMC_OK;
}
