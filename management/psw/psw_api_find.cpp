/*
 * The PSW exports of discovery and the transport check.
 */
#include <cstring>

#include "management/devices/psw_device_finder.h"
#include "management/devices/psw_plugin_usm.h"
#include "management/include/psw.h"
#include "management/network/pmc_address_factory.h"
#include "management/psw/psw_handle.h"

int32_t PSW_API PSWFindAddFilter(CPSWHandle *handle, const char *prefix)
{
    if (!handle || !prefix)
        return PSW_E_ARG;
    /* A prefix that does not fit a filter slot is refused whole. */
    if (!psw_text_fits(prefix, PSW_TEXT_FIELD))
        return PSW_E_ARG;
    handle->finder->add_filter(prefix);
    return PSW_OK;
}

void PSW_API PSWFindClearFilter(CPSWHandle *handle)
{
    if (handle)
        handle->finder->clear_filters();
}

int32_t PSW_API PSWFindDeviceSNMP(CPSWHandle *handle, const char *address, int32_t transport, uint32_t timeout,
                                  uint32_t retries, int32_t *count)
{
    PSWUSMParams none;
    std::memset(&none, 0, sizeof none);
    return PSWFindDeviceSNMPEx(handle, address, transport, 0, none, timeout, retries, count);
}

int32_t PSW_API PSWFindDeviceSNMPEx(CPSWHandle *handle, const char *address, int32_t transport, int32_t version,
                                    PSWUSMParams usm, uint32_t timeout, uint32_t retries, int32_t *count)
{
    if (!handle || !count)
        return PSW_E_ARG;
    int protocol = psw_transport_protocol(transport);
    if (protocol == 0)
        return PSW_E_ARG;
    if (protocol != 1 && protocol != 2 && protocol != 4)
        return PSW_E_UNKNOWN;
    if (!address)
        address = protocol == 4 ? "ff02::1" : "255.255.255.255";
    handle->usm->load(version, usm);
    /* The text is handed over even when empty, so that an emptied community means the
     * default again rather than the one of an earlier search. */
    handle->finder->set_community(handle->find_community);
    int code = handle->finder->setup(
        protocol, address, handle->usm, static_cast<int32_t>(timeout), static_cast<int32_t>(retries), 0);
    if (code != PSW_OK)
        return code;
    return handle->finder->collect(PSW_MODEL_TABLE, count);
}

void PSW_API PSWFindResetPosition(CPSWHandle *handle)
{
    if (handle)
        handle->finder->reset_position();
}

int16_t PSW_API PSWGetDeviceNext(CPSWHandle *handle, char *address, char *model_name, char *reserved, char *object_id)
{
    if (!handle || !address || !model_name || !reserved || !object_id)
        return 0;
    return handle->finder->next(address, model_name, reserved, object_id) ? 1 : 0;
}

int16_t PSW_API PSWTransportAvailable(int32_t transport)
{
    int protocol = psw_transport_protocol(transport);
    if (protocol != 1 && protocol != 2 && protocol != 4)
        return 0;
    bool available = false;
    if (pmc_transport_available(protocol, &available) != PSW_OK)
        return 0;
    return available ? 1 : 0;
}
