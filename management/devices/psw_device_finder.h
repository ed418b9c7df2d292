/*
 * CPSWDeviceFinder: finds the supported printers on the network with one broadcast (or
 * multicast) GET of sysObjectID, keeps the answers of known models that pass the caller's
 * prefix filters, and hands them out one by one (newest answer first).
 */
#ifndef MANAGEMENT_DEVICES_PSW_DEVICE_FINDER_H
#define MANAGEMENT_DEVICES_PSW_DEVICE_FINDER_H

#include <cstdint>

#include "management/base/pmc_memory.h"

class IPmcFindDeviceRequest;
class IPSWPluginUSM;

/* One supported model: a sysObjectID prefix and its model name. */
struct PSWModelEntry {
    const char *prefix;
    const char *model_name;
};

/* The built-in model table, ended by a row of two nulls. */
extern const PSWModelEntry PSW_MODEL_TABLE[];

/* One result. */
struct PSWFoundDevice : CPmcHeapObject {
    char sys_object_id[64];
    char model_name[64];
    char address[64];
    PSWFoundDevice *next;
};

/* The results of one search. */
struct PSWFoundList : CPmcHeapObject {
    int32_t count;
    int32_t position; /* 0 = first result */
    PSWFoundDevice *first;
};

/* The number of filter slots and the size of each. */
constexpr uint32_t PSW_FILTER_SLOTS = 50;
constexpr uint32_t PSW_TEXT_FIELD = 64;

class CPSWDeviceFinder final : public CPmcHeapObject
{
public:
    CPSWDeviceFinder();
    ~CPSWDeviceFinder();
    CPSWDeviceFinder(const CPSWDeviceFinder &) = delete;
    CPSWDeviceFinder &operator=(const CPSWDeviceFinder &) = delete;

    /* set_community: at most 255 characters kept; null does nothing. */
    void set_community(const char *text);
    /* add_filter: into the first empty slot (at most 63 characters kept); a full table or
     * a null text changes nothing. */
    void add_filter(const char *text);
    void clear_filters();
    /*
     * setup: a new search of `address` (whose protocol must be `protocol`, else -2) with
     * the SNMPv3 settings of `usm`; the earlier search's request and results are dropped.
     * 0, the request's failure code (logged on "PSW"), -2 for a null usm or address.
     */
    int setup(int protocol, const char *address, IPSWPluginUSM *usm, int32_t timeout, int32_t retries,
              uint32_t max_message_size);
    /*
     * collect: sends the GET and keeps the answers of models of `models` that pass the
     * filters, each put in front of the results. count (out): the number of results, 0 on
     * failure. 0, -2 without a search set up, -3 when a result cannot be kept, or the
     * request's failure code (logged on "PSW").
     */
    int collect(const PSWModelEntry *models, int32_t *count);
    void reset_position();
    /*
     * next: the result at the read position into the 64-byte buffers (any may be null),
     * reserved set to an empty text; false without a result there.
     */
    bool next(char *address, char *model_name, char *reserved, char *sys_object_id);

private:
    void drop_search();
    bool passes_filters(const char *text) const;

    IPmcFindDeviceRequest *m_request;
    PSWFoundList *m_results;
    char m_filters[PSW_FILTER_SLOTS][PSW_TEXT_FIELD];
    const PSWModelEntry *m_models;
    char m_community[256];
};

/* psw_match_model: the model name of the first row whose prefix the text begins with,
 * followed by its end or '.'; null for none. */
const char *psw_match_model(const PSWModelEntry *models, const char *sys_object_id);

#endif /* MANAGEMENT_DEVICES_PSW_DEVICE_FINDER_H */
