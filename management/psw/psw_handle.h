/*
 * CPSWHandle: what one caller of the PSW exports holds from PSWInit to PSWUnInit: the
 * option and status objects of its device session, the finder, the three community texts
 * and the SNMPv3 settings. The exports check their arguments and forward to these objects.
 */
#ifndef MANAGEMENT_PSW_PSW_HANDLE_H
#define MANAGEMENT_PSW_PSW_HANDLE_H

#include <cstdint>

#include "management/base/pmc_memory.h"
#include "management/include/psw.h"

class CPSWDeviceFinder;
class CPSWDeviceStatus;
class CPSWMarlOption;
class IPSWPluginUSM;

/* Results of the exports beside those of the objects below. */
enum PSWResult {
    PSW_OK = 0,
    PSW_E_ARG = -2, /* invalid argument, unknown transport, wrong protocol */
    PSW_E_MEMORY = -3,
    PSW_E_UNKNOWN = -5,    /* unknown command or protocol */
    PSW_E_NO_SESSION = -8, /* the option or status object is missing */
};

/* The size of a community text with its NUL. */
constexpr uint32_t PSW_COMMUNITY_FIELD = 256;

class CPSWHandle : public CPmcHeapObject
{
public:
    CPSWHandle();
    /* Releases the option object, the finder, the status object and both settings. */
    virtual ~CPSWHandle();
    CPSWHandle(const CPSWHandle &) = delete;
    CPSWHandle &operator=(const CPSWHandle &) = delete;

    /* release_session: releases the option and status objects of the device session. */
    void release_session();

    CPSWMarlOption *option; /* null until a device session is opened */
    CPSWDeviceFinder *finder;
    char find_community[PSW_COMMUNITY_FIELD];   /* empty: "public" */
    char option_community[PSW_COMMUNITY_FIELD]; /* empty: "public" */
    char write_community[PSW_COMMUNITY_FIELD];  /* empty: "private" */
    CPSWDeviceStatus *status;                   /* null until a session's model check passed */
    IPSWPluginUSM *usm;                         /* the settings of discovery */
    /* The settings of the device session, loaded only at PSWInitDevice(Ex): the option and
     * status objects read its texts, so a later discovery never changes an open session's
     * credentials. */
    IPSWPluginUSM *session_usm;
};

/* psw_create_handle: a handle with its finder and both settings objects (built-in
 * defaults), communities empty and no session. 0, or -3 with nothing kept. */
int psw_create_handle(CPSWHandle **out);

/* psw_transport_protocol: the network protocol of a caller's transport type (1 -> 1,
 * 2 -> 2, 3 -> 3, 5 -> 4), 0 for any other type. */
int psw_transport_protocol(int32_t transport);

/* psw_text_fits: whether `text` ends within `capacity` bytes (at most capacity - 1
 * characters before its NUL). Reads no byte past its NUL or past capacity. */
bool psw_text_fits(const char *text, uint32_t capacity);

#endif /* MANAGEMENT_PSW_PSW_HANDLE_H */
