/*
 * The tray arithmetic of the option objects: medium size codes, fill levels and the
 * controller version text.
 */
#include <gtest/gtest.h>

#include "management/devices/psw_device_status.h"
#include "management/devices/psw_option_media.h"
#include "management/tests/pmc_test_support.h"

namespace {

TEST(OptionMedia, MediumSizeCodes)
{
    struct Case {
        int32_t unit, feed, cross_feed, code, direction;
    } cases[] = {
        {4, 297000, 210000, 25, 3},    /* A4, long edge first */
        {4, 210000, 297000, 25, 2},    /* A4, short edge first */
        {4, 298000, 211000, 25, 3},    /* within 2000 µm */
        {4, 279400, 215900, 1, 3},     /* Letter: the first row */
        {4, 235000, 120000, 10013, 3}, /* the last row */
        {4, 300000, 213000, -7, -7},   /* 3 mm off: no row */
        {3, 297000, 210000, -7, -7},   /* another unit */
        {4, -297000, 210000, -7, -7},  /* a negative dimension */
    };
    for (const Case &c : cases) {
        int32_t code = -7, direction = -7;
        psw_media_dimension_to_medium_size(c.unit, c.feed, c.cross_feed, &code, &direction);
        EXPECT_EQ(c.code, code) << c.feed << " x " << c.cross_feed << " unit " << c.unit;
        EXPECT_EQ(c.direction, direction) << c.feed << " x " << c.cross_feed << " unit " << c.unit;
    }
}

TEST(OptionMedia, MediumLevels)
{
    struct Case {
        int32_t unit, maximum, current, maximum_out, percent;
    } cases[] = {
        {8, 500, 250, 500, 50},
        {8, 500, -3, 500, -1},
        {8, 0, 10, 0, -1},
        {8, 3, 1, 3, 50},                       /* (100 + 50) / 3 */
        {8, 3, 2, 3, 83},                       /* (200 + 50) / 3 */
        {8, 30000000, 30000000, 30000000, 100}, /* no 32-bit overflow */
        {7, 500, 250, -9, -9},                  /* another unit: nothing written */
    };
    for (const Case &c : cases) {
        int32_t maximum = -9, percent = -9;
        psw_convert_medium_level(c.unit, c.maximum, c.current, &maximum, &percent);
        EXPECT_EQ(c.maximum_out, maximum) << c.maximum << " " << c.current;
        EXPECT_EQ(c.percent, percent) << c.maximum << " " << c.current;
    }
}

TEST(OptionMedia, ControllerVersion)
{
    int32_t major = 0, minor = 0, revision = 0;
    EXPECT_EQ(PMC_OK, psw_parse_version_value("Printer Controller v1.2.3 - Processor", &major, &minor, &revision));
    EXPECT_EQ(1, major);
    EXPECT_EQ(2, minor);
    EXPECT_EQ(3, revision);
    RecordingOutput out;
    IPmcLogger *log = pmc_static_logger(PMC_LOGGER_PSW);
    log->add_output(&out);
    log->set_level_mask(PMC_LOG_ALL);
    log->set_header_flags(0);
    EXPECT_EQ(PMC_E_FAIL, psw_parse_version_value("Printer Controller 1.2.3", &major, &minor, &revision));
    EXPECT_EQ(1, major);
    pmc_log_shutdown();
    ASSERT_EQ(1u, out.lines.size());
    EXPECT_NE(std::string::npos, out.lines[0].find("invalid PrinterROMVersion format"));
}

} // namespace

namespace {

TEST(StatusTypes, TypeIdentifiersMapToTheirLastNumber)
{
    struct Case {
        PSWStatusTable table;
        const char *text;
        int32_t code;
    } cases[] = {
        {PSW_TABLE_STORAGE, "1.3.6.1.2.1.25.2.1.4", 4},
        {PSW_TABLE_STORAGE, "1.3.6.1.2.1.25.2.1.9", 0},
        {PSW_TABLE_STORAGE, "1.3.6.1.2.1.25.2.1.4.1", 0},
        {PSW_TABLE_DEVICE, "1.3.6.1.2.1.25.3.1.5", 5},
        {PSW_TABLE_DEVICE, "1.3.6.1.2.1.25.3.1.8", 0},
        {PSW_TABLE_DEVICE, "1.3.6.1.2.1.25.3.1.21", 21},
        {PSW_TABLE_DEVICE, "1.3.6.1.4.1.99941.8.52.2.153", 153},
        {PSW_TABLE_DEVICE, "1.3.6.1.4.1.99941.8.52.2.110", 0},
        {PSW_TABLE_DEVICE, "1.3.6.1.2.1.25.2.1.4", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.code, psw_map_type(c.table, c.text)) << c.text;
}

} // namespace

namespace {

TEST(StatusTypes, DateAndTime)
{
    const uint8_t full[] = {0x07, 0xD9, 0x0C, 0x1F, 0x17, 0x3B, 0x3A, 0x00};
    PSWDateTime time;
    psw_decode_date_time(full, sizeof full, &time);
    EXPECT_EQ(2009, time.year);
    EXPECT_EQ(12, time.month);
    EXPECT_EQ(31, time.day);
    EXPECT_EQ(23, time.hour);
    EXPECT_EQ(59, time.minutes);
    EXPECT_EQ(58, time.seconds);
    psw_decode_date_time(full, 5, &time); /* too short: all zero, nothing read past it */
    EXPECT_EQ(0, time.year);
    EXPECT_EQ(0, time.seconds);
}

} // namespace
