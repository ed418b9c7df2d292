/*
 * The status object: one get-data request per read, its columns walked together, each
 * row turned into a fixed-size record by the table's row function.
 */
#include "management/devices/psw_device_status.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"
#include "management/devices/psw_plugin_usm.h"
#include "management/devices/psw_request_support.h"
#include "management/logging/pmc_log.h"
#include "management/network/pmc_address_text.h"
#include "management/packets/pmc_packet.h"
#include "management/requests/pmc_request.h"
#include "management/values/pmc_value.h"

namespace {

/* The status of a record index outside its table. */
constexpr int kBadIndex = -11;

/* A type column of a row mapped through the table's list. */
int32_t type_at(PSWStatusTable table, IPmsVarBindList *row, uint32_t column)
{
    char text[128];
    psw_row_text(row, column, text, sizeof text);
    return psw_map_type(table, text);
}

bool fill_storage(void *record, IPmsVarBindList *row)
{
    PSWStorageInfo *info = (PSWStorageInfo *)record;
    info->type = type_at(PSW_TABLE_STORAGE, row, 0);
    info->allocation_unit = psw_row_number(row, 1);
    info->size = psw_row_number(row, 2);
    psw_row_text(row, 3, info->description, sizeof info->description);
    return true;
}

bool fill_device(void *record, IPmsVarBindList *row)
{
    PSWDeviceInfo *info = (PSWDeviceInfo *)record;
    info->type = type_at(PSW_TABLE_DEVICE, row, 0);
    info->status = psw_row_number(row, 1);
    psw_row_text(row, 2, info->description, sizeof info->description);
    return true;
}

bool fill_input_tray(void *record, IPmsVarBindList *row)
{
    PSWInputTrayInfo *info = (PSWInputTrayInfo *)record;
    int32_t *numbers[] = {&info->type,
                          &info->dimension_unit,
                          &info->feed_declared,
                          &info->cross_feed_declared,
                          &info->feed_chosen,
                          &info->cross_feed_chosen,
                          &info->capacity_unit,
                          &info->max_capacity,
                          &info->current_level,
                          &info->status};
    for (uint32_t i = 0; i < sizeof numbers / sizeof numbers[0]; ++i)
        *numbers[i] = psw_row_number(row, i);
    psw_row_text(row, 10, info->media_name, sizeof info->media_name);
    psw_row_text(row, 11, info->name, sizeof info->name);
    psw_row_text(row, 12, info->description, sizeof info->description);
    psw_row_text(row, 13, info->media_type, sizeof info->media_type);
    psw_row_text(row, 14, info->media_color, sizeof info->media_color);
    return true;
}

bool fill_output_tray(void *record, IPmsVarBindList *row)
{
    PSWOutputTrayInfo *info = (PSWOutputTrayInfo *)record;
    info->type = psw_row_number(row, 0);
    info->status = psw_row_number(row, 1);
    psw_row_text(row, 2, info->name, sizeof info->name);
    psw_row_text(row, 3, info->description, sizeof info->description);
    return true;
}

/* Only toner supplies (type 3) become records. */
bool fill_toner(void *record, IPmsVarBindList *row)
{
    if (psw_row_number(row, 0) != 3)
        return false;
    PSWTonerInfo *info = (PSWTonerInfo *)record;
    info->supply_unit = psw_row_number(row, 1);
    info->max_capacity = psw_row_number(row, 2);
    info->level = psw_row_number(row, 3);
    psw_row_text(row, 4, info->description, sizeof info->description);
    return true;
}

bool fill_alert(void *record, IPmsVarBindList *row)
{
    PSWAlertInfo *info = (PSWAlertInfo *)record;
    info->severity = psw_row_number(row, 0);
    info->group = psw_row_number(row, 1);
    info->group_index = psw_row_number(row, 2);
    info->location = psw_row_number(row, 3);
    info->code = psw_row_number(row, 4);
    psw_row_text(row, 5, info->description, sizeof info->description);
    return true;
}

/* One table: its columns in walk order, its record and row function. */
struct TableSpec {
    const char *const *columns;
    uint32_t column_count;
    uint32_t record_size;
    bool (*fill)(void *record, IPmsVarBindList *row);
};

const char *const kStorageColumns[] = {
    "1.3.6.1.2.1.25.2.3.1.2", "1.3.6.1.2.1.25.2.3.1.4", "1.3.6.1.2.1.25.2.3.1.5", "1.3.6.1.2.1.25.2.3.1.3"};
const char *const kDeviceColumns[] = {"1.3.6.1.2.1.25.3.2.1.2", "1.3.6.1.2.1.25.3.2.1.5", "1.3.6.1.2.1.25.3.2.1.3"};
const char *const kInputColumns[] = {"1.3.6.1.2.1.43.8.2.1.2",
                                     "1.3.6.1.2.1.43.8.2.1.3",
                                     "1.3.6.1.2.1.43.8.2.1.4",
                                     "1.3.6.1.2.1.43.8.2.1.5",
                                     "1.3.6.1.2.1.43.8.2.1.6",
                                     "1.3.6.1.2.1.43.8.2.1.7",
                                     "1.3.6.1.2.1.43.8.2.1.8",
                                     "1.3.6.1.2.1.43.8.2.1.9",
                                     "1.3.6.1.2.1.43.8.2.1.10",
                                     "1.3.6.1.2.1.43.8.2.1.11",
                                     "1.3.6.1.2.1.43.8.2.1.12",
                                     "1.3.6.1.2.1.43.8.2.1.13",
                                     "1.3.6.1.2.1.43.8.2.1.18",
                                     "1.3.6.1.2.1.43.8.2.1.21",
                                     "1.3.6.1.2.1.43.8.2.1.22"};
const char *const kOutputColumns[] = {
    "1.3.6.1.2.1.43.9.2.1.2", "1.3.6.1.2.1.43.9.2.1.6", "1.3.6.1.2.1.43.9.2.1.7", "1.3.6.1.2.1.43.9.2.1.12"};
const char *const kTonerColumns[] = {"1.3.6.1.2.1.43.11.1.1.5",
                                     "1.3.6.1.2.1.43.11.1.1.7",
                                     "1.3.6.1.2.1.43.11.1.1.8",
                                     "1.3.6.1.2.1.43.11.1.1.9",
                                     "1.3.6.1.2.1.43.11.1.1.6"};
const char *const kAlertColumns[] = {"1.3.6.1.2.1.43.18.1.1.2",
                                     "1.3.6.1.2.1.43.18.1.1.4",
                                     "1.3.6.1.2.1.43.18.1.1.5",
                                     "1.3.6.1.2.1.43.18.1.1.6",
                                     "1.3.6.1.2.1.43.18.1.1.7",
                                     "1.3.6.1.2.1.43.18.1.1.8"};
const char *const kPrinterColumns[] = {"1.3.6.1.2.1.25.3.5.1.1", "1.3.6.1.2.1.25.3.5.1.2"};

const char *const kJobColumns[] = {"1.3.6.1.4.1.99941.8.59.6.1.1.4",
                                   "1.3.6.1.4.1.99941.8.59.6.1.1.9",
                                   "1.3.6.1.4.1.99941.8.59.6.1.1.10",
                                   "1.3.6.1.4.1.99941.8.59.16.1.1.5",
                                   "1.3.6.1.4.1.99941.8.59.16.1.1.6",
                                   "1.3.6.1.4.1.99941.8.59.6.1.1.5",
                                   "1.3.6.1.4.1.99941.8.59.6.1.1.6",
                                   "1.3.6.1.4.1.99941.8.59.10.1.1.7",
                                   "1.3.6.1.4.1.99941.8.59.6.1.1.3",
                                   "1.3.6.1.4.1.99941.8.59.10.1.1.10",
                                   "1.3.6.1.4.1.99941.8.59.16.1.1.4",
                                   "1.3.6.1.4.1.99941.8.59.16.1.1.7"};

/* The job column whose row index names the job, and the state that marks kind 2. */
constexpr uint32_t kJobIdColumn = 7;
constexpr int32_t kJobStateKind2 = 17;

/* The texts behind the job columns' codes. */
const char kJobTextColumn[] = "1.3.6.1.4.1.99941.8.51.5.1.1.4";

#define PSW_COLUMNS(list) list, sizeof list / sizeof list[0]

const TableSpec kTables[PSW_TABLE_COUNT] = {
    {PSW_COLUMNS(kStorageColumns), sizeof(PSWStorageInfo), fill_storage},
    {PSW_COLUMNS(kDeviceColumns), sizeof(PSWDeviceInfo), fill_device},
    {PSW_COLUMNS(kInputColumns), sizeof(PSWInputTrayInfo), fill_input_tray},
    {PSW_COLUMNS(kOutputColumns), sizeof(PSWOutputTrayInfo), fill_output_tray},
    {PSW_COLUMNS(kTonerColumns), sizeof(PSWTonerInfo), fill_toner},
    {PSW_COLUMNS(kAlertColumns), sizeof(PSWAlertInfo), fill_alert},
    {PSW_COLUMNS(kJobColumns), sizeof(PSWJobInfo), nullptr},
};

/* One range of the type lists: identifiers prefix.n for n from first to last. */
struct TypeRange {
    PSWStatusTable table;
    const char *prefix;
    int32_t first;
    int32_t last;
};

const TypeRange kTypeRanges[] = {
    {PSW_TABLE_STORAGE, "1.3.6.1.2.1.25.2.1.", 1, 8},
    {PSW_TABLE_DEVICE, "1.3.6.1.2.1.25.3.1.", 1, 6},
    {PSW_TABLE_DEVICE, "1.3.6.1.2.1.25.3.1.", 10, 21},
    {PSW_TABLE_DEVICE, "1.3.6.1.4.1.99941.8.52.2.", 101, 109},
    {PSW_TABLE_DEVICE, "1.3.6.1.4.1.99941.8.52.2.", 151, 154},
    {PSW_TABLE_DEVICE, "1.3.6.1.4.1.99941.8.52.2.", 201, 207},
    {PSW_TABLE_JOB, "1.3.6.1.4.1.99941.8.58.2.", 1, 12},
};

/* append_record: room for one more record at the end of the array; null without memory. */
void *append_record(PSWRecordArray *array, uint32_t size)
{
    if (array->count == array->capacity) {
        uint32_t capacity = array->capacity ? array->capacity * 2 : 8;
        uint8_t *grown = (uint8_t *)pmc_alloc((size_t)capacity * size);
        if (!grown)
            return nullptr;
        if (array->records)
            std::memcpy(grown, array->records, (size_t)array->count * size);
        pmc_free(array->records);
        array->records = grown;
        array->capacity = capacity;
    }
    void *record = array->records + (size_t)array->count * size;
    std::memset(record, 0, size);
    return record;
}

/* copy_text: a caller's text into a 256-byte field, cut to 255 characters. */
void copy_text(char *field, const char *text)
{
    size_t length = std::strlen(text);
    if (length > 255)
        length = 255;
    std::memcpy(field, text, length);
    field[length] = '\0';
}

} // namespace

int32_t psw_map_type(PSWStatusTable table, const char *oid_text)
{
    if (!oid_text)
        return 0;
    for (const TypeRange &range : kTypeRanges) {
        size_t length = std::strlen(range.prefix);
        if (range.table != table || std::strncmp(oid_text, range.prefix, length) != 0)
            continue;
        char *end = nullptr;
        const char *digits = oid_text + length;
        if (*digits < '1' || *digits > '9')
            continue;
        long n = std::strtol(digits, &end, 10);
        if (*end == '\0' && n >= range.first && n <= range.last)
            return (int32_t)n;
    }
    return 0;
}

CPSWDeviceStatus::CPSWDeviceStatus()
    : m_protocol(0), m_address(), m_port(0), m_timeout(0), m_retries(0), m_max_message_size(0), m_read_community(),
      m_read_community_set(false), m_write_community(), m_tables(), m_printer(), m_usm(nullptr), m_character_sets()
{
    std::strcpy(m_write_community, "private");
}

CPSWDeviceStatus::~CPSWDeviceStatus()
{
    for (PSWRecordArray &array : m_tables)
        pmc_free(array.records);
}

void CPSWDeviceStatus::set_read_community(const char *text)
{
    if (!text)
        return;
    copy_text(m_read_community, text);
    m_read_community_set = true;
}

void CPSWDeviceStatus::set_write_community(const char *text)
{
    if (text)
        copy_text(m_write_community, text);
}

int CPSWDeviceStatus::setup(int protocol, const char *address, IPSWPluginUSM *usm, int32_t timeout, int32_t retries,
                            uint32_t max_message_size)
{
    if (!address || !usm)
        return PMC_E_ARG;
    if (psw_port_of_protocol(protocol, &m_port) != PMC_OK)
        return PMC_E_ARG;
    size_t length = std::strlen(address);
    if (length > sizeof m_address - 1)
        length = sizeof m_address - 1;
    std::memset(m_address, 0, sizeof m_address);
    std::memcpy(m_address, address, length);
    m_protocol = protocol;
    m_usm = usm;
    m_timeout = timeout;
    m_retries = retries;
    m_max_message_size = max_message_size;
    return PMC_OK;
}

int CPSWDeviceStatus::make_request(bool write, IPmcGetDataRequest **out)
{
    *out = nullptr;
    if (!m_usm)
        return PMC_E_ARG;
    int code = PMC_OK;
    IPmcGetDataRequest *request = pmc_create_get_data(&code);
    if (!request)
        return psw_log_failure("pmc_create_get_data()", code);
    if (write)
        request->set_community(m_write_community);
    else if (m_read_community_set)
        request->set_community(m_read_community);
    PmcRequestUsm usm = {m_usm->user_name(),
                         m_usm->security_level(),
                         m_usm->auth_protocol(),
                         m_usm->priv_protocol(),
                         m_usm->auth_pass_phrase(),
                         m_usm->priv_pass_phrase(),
                         m_usm->extension_text()};
    code =
        request->init(m_address, m_protocol, m_port, m_usm->version(), &usm, m_timeout, m_retries, m_max_message_size);
    if (code != PMC_OK) {
        request->release();
        return psw_log_failure("pGetData->init()", code);
    }
    *out = request;
    return PMC_OK;
}

/* walk: the columns walked together until the first column leaves its subtree;
 * *results_out a new result table of the answer PDUs, one per row (released by the
 * caller). The request is released on every path. */
int CPSWDeviceStatus::walk(const char *const *columns, uint32_t column_count, void *results_out)
{
    IPmcGetDataRequest *request = nullptr;
    int code = make_request(false, &request);
    if (code != PMC_OK)
        return code;
    for (uint32_t i = 0; i < column_count; ++i) {
        code = request->add_oid_string(columns[i], false);
        if (code != PMC_OK) {
            request->release();
            return psw_log_failure("pGetData->add_oid_string()", code);
        }
    }
    CPmcObjectList *results = pms_create_result_table(&code);
    if (!results) {
        request->release();
        return code;
    }
    code = request->get_data(results, columns[0]);
    request->release();
    *(CPmcObjectList **)results_out = results;
    return code == PMC_OK ? PMC_OK : psw_log_failure("pGetData->get_data()", code);
}

int CPSWDeviceStatus::read_table(PSWStatusTable table, int32_t *count)
{
    if (table < 0 || table >= PSW_TABLE_JOB || !count)
        return PMC_E_ARG;
    const TableSpec &spec = kTables[table];
    PSWRecordArray &array = m_tables[table];
    array.count = 0;
    CPmcObjectList *rows = nullptr;
    int code = walk(spec.columns, spec.column_count, &rows);
    if (rows) {
        IPmcObjectListIterator *iterator = rows->create_iterator(nullptr);
        for (void *element; iterator && (element = rows->element_at(iterator)) != nullptr; rows->advance(iterator)) {
            void *record = append_record(&array, spec.record_size);
            if (!record) {
                code = PMC_E_MEMORY;
                break;
            }
            if (spec.fill(record, ((IPmsPdu *)element)->get_list()))
                ++array.count;
        }
        if (iterator)
            rows->release_iterator(iterator);
        rows->release();
    }
    if (code == PMC_OK)
        *count = (int32_t)array.count;
    return code;
}

int CPSWDeviceStatus::get_record(PSWStatusTable table, int32_t index, void *out)
{
    if (table < 0 || table >= PSW_TABLE_COUNT || !out)
        return PMC_E_ARG;
    const PSWRecordArray &array = m_tables[table];
    if ((uint32_t)index >= array.count)
        return kBadIndex;
    std::memcpy(out, array.records + (size_t)(uint32_t)index * kTables[table].record_size, kTables[table].record_size);
    return PMC_OK;
}

/* read_printer_status: hrPrinterDetectedErrorState is copied as its first (at most) four
 * octets, zero-filled: an error state of 00 80 keeps its second octet. */
int CPSWDeviceStatus::read_printer_status(PSWPrinterInfo *out)
{
    if (!out)
        return PMC_E_ARG;
    CPmcObjectList *rows = nullptr;
    int code = walk(PSW_COLUMNS(kPrinterColumns), &rows);
    if (rows) {
        IPmcObjectListIterator *iterator = rows->create_iterator(nullptr);
        for (void *element; iterator && (element = rows->element_at(iterator)) != nullptr; rows->advance(iterator)) {
            IPmsVarBindList *row = ((IPmsPdu *)element)->get_list();
            m_printer.status = psw_row_number(row, 0);
            std::memset(m_printer.detected_error_state, 0, sizeof m_printer.detected_error_state);
            IPmsValue *state = psw_row_value(row, 1);
            uint32_t length = 0;
            const uint8_t *octets =
                state && state->tag() == PMS_TAG_OCTET_STRING ? state->raw_bytes(&length, nullptr) : nullptr;
            if (octets)
                std::memcpy(m_printer.detected_error_state, octets, length < 4 ? length : 4);
        }
        if (iterator)
            rows->release_iterator(iterator);
        rows->release();
    }
    if (code == PMC_OK)
        *out = m_printer;
    return code;
}

/* The localization column and the character-set column of each kind. */
static const char *const kCharacterSetColumns[2][2] = {
    {"1.3.6.1.2.1.43.5.1.1.2", "1.3.6.1.2.1.43.7.1.1.4"},
    {"1.3.6.1.4.1.99941.8.51.3.1.1.1", "1.3.6.1.4.1.99941.8.51.4.1.1.7"},
};

/* row_of: the first sub-identifier of a row's index behind `column`; -1 when none. */
static long row_of(IPmsVarBindList *row, const char *column)
{
    IPmsVarBind *binding = row ? row->get(0) : nullptr;
    IPmsOid *name = binding ? binding->get_name() : nullptr;
    CPmcByteString *text = name ? name->value()->text(nullptr) : nullptr;
    if (!text)
        return -1;
    long index = -1;
    size_t length = std::strlen(column);
    if (std::strncmp(text->data(), column, length) == 0 && text->data()[length] == '.')
        index = std::strtol(text->data() + length + 1, nullptr, 10);
    text->release();
    return index;
}

int CPSWDeviceStatus::read_character_set(int32_t kind, int32_t *code_out)
{
    if ((kind != 0 && kind != 1) || !code_out)
        return PMC_E_ARG;
    const char *const *columns = kCharacterSetColumns[kind];
    CPmcObjectList *rows = nullptr;
    int code = walk(columns, 1, &rows);
    if (rows) {
        IPmcObjectListIterator *iterator = rows->create_iterator(nullptr);
        for (void *element; code == PMC_OK && iterator && (element = rows->element_at(iterator)) != nullptr;
             rows->advance(iterator)) {
            IPmsVarBindList *row = ((IPmsPdu *)element)->get_list();
            char instance[96];
            std::snprintf(instance,
                          sizeof instance,
                          "%s.%ld.%ld",
                          columns[1],
                          row_of(row, columns[0]),
                          (long)psw_row_number(row, 0));
            IPmcGetDataRequest *request = nullptr;
            code = make_request(false, &request);
            if (code != PMC_OK)
                break;
            code = request->add_oid_string(instance, false);
            if (code != PMC_OK) {
                psw_log_failure("pGetData->add_oid_string()", code);
            } else {
                int32_t value = 0;
                code = request->get_integer(&value);
                if (code == PMC_OK)
                    m_character_sets[kind] = value;
                else
                    psw_log_failure("pGetData->get_data()", code);
            }
            request->release();
        }
        if (iterator)
            rows->release_iterator(iterator);
        rows->release();
    }
    if (code == PMC_OK)
        *code_out = m_character_sets[kind];
    return code;
}

int CPSWDeviceStatus::cancel_job(const char *job_id)
{
    if (!job_id)
        return PMC_E_ARG;
    /* 101, the length, then one sub-identifier per byte: at most 4 + 4 + 256 x 4 characters. */
    char instance[1100];
    size_t length = std::strlen(job_id);
    if (length > 255)
        return PMC_E_ARG;
    int used = std::snprintf(instance, sizeof instance, "101.%u", (unsigned)length);
    for (size_t i = 0; i < length; ++i)
        used += std::snprintf(instance + used, sizeof instance - (size_t)used, ".%u", (unsigned)(uint8_t)job_id[i]);
    IPmcGetDataRequest *request = nullptr;
    int code = make_request(true, &request);
    if (code != PMC_OK)
        return code;
    code = request->add_set_binding("1.3.6.1.4.1.99941.8.76.3.2.1.1", instance, 1414);
    if (code != PMC_OK) {
        request->release();
        return psw_log_failure("pGetData->add_oid_string()", code);
    }
    code = request->set_data();
    request->release();
    return code == PMC_OK ? PMC_OK : psw_log_failure("pGetData->set_data()", code);
}

void psw_decode_date_time(const uint8_t *octets, uint32_t length, PSWDateTime *out)
{
    std::memset(out, 0, sizeof *out);
    if (!octets || length < 7)
        return;
    out->year = (uint16_t)(octets[0] * 256 + octets[1]);
    out->month = octets[2];
    out->day = octets[3];
    out->hour = octets[4];
    out->minutes = octets[5];
    out->seconds = octets[6];
}

/* row_index: the sub-identifiers of a binding's name behind `column` (at most `room`);
 * their number, or -1 when the name is not below the column. */
static int row_index(IPmsVarBindList *row, uint32_t at, const char *column, unsigned long *numbers, int room)
{
    IPmsVarBind *binding = row ? row->get(at) : nullptr;
    IPmsOid *name = binding ? binding->get_name() : nullptr;
    CPmcByteString *text = name ? name->value()->text(nullptr) : nullptr;
    if (!text)
        return -1;
    int count = -1;
    size_t length = std::strlen(column);
    if (std::strncmp(text->data(), column, length) == 0 && text->data()[length] == '.') {
        count = 0;
        const char *p = text->data() + length;
        while (*p == '.' && count < room) {
            char *end = nullptr;
            numbers[count++] = std::strtoul(p + 1, &end, 10);
            p = end;
        }
    }
    text->release();
    return count;
}

/* lookup_text: the text of a job column's code G at J.G.C of the text column (J the
 * row's first index, C the private character set), read by its own GET. */
int CPSWDeviceStatus::lookup_text(IPmsVarBindList *row, uint32_t column, char *field)
{
    unsigned long index[1] = {0};
    row_index(row, column, kJobColumns[column], index, 1);
    char instance[96];
    std::snprintf(instance,
                  sizeof instance,
                  "%s.%ld.%ld.%ld",
                  kJobTextColumn,
                  (long)index[0],
                  (long)psw_row_number(row, column),
                  (long)m_character_sets[1]);
    IPmcGetDataRequest *request = nullptr;
    int code = make_request(false, &request);
    if (code != PMC_OK)
        return code;
    code = request->add_oid_string(instance, false);
    if (code == PMC_OK)
        code = request->get_string(field, 256);
    request->release();
    return code == PMC_OK ? PMC_OK : psw_log_failure("pGetData->get_data()", code);
}

/* fill_job: one job record from a row of the job walk. */
int CPSWDeviceStatus::fill_job(IPmsVarBindList *row, PSWJobInfo *job)
{
    job->type = type_at(PSW_TABLE_JOB, row, 0);
    job->state = psw_row_number(row, 1);
    job->state_2 = psw_row_number(row, 2);
    job->value_1 = psw_row_number(row, 3);
    job->value_2 = psw_row_number(row, 4);
    char *texts[] = {job->text_1, job->text_2, job->text_3};
    for (uint32_t i = 0; i < 3; ++i) {
        int code = lookup_text(row, 5 + i, texts[i]);
        if (code != PMC_OK)
            return code;
    }
    /* The job identifier: the row index without its first two sub-identifiers, then at
     * most eight octets, up to the first zero octet. */
    unsigned long index[10] = {};
    int count = row_index(row, kJobIdColumn, kJobColumns[kJobIdColumn], index, 10);
    for (int i = 2; i < count; ++i) {
        if (index[i] > 255)
            return PMC_E_INDEX;
    }
    for (int i = 2; i < count && index[i] != 0; ++i)
        job->job_id[i - 2] = (char)index[i];
    psw_row_text(row, 8, job->name, sizeof job->name);
    PSWDateTime *times[] = {&job->time_1, &job->time_2, &job->time_3};
    for (uint32_t i = 0; i < 3; ++i) {
        IPmsValue *value = psw_row_value(row, 9 + i);
        uint32_t length = 0;
        const uint8_t *octets =
            value && value->tag() == PMS_TAG_OCTET_STRING ? value->raw_bytes(&length, nullptr) : nullptr;
        psw_decode_date_time(octets, length, times[i]);
    }
    return PMC_OK;
}

int CPSWDeviceStatus::read_jobs(int32_t kind, int32_t *count)
{
    if (kind < 0 || kind > 2 || !count)
        return PMC_E_ARG;
    int code = PMC_OK;
    if (m_character_sets[1] == 0) {
        int32_t character_set = 0;
        code = read_character_set(1, &character_set);
        if (code != PMC_OK)
            return code;
    }
    PSWRecordArray &array = m_tables[PSW_TABLE_JOB];
    array.count = 0;
    CPmcObjectList *rows = nullptr;
    code = walk(PSW_COLUMNS(kJobColumns), &rows);
    if (rows) {
        IPmcObjectListIterator *iterator = rows->create_iterator(nullptr);
        for (void *element; code == PMC_OK && iterator && (element = rows->element_at(iterator)) != nullptr;
             rows->advance(iterator)) {
            IPmsVarBindList *row = ((IPmsPdu *)element)->get_list();
            int32_t state = psw_row_number(row, 1);
            if ((kind == 1 && state == kJobStateKind2) || (kind == 2 && state != kJobStateKind2))
                continue;
            PSWJobInfo *job = (PSWJobInfo *)append_record(&array, sizeof(PSWJobInfo));
            if (!job) {
                code = PMC_E_MEMORY;
                break;
            }
            code = fill_job(row, job);
            if (code == PMC_OK)
                ++array.count;
        }
        if (iterator)
            rows->release_iterator(iterator);
        rows->release();
    }
    if (code == PMC_OK)
        *count = (int32_t)array.count;
    return code;
}
