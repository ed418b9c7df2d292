/*
 * The PSW exports of the device session: opening it, reading its options and the model
 * question.
 */
#include <cstring>

#include "management/devices/psw_device_status.h"
#include "management/devices/psw_marl_option.h"
#include "management/devices/psw_plugin_usm.h"
#include "management/include/psw.h"
#include "management/psw/psw_handle.h"

int32_t PSW_API PSWInitDevice(CPSWHandle *handle, const char *address, int32_t transport, uint32_t timeout,
                              uint32_t retries)
{
    PSWUSMParams none;
    std::memset(&none, 0, sizeof none);
    return PSWInitDeviceEx(handle, address, transport, 0, none, timeout, retries);
}

int32_t PSW_API PSWInitDeviceEx(CPSWHandle *handle, const char *address, int32_t transport, int32_t version,
                                PSWUSMParams usm, uint32_t timeout, uint32_t retries)
{
    if (!handle || !address)
        return PSW_E_ARG;
    int protocol = psw_transport_protocol(transport);
    if (protocol == 0)
        return PSW_E_ARG;
    CPSWMarlOption *option = new CPSWMarlOption();
    if (!option)
        return PSW_E_MEMORY;
    /* The session this one replaces ends here, before its settings are loaded anew. */
    handle->release_session();
    handle->option = option;
    handle->session_usm->load(version, usm);
    if (handle->option_community[0] != '\0')
        option->SetCommunityStr(handle->option_community);
    int32_t code = option->Init(protocol, address, handle->session_usm, timeout, retries, 0);
    if (code != PSW_OK)
        return code;
    CPSWDeviceStatus *status = new CPSWDeviceStatus();
    if (!status)
        return PSW_E_MEMORY;
    handle->status = status;
    if (handle->option_community[0] != '\0')
        status->set_read_community(handle->option_community);
    if (handle->write_community[0] != '\0')
        status->set_write_community(handle->write_community);
    return status->setup(
        protocol, address, handle->session_usm, static_cast<int32_t>(timeout), static_cast<int32_t>(retries), 0);
}

int32_t PSW_API PSWRefreshOptions(CPSWHandle *handle)
{
    if (!handle)
        return PSW_E_ARG;
    if (!handle->option)
        return PSW_E_NO_SESSION;
    return handle->option->refresh_options();
}

int16_t PSW_API PSWIsSupportedOID(CPSWHandle *handle, const char *prefix)
{
    if (!handle)
        return PSW_E_ARG;
    if (!handle->option)
        return 0;
    if (!prefix || prefix[0] == '\0')
        return 1;
    return handle->option->is_supported_OID(prefix) ? 1 : 0;
}

int32_t PSW_API PSWGetOptionValueBoolean(CPSWHandle *handle, const char *name, uint16_t index, int16_t *value)
{
    if (!handle || !name || !value)
        return PSW_E_ARG;
    if (!handle->option)
        return PSW_E_NO_SESSION;
    bool answer = false;
    int32_t code = handle->option->get_option(name, &answer, index);
    if (code == PSW_OK)
        *value = answer ? 1 : 0;
    return code;
}

int32_t PSW_API PSWGetOptionValueInteger(CPSWHandle *handle, const char *name, uint16_t index, int32_t *value)
{
    if (!handle || !name || !value)
        return PSW_E_ARG;
    if (!handle->option)
        return PSW_E_NO_SESSION;
    return handle->option->get_option(name, value, index);
}

int32_t PSW_API PSWGetOptionValueUInteger(CPSWHandle *handle, const char *name, uint16_t index, uint32_t *value)
{
    if (!handle || !name || !value)
        return PSW_E_ARG;
    if (!handle->option)
        return PSW_E_NO_SESSION;
    return handle->option->get_option(name, value, index);
}

int32_t PSW_API PSWGetOptionValueString(CPSWHandle *handle, const char *name, uint16_t index, char *buffer)
{
    if (!handle || !name || !buffer)
        return PSW_E_ARG;
    if (!handle->option)
        return PSW_E_NO_SESSION;
    const char *text = nullptr;
    int32_t code = handle->option->get_option(name, &text, index);
    if (code != PSW_OK)
        return code;
    /* The caller's buffer holds 256 bytes: never more is written. */
    std::size_t length = text ? std::strlen(text) : 0;
    if (length > 255)
        length = 255;
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return PSW_OK;
}
