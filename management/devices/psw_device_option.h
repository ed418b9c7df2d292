/*
 * IPSWDeviceOption: the option object of one printer as callers see it. It reads over SNMP
 * which options the printer has installed, its input trays, memory, controller version and
 * a set of device settings, and answers questions about them by option name.
 */
#ifndef MANAGEMENT_DEVICES_PSW_DEVICE_OPTION_H
#define MANAGEMENT_DEVICES_PSW_DEVICE_OPTION_H

#include <cstdint>

#include "management/network/pmc_network_address.h"

class IPSWPluginUSM;

/* One input tray as the option object keeps it. All numbers signed 32-bit. */
struct OptionInputTray {
    int32_t index;                /* "InputTrayIndex": running number from 1 */
    int32_t type;                 /* "InputTrayType": prtInputType */
    int32_t media_size;           /* "InputTrayMediaSize": 10000 when no size matched */
    int32_t media_direction;      /* "InputTrayMediaDirection": 1 when no size matched */
    int32_t max_capacity;         /* "InputTrayMaxCapacityInSheets": -1 unknown */
    int32_t current_level;        /* "InputTrayCurrentLevelInPercent": -1 unknown */
    int32_t feed_dimension;       /* "InputTrayMediaDimFeedDirChosen" */
    int32_t cross_feed_dimension; /* "InputTrayMediaDimXFeedDirChosen" */
    char name[64];                /* "InputTrayName" */
    char description[256];        /* "InputTrayDescription" */
    char media_type[256];         /* "InputTrayMediaType" */
};

/*
 * The option object's operations, in their slot order. Results: 0, or a negative status
 * (-2 a null argument or an unsupported printer, -5 an unknown option name, -11 a tray
 * index out of range, or the code of the failing SNMP call).
 */
class IPSWDeviceOption
{
public:
    /* destroy: releases the object (it deletes itself). */
    virtual void destroy() = 0;
    /* SetCommunityStr: the community of every later request (at most 255 characters kept;
     * a null text is ignored). */
    virtual void SetCommunityStr(const char *community) = 0;
    /* refresh_options: reads every option of the printer again, starting from empty data. */
    virtual int32_t refresh_options() = 0;
    /* Init: the printer's address and credentials. The settings object is not copied: it
     * must outlive the option object. */
    virtual int32_t Init(IPmcNetworkAddress::EProtocol protocol, const char *address, IPSWPluginUSM *usm,
                         uint32_t timeout, uint32_t retries, uint32_t max_message_size) = 0;
    /* is_supported_OID: whether the printer's sysObjectID begins with the prefix. */
    virtual bool is_supported_OID(const char *prefix) = 0;
    /* get_option (text): *value receives the object's own text, valid until the next
     * refresh or the object's end. */
    virtual int32_t get_option(const char *name, const char **value, int32_t index) const = 0;
    virtual int32_t get_option(const char *name, uint32_t *value, int32_t index) const = 0;
    virtual int32_t get_option(const char *name, int32_t *value, int32_t index) const = 0;
    virtual int32_t get_option(const char *name, bool *value, int32_t index) const = 0;
    virtual ~IPSWDeviceOption() = default;
};

#endif /* MANAGEMENT_DEVICES_PSW_DEVICE_OPTION_H */
