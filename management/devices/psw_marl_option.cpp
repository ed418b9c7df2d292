/*
 * The option object of the supported models: Init reads the sysObjectID and accepts only
 * the supported printer families.
 */
#include "management/devices/psw_marl_option.h"

#include <cstring>

#include "management/base/pmc_status.h"
#include "management/devices/psw_request_support.h"
#include "management/requests/pmc_request.h"

namespace {

/* The sysObjectID prefixes of the supported models; a supported identifier ends after
 * the prefix or continues it with '.'. */
const char *const kSupportedModels[] = {"1.3.6.1.4.1.99953.1.11.93.1.33.5.1", "1.3.6.1.4.1.99953.1.11.93.1.33.7.1"};

const char kSysObjectId[] = "1.3.6.1.2.1.1.2";

bool is_supported_model(const char *sys_object_id)
{
    for (const char *prefix : kSupportedModels) {
        size_t length = std::strlen(prefix);
        if (std::strncmp(sys_object_id, prefix, length) == 0 &&
            (sys_object_id[length] == '\0' || sys_object_id[length] == '.'))
            return true;
    }
    return false;
}

} // namespace

CPSWMarlOption::CPSWMarlOption() : CPSWDevCommOption(), m_sys_object_id() {}

CPSWMarlOption::CPSWMarlOption(const CPSWMarlOption &other) = default;
CPSWMarlOption &CPSWMarlOption::operator=(const CPSWMarlOption &other) = default;
CPSWMarlOption::~CPSWMarlOption() = default;

int32_t CPSWMarlOption::Init(IPmcNetworkAddress::EProtocol protocol, const char *address, IPSWPluginUSM *usm,
                             uint32_t timeout, uint32_t retries, uint32_t max_message_size)
{
    int32_t code = CPSWDevCommOption::Init(protocol, address, usm, timeout, retries, max_message_size);
    return code == PMC_OK ? is_supported_device() : code;
}

bool CPSWMarlOption::is_supported_OID(const char *prefix)
{
    return !prefix || std::strncmp(m_sys_object_id, prefix, std::strlen(prefix)) == 0;
}

int32_t CPSWMarlOption::get_option(const char *name, const char **value, int32_t index) const
{
    if (!name || !value)
        return PMC_E_ARG;
    return CPSWDevCommOption::get_option(name, value, index);
}

int32_t CPSWMarlOption::get_option(const char *name, int32_t *value, int32_t index) const
{
    if (!name || !value)
        return PMC_E_ARG;
    return CPSWDevCommOption::get_option(name, value, index);
}

int32_t CPSWMarlOption::get_option(const char *name, bool *value, int32_t index) const
{
    if (!name || !value)
        return PMC_E_ARG;
    return CPSWDevCommOption::get_option(name, value, index);
}

/* The address must be of the protocol given at Init; the sysObjectID read is kept
 * whether the model is supported or not. */
int32_t CPSWMarlOption::is_supported_device() const
{
    IPmcGetDataRequest *request = nullptr;
    int32_t code = create_request(&request);
    if (code != PMC_OK)
        return code;
    int protocol = 0;
    if (request->classify(m_address, &protocol) != PMC_OK || protocol != m_protocol) {
        request->release();
        return PMC_E_ARG;
    }
    code = setup_request(request);
    if (code == PMC_OK) {
        code = request->add_oid_string(kSysObjectId, true);
        if (code != PMC_OK)
            psw_log_failure("pGetData->add_oid_string()", code);
    }
    if (code == PMC_OK) {
        code = request->get_string(m_sys_object_id, sizeof m_sys_object_id);
        if (code != PMC_OK)
            psw_log_failure("pGetData->get_data()", code);
    }
    request->release();
    if (code != PMC_OK)
        return code;
    return is_supported_model(m_sys_object_id) ? PMC_OK : PMC_E_ARG;
}
