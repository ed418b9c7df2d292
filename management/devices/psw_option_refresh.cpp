/*
 * The refresh steps of the option object, each one get-data request: system name, device
 * table, input and output trays, memory, media paths, NetWare unit name, device settings,
 * booklet unit, and the finisher's supplies. Texts from the printer are cut to their field.
 */
#include <cstdio>
#include <cstring>

#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"
#include "management/devices/psw_dev_comm_option.h"
#include "management/devices/psw_option_media.h"
#include "management/devices/psw_request_support.h"
#include "management/requests/pmc_request.h"

namespace {

/* Device indexes of the device table that the steps look at. */
constexpr int32_t kDeviceController = 10;
constexpr int32_t kDeviceFinisher = 123;
constexpr int32_t kDeviceBooklet = 124;
constexpr int32_t kDeviceTrimmer = 165;
/* hrDeviceStatus running. */
constexpr int32_t kDeviceRunning = 2;
/* prtInputType sheetFeedManual. */
constexpr int32_t kInputManualFeeder = 5;
/* prtOutputOffsetStacking: the output offsets its stacks. */
constexpr int32_t kOutputOffsetStacking = 3;
/* prtMediaPathType: long-edge and short-edge binding duplex. */
constexpr int32_t kPathLongEdgeDuplex = 3;
constexpr int32_t kPathShortEdgeDuplex = 4;
/* prtMarkerSuppliesType staples. */
constexpr int32_t kSupplyStaples = 32;

/* The defaults of a tray whose size or level is not known. */
constexpr int32_t kUnknownMediumSize = 10000;
constexpr int32_t kUnknownDirection = 1;
constexpr int32_t kUnknownLevel = -1;

/* The booklet unit's text is read up to this size (with the NUL). */
constexpr uint32_t kTextSize = 256;

const char kSysName[] = "1.3.6.1.2.1.1.5";
const char kMemorySize[] = "1.3.6.1.2.1.25.2.2";
const char kNetWareUnitName[] = "1.3.6.1.4.1.99941.8.64.4.2.1.7.10.19159104";
const char kBookletInfo[] = "1.3.6.1.4.1.99941.8.53.13.2.1.8.124.6.1";

const char *const kDeviceColumns[] = {"1.3.6.1.2.1.25.3.2.1.1", "1.3.6.1.2.1.25.3.2.1.5", "1.3.6.1.2.1.25.3.2.1.3"};
const char *const kInputColumns[] = {"1.3.6.1.2.1.43.8.2.1.2",
                                     "1.3.6.1.2.1.43.8.2.1.3",
                                     "1.3.6.1.2.1.43.8.2.1.6",
                                     "1.3.6.1.2.1.43.8.2.1.7",
                                     "1.3.6.1.2.1.43.8.2.1.8",
                                     "1.3.6.1.2.1.43.8.2.1.9",
                                     "1.3.6.1.2.1.43.8.2.1.10",
                                     "1.3.6.1.2.1.43.8.2.1.13",
                                     "1.3.6.1.2.1.43.8.2.1.18",
                                     "1.3.6.1.2.1.43.8.2.1.21"};
enum InputColumn {
    IN_TYPE,
    IN_UNIT,
    IN_FEED,
    IN_CROSS_FEED,
    IN_CAPACITY_UNIT,
    IN_MAX_CAPACITY,
    IN_LEVEL,
    IN_NAME,
    IN_DESCRIPTION,
    IN_MEDIA_TYPE
};
const char *const kOutputColumns[] = {"1.3.6.1.2.1.43.9.2.1.2", "1.3.6.1.2.1.43.9.2.1.7", "1.3.6.1.2.1.43.9.2.1.24"};
const char *const kMediaPathColumns[] = {"1.3.6.1.2.1.43.13.4.1.9"};
const char *const kSupplyColumns[] = {"1.3.6.1.2.1.43.11.1.1.5"};

/* The device settings: five always, the last two with a trimmer unit. */
const char *const kSettings[] = {"1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.1",
                                 "1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.2",
                                 "1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.5",
                                 "1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.6",
                                 "1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.7",
                                 "1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.10",
                                 "1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.11"};
constexpr uint32_t kSettingsAlways = 5;

#define PSW_LIST(list) list, (uint32_t)(sizeof list / sizeof list[0])

/* finish_get: releases the request; the Error line when its GET failed. */
int32_t finish_get(IPmcGetDataRequest *request, int32_t code)
{
    request->release();
    return code == PMC_OK ? PMC_OK : psw_log_failure("pGetData->get_data()", code);
}

} // namespace

int32_t CPSWDevCommOption::get_text(const char *oid, bool scalar, char *field, uint32_t size) const
{
    IPmcGetDataRequest *request = nullptr;
    int32_t code = open_step(&oid, 1, scalar, &request);
    if (code != PMC_OK)
        return code;
    return finish_get(request, request->get_string(field, size));
}

int32_t CPSWDevCommOption::refresh_system_attributes()
{
    return get_text(kSysName, true, m_sys_name, sizeof m_sys_name);
}

int32_t CPSWDevCommOption::refresh_netware_attributes()
{
    return get_text(kNetWareUnitName, false, m_netware_unit_name, sizeof m_netware_unit_name);
}

/* Every row is looked at; the first 50 are kept. The controller's row (index 10) gives
 * the version text, and the step's result is that of reading it. */
int32_t CPSWDevCommOption::refresh_hrdevice_table()
{
    CPmcObjectList *rows = nullptr;
    int32_t code = walk_step(PSW_LIST(kDeviceColumns), &rows);
    if (code != PMC_OK)
        return code;
    PSWRowCursor cursor(rows);
    while (IPmsVarBindList *row = cursor.next()) {
        OptionDevice device = {};
        device.index = psw_row_number(row, 0);
        device.status = psw_row_number(row, 1);
        psw_row_text(row, 2, device.description, sizeof device.description);
        if (device.index == kDeviceController) {
            std::memcpy(m_rom_version, device.description, sizeof m_rom_version);
            code = parse_version_value();
        }
        if (device.index == 105 && device.status == kDeviceRunning)
            m_device105_running = true;
        if (device.index == 108 && device.status == kDeviceRunning)
            m_device108_running = true;
        if (m_device_count < PSW_OPTION_DEVICES_MAX)
            m_devices[m_device_count++] = device;
    }
    return code;
}

int32_t CPSWDevCommOption::refresh_input_tray_table()
{
    CPmcObjectList *rows = nullptr;
    int32_t code = walk_step(PSW_LIST(kInputColumns), &rows);
    if (code != PMC_OK)
        return code;
    PSWRowCursor cursor(rows);
    int32_t number = 0;
    while (IPmsVarBindList *row = cursor.next()) {
        OptionInputTray tray = {};
        tray.index = ++number;
        tray.type = psw_row_number(row, IN_TYPE);
        tray.media_size = kUnknownMediumSize;
        tray.media_direction = kUnknownDirection;
        tray.feed_dimension = psw_row_number(row, IN_FEED);
        tray.cross_feed_dimension = psw_row_number(row, IN_CROSS_FEED);
        MediaDimensionToMediumSize(psw_row_number(row, IN_UNIT),
                                   tray.feed_dimension,
                                   tray.cross_feed_dimension,
                                   &tray.media_size,
                                   &tray.media_direction);
        tray.max_capacity = kUnknownLevel;
        tray.current_level = kUnknownLevel;
        ConvertMediumLevel(psw_row_number(row, IN_CAPACITY_UNIT),
                           psw_row_number(row, IN_MAX_CAPACITY),
                           psw_row_number(row, IN_LEVEL),
                           &tray.max_capacity,
                           &tray.current_level);
        psw_row_text(row, IN_NAME, tray.name, sizeof tray.name);
        psw_row_text(row, IN_DESCRIPTION, tray.description, sizeof tray.description);
        psw_row_text(row, IN_MEDIA_TYPE, tray.media_type, sizeof tray.media_type);
        if (tray.type == kInputManualFeeder)
            m_manual_feeder = true;
        if (m_input_tray_count < PSW_OPTION_TRAYS_MAX)
            m_input_trays[m_input_tray_count++] = tray;
    }
    return PMC_OK;
}

int32_t CPSWDevCommOption::refresh_output_tray_table()
{
    CPmcObjectList *rows = nullptr;
    int32_t code = walk_step(PSW_LIST(kOutputColumns), &rows);
    if (code != PMC_OK)
        return code;
    PSWRowCursor cursor(rows);
    int32_t number = 0;
    while (IPmsVarBindList *row = cursor.next()) {
        OptionOutputTray tray = {++number, psw_row_number(row, 0), psw_row_number(row, 2)};
        if (tray.offset_stacking == kOutputOffsetStacking)
            m_offset_stacking_output = true;
        if (m_output_tray_count < PSW_OPTION_TRAYS_MAX)
            m_output_trays[m_output_tray_count++] = tray;
    }
    return PMC_OK;
}

int32_t CPSWDevCommOption::refresh_memory_size()
{
    const char *oids[] = {kMemorySize};
    IPmcGetDataRequest *request = nullptr;
    int32_t code = open_step(oids, 1, true, &request);
    if (code != PMC_OK)
        return code;
    return finish_get(request, request->get_integer(&m_memory_size_kb));
}

int32_t CPSWDevCommOption::refresh_prt_media_table()
{
    CPmcObjectList *rows = nullptr;
    int32_t code = walk_step(PSW_LIST(kMediaPathColumns), &rows);
    if (code != PMC_OK)
        return code;
    PSWRowCursor cursor(rows);
    while (IPmsVarBindList *row = cursor.next()) {
        int32_t type = psw_row_number(row, 0);
        if (type == kPathLongEdgeDuplex || type == kPathShortEdgeDuplex)
            m_duplex_unit = true;
    }
    return PMC_OK;
}

/* A negative setting leaves its field as it was. */
int32_t CPSWDevCommOption::refresh_vcm_hrdev_detail_setting()
{
    uint32_t count =
        has_device_index(kDeviceTrimmer) ? (uint32_t)(sizeof kSettings / sizeof kSettings[0]) : kSettingsAlways;
    IPmcGetDataRequest *request = nullptr;
    int32_t code = open_step(kSettings, count, false, &request);
    if (code != PMC_OK)
        return code;
    int32_t values[sizeof kSettings / sizeof kSettings[0]] = {};
    code = request->get_integers(values, count);
    if (code == PMC_OK) {
        int32_t *fields[] = {&m_paper_size_group,
                             &m_paper_size_8k,
                             &m_min_password_length,
                             &m_user_prompt,
                             &m_print_limited_off_coating1,
                             &m_trimming_shift_stationary,
                             &m_trimming_shift_thick};
        for (uint32_t i = 0; i < count; ++i) {
            if (values[i] >= 0)
                *fields[i] = values[i];
        }
    }
    return finish_get(request, code);
}

/* The booklet unit's text "Max Impression = n"; another text leaves 0. */
int32_t CPSWDevCommOption::refresh_finisher_booklet_info()
{
    if (!has_device_index(kDeviceBooklet))
        return PMC_OK;
    char text[kTextSize] = "";
    int32_t code = get_text(kBookletInfo, false, text, sizeof text);
    int impressions = 0;
    if (code == PMC_OK && std::sscanf(text, "Max Impression = %d", &impressions) == 1)
        m_booklet_impressions = impressions;
    return code;
}

int32_t CPSWDevCommOption::refresh_prt_marker_supplies_table()
{
    if (!has_device_index(kDeviceFinisher))
        return PMC_OK;
    CPmcObjectList *rows = nullptr;
    int32_t code = walk_step(PSW_LIST(kSupplyColumns), &rows);
    if (code != PMC_OK)
        return code;
    bool staples = false;
    PSWRowCursor cursor(rows);
    while (IPmsVarBindList *row = cursor.next()) {
        if (psw_row_number(row, 0) == kSupplyStaples)
            staples = true;
    }
    m_staple_supply = staples;
    m_no_staple_supply = !staples;
    return PMC_OK;
}
