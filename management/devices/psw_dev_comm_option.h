/*
 * CPSWDevCommOption: the option object of any printer. It reads the options over SNMP,
 * one get-data request per refresh step, and answers them by name (names compared
 * exactly). Exported with its constructors, assignment, destructor and operations.
 */
#ifndef MANAGEMENT_DEVICES_PSW_DEV_COMM_OPTION_H
#define MANAGEMENT_DEVICES_PSW_DEV_COMM_OPTION_H

#include <cstdint>

#include "management/base/pmc_memory.h"
#include "management/devices/psw_device_option.h"

class CPmcObjectList;
class IPmcGetDataRequest;

/* The most rows kept of the device, input tray and output tray tables. */
constexpr int32_t PSW_OPTION_DEVICES_MAX = 50;
constexpr int32_t PSW_OPTION_TRAYS_MAX = 20;

/* One row of the printer's device table. */
struct OptionDevice {
    int32_t index;        /* hrDeviceIndex */
    int32_t status;       /* hrDeviceStatus */
    char description[64]; /* hrDeviceDescr */
};

/* One output tray: running number from 1, prtOutputType, prtOutputOffsetStacking. */
struct OptionOutputTray {
    int32_t index;
    int32_t type;
    int32_t offset_stacking;
};

class CPSWDevCommOption : public IPSWDeviceOption, public CPmcHeapObject
{
public:
    /* The constructor starts with empty data and no community. */
    CPSWDevCommOption();
    CPSWDevCommOption(const CPSWDevCommOption &other);
    CPSWDevCommOption &operator=(const CPSWDevCommOption &other);
    ~CPSWDevCommOption() override;

    void destroy() override;
    void SetCommunityStr(const char *community) override;
    /* refresh_options: initialize_data, then the nine refresh steps in order, stopping at
     * the first that fails (its code is the result; the data read so far stays). */
    int32_t refresh_options() override;
    /* Init: address (cut to 63 characters), protocol and port (161 for IPv4 and IPv6,
     * 36879 for IPX; -2 for any other protocol, a null address or settings object),
     * time-out, retries, message size and the SNMPv3 values of the settings object.
     * Sends nothing. */
    int32_t Init(IPmcNetworkAddress::EProtocol protocol, const char *address, IPSWPluginUSM *usm, uint32_t timeout,
                 uint32_t retries, uint32_t max_message_size) override;
    /* get_option: -2 for a null name or value, -5 for an unknown name, -11 for a tray
     * index below 0 or not below the tray count; the unsigned form knows no name. */
    int32_t get_option(const char *name, const char **value, int32_t index) const override;
    int32_t get_option(const char *name, uint32_t *value, int32_t index) const override;
    int32_t get_option(const char *name, int32_t *value, int32_t index) const override;
    int32_t get_option(const char *name, bool *value, int32_t index) const override;

protected:
    /* initialize_data: empties texts, flags, numbers and tables; keeps address, protocol,
     * SNMPv3 values and community. */
    void initialize_data();
    int32_t refresh_system_attributes();
    int32_t refresh_hrdevice_table();
    int32_t refresh_input_tray_table();
    int32_t refresh_output_tray_table();
    int32_t refresh_memory_size();
    int32_t refresh_prt_media_table();
    int32_t refresh_netware_attributes();
    int32_t refresh_vcm_hrdev_detail_setting();
    int32_t refresh_finisher_booklet_info();
    /* refresh_prt_marker_supplies_table: with a finisher (device 123) only: whether a
     * staple supply (type 32) or another supply exists. Not part of refresh_options. */
    int32_t refresh_prt_marker_supplies_table();
    /* parse_version_value: the three numbers of the controller version text; -1 with an
     * Error line on "PSW" when it does not have the form. */
    int32_t parse_version_value();
    bool has_device_index(int32_t hr_device_index) const;
    void MediaDimensionToMediumSize(int32_t unit, int32_t feed, int32_t cross_feed, int32_t *size_code,
                                    int32_t *direction) const;
    void ConvertMediumLevel(int32_t unit, int32_t maximum, int32_t current, int32_t *maximum_out,
                            int32_t *percent) const;

    /* The request of one step. create_request: a new get-data request; setup_request:
     * the community (when set), then this printer's address and credentials; open_step:
     * both, then the identifiers (".0" appended when `scalar`). Each logs its failing call
     * on "PSW"; open_step releases the request on failure. */
    int32_t create_request(IPmcGetDataRequest **out) const;
    int32_t setup_request(IPmcGetDataRequest *request) const;
    int32_t open_step(const char *const *oids, uint32_t count, bool scalar, IPmcGetDataRequest **out) const;
    /* get_text: a GET of one text into a field of `size` bytes (cut to it). */
    int32_t get_text(const char *oid, bool scalar, char *field, uint32_t size) const;
    /* walk_step: the columns walked together; *rows the answer rows (released by the
     * caller, null on failure). */
    int32_t walk_step(const char *const *columns, uint32_t count, CPmcObjectList **rows) const;

    IPmcNetworkAddress::EProtocol m_protocol;
    char m_address[64];
    uint16_t m_port;
    uint32_t m_timeout;
    uint32_t m_retries;
    uint32_t m_max_message_size;
    /* The SNMPv3 values; the texts belong to the settings object. */
    int32_t m_version;
    const char *m_user_name;
    int32_t m_security_level;
    int32_t m_auth_protocol;
    int32_t m_priv_protocol;
    const char *m_auth_pass_phrase;
    const char *m_priv_pass_phrase;
    const char *m_extension;
    char m_community[256];
    bool m_community_set;
    char m_rom_version[64];        /* "PrinterRomVersion" */
    char m_sys_name[256];          /* "SysName" */
    char m_netware_unit_name[256]; /* "NetWareSAPUnitName" */
    bool m_duplex_unit;
    bool m_manual_feeder;
    bool m_device105_running;
    bool m_device108_running;
    bool m_offset_stacking_output;
    bool m_staple_supply;
    bool m_no_staple_supply;
    int32_t m_memory_size_kb;
    int32_t m_rom_major;
    int32_t m_rom_minor;
    int32_t m_rom_revision;
    int32_t m_paper_size_group;
    int32_t m_paper_size_8k;
    int32_t m_booklet_impressions;
    int32_t m_min_password_length;
    int32_t m_user_prompt;
    int32_t m_print_limited_off_coating1;
    int32_t m_trimming_shift_stationary;
    int32_t m_trimming_shift_thick;
    int32_t m_device_count;
    OptionDevice m_devices[PSW_OPTION_DEVICES_MAX];
    int32_t m_input_tray_count;
    OptionInputTray m_input_trays[PSW_OPTION_TRAYS_MAX];
    int32_t m_output_tray_count;
    OptionOutputTray m_output_trays[PSW_OPTION_TRAYS_MAX];
};

#endif /* MANAGEMENT_DEVICES_PSW_DEV_COMM_OPTION_H */
