/*
 * The handle of the PSW exports: creation with its finder and settings, release, and the
 * translation of the caller's transport types.
 */
#include "management/psw/psw_handle.h"

#include "management/devices/psw_device_finder.h"
#include "management/devices/psw_device_status.h"
#include "management/devices/psw_marl_option.h"
#include "management/devices/psw_plugin_usm.h"

CPSWHandle::CPSWHandle()
    : option(nullptr), finder(nullptr), find_community(), option_community(), write_community(), status(nullptr),
      usm(nullptr), session_usm(nullptr)
{}

CPSWHandle::~CPSWHandle()
{
    release_session();
    delete finder;
    if (usm)
        usm->release();
    if (session_usm)
        session_usm->release();
}

void CPSWHandle::release_session()
{
    if (option)
        option->destroy();
    option = nullptr;
    delete status;
    status = nullptr;
}

int psw_create_handle(CPSWHandle **out)
{
    CPSWHandle *handle = new CPSWHandle();
    if (!handle)
        return PSW_E_MEMORY;
    handle->finder = new CPSWDeviceFinder();
    int code = PSW_OK;
    if (handle->finder)
        handle->usm = pmc_create_plugin_usm(&code);
    if (handle->usm)
        handle->session_usm = pmc_create_plugin_usm(&code);
    if (!handle->session_usm) {
        delete handle;
        return PSW_E_MEMORY;
    }
    *out = handle;
    return PSW_OK;
}

/* The caller's transport types and the protocols of the library's network addresses. */
struct PSWTransportRow {
    int32_t transport;
    int protocol;
};

static const PSWTransportRow PSW_TRANSPORTS[] = {
    {1, 1}, /* IPv4 over UDP */
    {2, 2}, /* IPX */
    {3, 3}, /* served by no transport of the library */
    {5, 4}, /* IPv6 over UDP */
};

int psw_transport_protocol(int32_t transport)
{
    for (const PSWTransportRow &row : PSW_TRANSPORTS) {
        if (row.transport == transport)
            return row.protocol;
    }
    return 0;
}

bool psw_text_fits(const char *text, uint32_t capacity)
{
    for (uint32_t i = 0; i < capacity; ++i) {
        if (text[i] == '\0')
            return true;
    }
    return false;
}
