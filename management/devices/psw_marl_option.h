/*
 * CPSWMarlOption: the option object of a supported printer model. Init reads the printer's
 * sysObjectID and opens the session only with a supported model. Exported like its base.
 */
#ifndef MANAGEMENT_DEVICES_PSW_MARL_OPTION_H
#define MANAGEMENT_DEVICES_PSW_MARL_OPTION_H

#include <cstdint>

#include "management/devices/psw_dev_comm_option.h"

class CPSWMarlOption : public CPSWDevCommOption
{
public:
    CPSWMarlOption();
    CPSWMarlOption(const CPSWMarlOption &other);
    CPSWMarlOption &operator=(const CPSWMarlOption &other);
    ~CPSWMarlOption() override;

    /* Init: the inherited Init, then the model check, whose result is the result (-2 for
     * another model or an address of another protocol). */
    int32_t Init(IPmcNetworkAddress::EProtocol protocol, const char *address, IPSWPluginUSM *usm, uint32_t timeout,
                 uint32_t retries, uint32_t max_message_size) override;
    /* is_supported_OID: true for a null prefix, else whether the sysObjectID read at Init
     * begins with it. */
    bool is_supported_OID(const char *prefix) override;
    int32_t get_option(const char *name, const char **value, int32_t index) const override;
    int32_t get_option(const char *name, int32_t *value, int32_t index) const override;
    int32_t get_option(const char *name, bool *value, int32_t index) const override;
    using CPSWDevCommOption::get_option;

private:
    /* is_supported_device: reads the sysObjectID (kept whatever it is); 0 for a supported
     * model, -2 otherwise, or the failing call's code. */
    int32_t is_supported_device() const;

    mutable char m_sys_object_id[256]; /* written by the model check */
};

#endif /* MANAGEMENT_DEVICES_PSW_MARL_OPTION_H */
