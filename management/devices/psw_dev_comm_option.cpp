/*
 * The option object of any printer: its life, its address and credentials, and the one
 * request pattern every refresh step follows.
 */
#include "management/devices/psw_dev_comm_option.h"

#include <cstring>

#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"
#include "management/devices/psw_option_media.h"
#include "management/devices/psw_plugin_usm.h"
#include "management/devices/psw_request_support.h"
#include "management/network/pmc_address_text.h"
#include "management/packets/pmc_packet.h"
#include "management/requests/pmc_request.h"

namespace {

/* copy_cut: a text into a field of `size` bytes, cut to it and terminated. */
void copy_cut(char *field, size_t size, const char *text)
{
    size_t length = std::strlen(text);
    if (length > size - 1)
        length = size - 1;
    std::memcpy(field, text, length);
    std::memset(field + length, 0, size - length);
}

} // namespace

CPSWDevCommOption::CPSWDevCommOption()
    : m_protocol(PMC_PROTOCOL_UNSPEC), m_address(), m_port(0), m_timeout(0), m_retries(0), m_max_message_size(0),
      m_version(0), m_user_name(nullptr), m_security_level(0), m_auth_protocol(0), m_priv_protocol(0),
      m_auth_pass_phrase(nullptr), m_priv_pass_phrase(nullptr), m_extension(nullptr), m_community(),
      m_community_set(false)
{
    initialize_data();
}

CPSWDevCommOption::CPSWDevCommOption(const CPSWDevCommOption &other) = default;
CPSWDevCommOption &CPSWDevCommOption::operator=(const CPSWDevCommOption &other) = default;
CPSWDevCommOption::~CPSWDevCommOption() = default;

void CPSWDevCommOption::destroy()
{
    delete this;
}

void CPSWDevCommOption::SetCommunityStr(const char *community)
{
    if (!community)
        return;
    copy_cut(m_community, sizeof m_community, community);
    m_community_set = true;
}

int32_t CPSWDevCommOption::Init(IPmcNetworkAddress::EProtocol protocol, const char *address, IPSWPluginUSM *usm,
                                uint32_t timeout, uint32_t retries, uint32_t max_message_size)
{
    if (!address || !usm)
        return PMC_E_ARG;
    if (psw_port_of_protocol(protocol, &m_port) != PMC_OK)
        return PMC_E_ARG;
    copy_cut(m_address, sizeof m_address, address);
    m_protocol = protocol;
    m_timeout = timeout;
    m_retries = retries;
    m_max_message_size = max_message_size;
    m_version = usm->version();
    m_user_name = usm->user_name();
    m_security_level = usm->security_level();
    m_auth_protocol = usm->auth_protocol();
    m_priv_protocol = usm->priv_protocol();
    m_auth_pass_phrase = usm->auth_pass_phrase();
    m_priv_pass_phrase = usm->priv_pass_phrase();
    m_extension = usm->extension_text();
    return PMC_OK;
}

void CPSWDevCommOption::initialize_data()
{
    std::memset(m_rom_version, 0, sizeof m_rom_version);
    std::memset(m_sys_name, 0, sizeof m_sys_name);
    std::memset(m_netware_unit_name, 0, sizeof m_netware_unit_name);
    m_duplex_unit = false;
    m_manual_feeder = false;
    m_device105_running = false;
    m_device108_running = false;
    m_offset_stacking_output = false;
    m_staple_supply = false;
    m_no_staple_supply = false;
    m_memory_size_kb = 0;
    m_rom_major = 0;
    m_rom_minor = 0;
    m_rom_revision = 0;
    m_paper_size_group = 0;
    m_paper_size_8k = 0;
    m_booklet_impressions = 0;
    m_min_password_length = 0;
    m_user_prompt = 0;
    m_print_limited_off_coating1 = 0;
    m_trimming_shift_stationary = 0;
    m_trimming_shift_thick = 0;
    m_device_count = 0;
    std::memset(m_devices, 0, sizeof m_devices);
    m_input_tray_count = 0;
    std::memset(m_input_trays, 0, sizeof m_input_trays);
    m_output_tray_count = 0;
    std::memset(m_output_trays, 0, sizeof m_output_trays);
}

int32_t CPSWDevCommOption::refresh_options()
{
    initialize_data();
    int32_t (CPSWDevCommOption::*const steps[])() = {
        &CPSWDevCommOption::refresh_system_attributes,
        &CPSWDevCommOption::refresh_hrdevice_table,
        &CPSWDevCommOption::refresh_input_tray_table,
        &CPSWDevCommOption::refresh_output_tray_table,
        &CPSWDevCommOption::refresh_memory_size,
        &CPSWDevCommOption::refresh_prt_media_table,
        &CPSWDevCommOption::refresh_netware_attributes,
        &CPSWDevCommOption::refresh_vcm_hrdev_detail_setting,
        &CPSWDevCommOption::refresh_finisher_booklet_info,
    };
    for (int32_t (CPSWDevCommOption::*step)() : steps) {
        int32_t code = (this->*step)();
        if (code != PMC_OK)
            return code;
    }
    return PMC_OK;
}

bool CPSWDevCommOption::has_device_index(int32_t hr_device_index) const
{
    for (int32_t i = 0; i < m_device_count; ++i) {
        if (m_devices[i].index == hr_device_index)
            return true;
    }
    return false;
}

int32_t CPSWDevCommOption::parse_version_value()
{
    return psw_parse_version_value(m_rom_version, &m_rom_major, &m_rom_minor, &m_rom_revision);
}

void CPSWDevCommOption::MediaDimensionToMediumSize(int32_t unit, int32_t feed, int32_t cross_feed, int32_t *size_code,
                                                   int32_t *direction) const
{
    psw_media_dimension_to_medium_size(unit, feed, cross_feed, size_code, direction);
}

void CPSWDevCommOption::ConvertMediumLevel(int32_t unit, int32_t maximum, int32_t current, int32_t *maximum_out,
                                           int32_t *percent) const
{
    psw_convert_medium_level(unit, maximum, current, maximum_out, percent);
}

int32_t CPSWDevCommOption::create_request(IPmcGetDataRequest **out) const
{
    int code = PMC_OK;
    *out = pmc_create_get_data(&code);
    return *out ? PMC_OK : psw_log_failure("pmc_create_get_data()", code);
}

int32_t CPSWDevCommOption::setup_request(IPmcGetDataRequest *request) const
{
    if (m_community_set)
        request->set_community(m_community);
    PmcRequestUsm usm = {m_user_name,
                         m_security_level,
                         m_auth_protocol,
                         m_priv_protocol,
                         m_auth_pass_phrase,
                         m_priv_pass_phrase,
                         m_extension};
    int code = request->init(
        m_address, m_protocol, m_port, m_version, &usm, (int32_t)m_timeout, (int32_t)m_retries, m_max_message_size);
    return code == PMC_OK ? PMC_OK : psw_log_failure("pGetData->init()", code);
}

int32_t CPSWDevCommOption::open_step(const char *const *oids, uint32_t count, bool scalar,
                                     IPmcGetDataRequest **out) const
{
    IPmcGetDataRequest *request = nullptr;
    int32_t code = create_request(&request);
    if (code != PMC_OK)
        return code;
    code = setup_request(request);
    for (uint32_t i = 0; code == PMC_OK && i < count; ++i) {
        code = request->add_oid_string(oids[i], scalar);
        if (code != PMC_OK)
            psw_log_failure("pGetData->add_oid_string()", code);
    }
    if (code != PMC_OK) {
        request->release();
        return code;
    }
    *out = request;
    return PMC_OK;
}

int32_t CPSWDevCommOption::walk_step(const char *const *columns, uint32_t count, CPmcObjectList **rows) const
{
    *rows = nullptr;
    IPmcGetDataRequest *request = nullptr;
    int32_t code = open_step(columns, count, false, &request);
    if (code != PMC_OK)
        return code;
    CPmcObjectList *results = pms_create_result_table(&code);
    if (results)
        code = request->get_data(results, columns[0]);
    request->release();
    if (code != PMC_OK) {
        if (results)
            results->release();
        return psw_log_failure("pGetData->get_data()", code);
    }
    *rows = results;
    return PMC_OK;
}
