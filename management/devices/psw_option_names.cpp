/*
 * The option names and what each answers, as tables: the Boolean options from the device
 * table and two flags, the integer options and the text options, some of them per input
 * tray. Names are compared exactly; case matters.
 */
#include <cstddef>
#include <cstring>

#include "management/base/pmc_status.h"
#include "management/devices/psw_dev_comm_option.h"

namespace {

/* The answer for an unknown name and for a tray index out of range. */
constexpr int32_t kUnknownName = PMC_E_UNSUPPORTED;
constexpr int32_t kBadTrayIndex = -11;

/* A per-tray option: its name and where its field lies in the tray record. */
struct TrayField {
    const char *name;
    size_t offset;
};

const TrayField kTrayNumbers[] = {
    {"InputTrayIndex", offsetof(OptionInputTray, index)},
    {"InputTrayType", offsetof(OptionInputTray, type)},
    {"InputTrayMediaSize", offsetof(OptionInputTray, media_size)},
    {"InputTrayMediaDirection", offsetof(OptionInputTray, media_direction)},
    {"InputTrayMaxCapacityInSheets", offsetof(OptionInputTray, max_capacity)},
    {"InputTrayCurrentLevelInPercent", offsetof(OptionInputTray, current_level)},
    {"InputTrayMediaDimFeedDirChosen", offsetof(OptionInputTray, feed_dimension)},
    {"InputTrayMediaDimXFeedDirChosen", offsetof(OptionInputTray, cross_feed_dimension)},
};

const TrayField kTrayTexts[] = {
    {"InputTrayName", offsetof(OptionInputTray, name)},
    {"InputTrayDescription", offsetof(OptionInputTray, description)},
    {"InputTrayMediaType", offsetof(OptionInputTray, media_type)},
};

/* find_tray_field: the field of a per-tray name, null when the name is none. */
const TrayField *find_tray_field(const TrayField *fields, size_t count, const char *name)
{
    for (size_t i = 0; i < count; ++i) {
        if (std::strcmp(fields[i].name, name) == 0)
            return &fields[i];
    }
    return nullptr;
}

/* One option whose answer is known when asked: its name and value. */
template <typename T> struct NamedValue {
    const char *name;
    T value;
};

/* find_value: the value of `name` in a table; false when the name is not there. */
template <typename T> bool find_value(const NamedValue<T> *values, size_t count, const char *name, T *out)
{
    for (size_t i = 0; i < count; ++i) {
        if (std::strcmp(values[i].name, name) == 0) {
            *out = values[i].value;
            return true;
        }
    }
    return false;
}

/* Device indexes of the Boolean and integer options. */
constexpr int32_t kScanner = 102;
constexpr int32_t kCopier = 103;
constexpr int32_t kHardDisk = 11;
constexpr int32_t kHcf2 = 133;
constexpr int32_t kHcfA3 = 136;
constexpr int32_t kHcfA3Second = 167;
constexpr int32_t kHcs = 161;
constexpr int32_t kFinisher = 123;
constexpr int32_t kStaple = 121;
constexpr int32_t kPunch2 = 122;
constexpr int32_t kPunch3 = 128;
constexpr int32_t kPunch4 = 129;
constexpr int32_t kBooklet = 124;
constexpr int32_t kFolder = 127;
constexpr int32_t kTrimmer = 165;

/* "FinisherType" with a finisher. */
constexpr int32_t kFinisherTypeInstalled = 5;

#define PSW_COUNT(table) (sizeof table / sizeof table[0])

} // namespace

int32_t CPSWDevCommOption::get_option(const char *name, bool *value, int32_t) const
{
    if (!name || !value)
        return PMC_E_ARG;
    const NamedValue<bool> options[] = {
        {"Scanner", has_device_index(kScanner)},
        {"Copier", has_device_index(kCopier)},
        {"HardDisk", has_device_index(kHardDisk)},
        {"DuplexModule", m_duplex_unit},
        {"InTrayMSI", m_manual_feeder},
        {"InTrayHCF2", has_device_index(kHcf2)},
        {"InTrayHCFA3", has_device_index(kHcfA3)},
        {"InTrayHCFA3_2", has_device_index(kHcfA3Second)},
        {"OutTrayHCS", has_device_index(kHcs)},
        {"Finisher", has_device_index(kFinisher)},
        {"FinisherStaple", has_device_index(kStaple)},
        {"FinisherPunch", has_device_index(kPunch2) || has_device_index(kPunch3) || has_device_index(kPunch4)},
        {"FinisherPunchHole2_4", has_device_index(kPunch2) && has_device_index(kPunch4)},
        {"FinisherPunchHole2_3", has_device_index(kPunch2) && has_device_index(kPunch3)},
        {"FinisherPunchHole3", has_device_index(kPunch3)},
        {"FinisherPunchHole4", has_device_index(kPunch4) && !has_device_index(kPunch2)},
        {"FinisherBooklet", has_device_index(kBooklet)},
        {"FinisherFolder", has_device_index(kFolder)},
        {"TrimmerSquareFold", has_device_index(kTrimmer)},
    };
    static_assert(PSW_COUNT(options) == 19, "19 Boolean options");
    return find_value(options, PSW_COUNT(options), name, value) ? PMC_OK : kUnknownName;
}

int32_t CPSWDevCommOption::get_option(const char *name, int32_t *value, int32_t index) const
{
    if (!name || !value)
        return PMC_E_ARG;
    const TrayField *field = find_tray_field(kTrayNumbers, PSW_COUNT(kTrayNumbers), name);
    if (field) {
        if (index < 0 || index >= m_input_tray_count)
            return kBadTrayIndex;
        std::memcpy(value, (const char *)&m_input_trays[index] + field->offset, sizeof *value);
        return PMC_OK;
    }
    const NamedValue<int32_t> options[] = {
        {"MemorySizeInKByte", m_memory_size_kb},
        {"MemorySizeInMByte", m_memory_size_kb / 1024},
        {"NumberOfInputTray", m_input_tray_count},
        {"PrinterRomVersionMajor", m_rom_major},
        {"PrinterRomVersionMinor", m_rom_minor},
        {"PrinterRomVersionRevision", m_rom_revision},
        {"PaperSizeGroupSetting", m_paper_size_group},
        {"PaperSize8KSetting", m_paper_size_8k},
        {"FinisherBookletImpression", m_booklet_impressions},
        {"FinisherType", has_device_index(kFinisher) ? kFinisherTypeInstalled : 0},
        {"UserPromptSetting", m_user_prompt},
        {"MinPasswordLength", m_min_password_length},
        {"PrintLimitedOffCoating1", m_print_limited_off_coating1},
        {"TrimmingShiftValueStationaryPaper", m_trimming_shift_stationary},
        {"TrimmingShiftValueThickPaper", m_trimming_shift_thick},
    };
    static_assert(PSW_COUNT(options) + PSW_COUNT(kTrayNumbers) == 23, "23 integer options");
    return find_value(options, PSW_COUNT(options), name, value) ? PMC_OK : kUnknownName;
}

int32_t CPSWDevCommOption::get_option(const char *name, uint32_t *value, int32_t) const
{
    if (!name || !value)
        return PMC_E_ARG;
    return kUnknownName;
}

int32_t CPSWDevCommOption::get_option(const char *name, const char **value, int32_t index) const
{
    if (!name || !value)
        return PMC_E_ARG;
    const TrayField *field = find_tray_field(kTrayTexts, PSW_COUNT(kTrayTexts), name);
    if (field) {
        if (index < 0 || index >= m_input_tray_count)
            return kBadTrayIndex;
        *value = (const char *)&m_input_trays[index] + field->offset;
        return PMC_OK;
    }
    const NamedValue<const char *> options[] = {
        {"PrinterRomVersion", m_rom_version},
        {"SysName", m_sys_name},
        {"NetWareSAPUnitName", m_netware_unit_name},
    };
    static_assert(PSW_COUNT(options) + PSW_COUNT(kTrayTexts) == 6, "6 text options");
    return find_value(options, PSW_COUNT(options), name, value) ? PMC_OK : kUnknownName;
}
