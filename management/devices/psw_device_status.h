/*
 * CPSWDeviceStatus: the changing state of one printer, read on demand by SNMP walks into
 * the fixed-size records of the public header: storage areas, devices, printer status,
 * input and output trays, toner supplies and alerts.
 */
#ifndef MANAGEMENT_DEVICES_PSW_DEVICE_STATUS_H
#define MANAGEMENT_DEVICES_PSW_DEVICE_STATUS_H

#include <cstdint>

#include "management/base/pmc_memory.h"
#include "management/include/psw.h"

class IPSWPluginUSM;
class IPmcGetDataRequest;
class IPmsVarBindList;

/* The tables of the status object. */
enum PSWStatusTable {
    PSW_TABLE_STORAGE,
    PSW_TABLE_DEVICE,
    PSW_TABLE_INPUT_TRAY,
    PSW_TABLE_OUTPUT_TRAY,
    PSW_TABLE_TONER,
    PSW_TABLE_ALERT,
    PSW_TABLE_JOB, /* read by read_jobs */
    PSW_TABLE_COUNT
};

/* The records of one table, grown as rows are read. */
struct PSWRecordArray {
    uint8_t *records;
    uint32_t count;
    uint32_t capacity;
};

class CPSWDeviceStatus final : public CPmcHeapObject
{
public:
    CPSWDeviceStatus();
    ~CPSWDeviceStatus();
    CPSWDeviceStatus(const CPSWDeviceStatus &) = delete;
    CPSWDeviceStatus &operator=(const CPSWDeviceStatus &) = delete;

    /* set_read_community: at most 255 characters kept; the reads then use it. */
    void set_read_community(const char *text);
    /* set_write_community: at most 255 characters kept ("private" at creation). */
    void set_write_community(const char *text);
    /* setup: the printer's address and credentials; port 161 for protocols 1 and 4, 36879
     * for 2, -2 for any other protocol or a null address or settings object. Sends nothing. */
    int setup(int protocol, const char *address, IPSWPluginUSM *usm, int32_t timeout, int32_t retries,
              uint32_t max_message_size);
    /*
     * read_table: empties the table and walks it. count (out): the records on success. 0,
     * or the failing call's code (logged on "PSW"); rows stored before a failure stay.
     */
    int read_table(PSWStatusTable table, int32_t *count);
    /* get_record: copies record `index` (taken as unsigned) of the table's last read into
     * `out` (the table's record size); -11 when there is none, -2 for a null out. */
    int get_record(PSWStatusTable table, int32_t index, void *out);
    /* read_printer_status: the last row of hrPrinterTable decides. */
    int read_printer_status(PSWPrinterInfo *out);

    /*
     * read_character_set: kind 0 the standard, kind 1 the private character set: for each
     * row of the localization column, the character set at the instance <row>.<value>;
     * the last one read is cached and given in *code. 0, -2 for another kind, or the
     * failing call's code (logged on "PSW"; the walk stops there).
     */
    int read_character_set(int32_t kind, int32_t *code);
    /*
     * read_jobs: kind 0 every job, 1 those whose state is not 17, 2 those whose state is
     * 17; the private character set is read first when not known yet. Each row's three
     * texts are looked up with GETs; the job identifier comes from the row index. count
     * (out): the records on success. 0, -2 for another kind, -401 for an index octet above
     * 255, or the failing call's code.
     */
    int read_jobs(int32_t kind, int32_t *count);
    /* cancel_job: SETs INTEGER 1414 to the cancel object of the job identifier (its bytes
     * as a length-prefixed index behind 101), always with the write community. 0, -7 when
     * the printer refuses, or the failing call's code. */
    int cancel_job(const char *job_id);

private:
    int fill_job(IPmsVarBindList *row, PSWJobInfo *job);
    int lookup_text(IPmsVarBindList *row, uint32_t column, char *field);
    /* make_request: a get-data request set up for this printer; the community is the
     * write community when `write`, else the read community when one was set. */
    int make_request(bool write, IPmcGetDataRequest **out);
    int walk(const char *const *columns, uint32_t column_count, void *results_out);

    int32_t m_protocol;
    char m_address[64];
    uint16_t m_port;
    int32_t m_timeout;
    int32_t m_retries;
    uint32_t m_max_message_size;
    char m_read_community[256];
    bool m_read_community_set;
    char m_write_community[256];
    PSWRecordArray m_tables[PSW_TABLE_COUNT];
    PSWPrinterInfo m_printer;
    IPSWPluginUSM *m_usm;
    int32_t m_character_sets[2];
};

/* psw_decode_date_time: an SNMP DateAndTime (at least 7 octets) into its six numbers;
 * anything shorter or missing gives all zero. */
void psw_decode_date_time(const uint8_t *octets, uint32_t length, PSWDateTime *out);

/* psw_map_type: the last sub-identifier of an identifier text of the table's type list
 * (storage 1.3.6.1.2.1.25.2.1.n, n 1-8; devices 1.3.6.1.2.1.25.3.1.n, n 1-6 and 10-21,
 * and 1.3.6.1.4.1.99941.8.52.2.n, n 101-109, 151-154, 201-207; jobs
 * 1.3.6.1.4.1.99941.8.58.2.n, n 1-12), else 0. */
int32_t psw_map_type(PSWStatusTable table, const char *oid_text);

#endif /* MANAGEMENT_DEVICES_PSW_DEVICE_STATUS_H */
