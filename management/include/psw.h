/*
 * The public C header of the printer-management library: the fixed-size records in which
 * the status of a printer is handed to callers. Every number is a signed 32-bit integer
 * (little-endian); texts are NUL-terminated and zero-filled. The layouts are part of the
 * library's external interface: sizes and offsets are checked below, as C and as C++.
 */
#ifndef MANAGEMENT_INCLUDE_PSW_H
#define MANAGEMENT_INCLUDE_PSW_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define PSW_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define PSW_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

/* One storage area of the printer (hrStorageTable). */
typedef struct PSWStorageInfo {
    int32_t type;            /* storage type code, mapped from hrStorageType */
    int32_t allocation_unit; /* bytes */
    int32_t size;            /* in allocation units */
    char description[256];
} PSWStorageInfo;

/* One device of the printer (hrDeviceTable). */
typedef struct PSWDeviceInfo {
    int32_t type; /* device type code, mapped from hrDeviceType */
    int32_t status;
    char description[256];
} PSWDeviceInfo;

/* The printer status (hrPrinterTable). */
typedef struct PSWPrinterInfo {
    int32_t status;                  /* hrPrinterStatus */
    uint8_t detected_error_state[4]; /* the first four octets of hrPrinterDetectedErrorState */
} PSWPrinterInfo;

/* One input tray (prtInputTable). */
typedef struct PSWInputTrayInfo {
    int32_t type;
    int32_t dimension_unit;
    int32_t feed_declared;
    int32_t cross_feed_declared;
    int32_t feed_chosen;
    int32_t cross_feed_chosen;
    int32_t capacity_unit;
    int32_t max_capacity;
    int32_t current_level;
    int32_t status;
    char media_name[64];
    char name[64];
    char description[256];
    char media_type[64];
    char media_color[64];
} PSWInputTrayInfo;

/* One output tray (prtOutputTable). */
typedef struct PSWOutputTrayInfo {
    int32_t type;
    int32_t status;
    char name[64];
    char description[256];
} PSWOutputTrayInfo;

/* One toner supply (prtMarkerSuppliesTable rows of type toner). */
typedef struct PSWTonerInfo {
    int32_t supply_unit;
    int32_t max_capacity;
    int32_t level;
    char description[256];
} PSWTonerInfo;

/* One alert (prtAlertTable). */
typedef struct PSWAlertInfo {
    int32_t severity;
    int32_t group;
    int32_t group_index;
    int32_t location;
    int32_t code;
    char description[256];
} PSWAlertInfo;

/* A date and time of a job. */
typedef struct PSWDateTime {
    uint16_t year;
    uint16_t month;
    uint16_t day;
    uint16_t hour;
    uint16_t minutes;
    uint16_t seconds;
} PSWDateTime;

/* One job (the maker's job tables). */
typedef struct PSWJobInfo {
    int32_t type;
    int32_t state; /* 17 marks the jobs of kind 2 */
    int32_t state_2;
    int32_t value_1;
    int32_t value_2;
    char text_1[256];
    char text_2[256];
    char text_3[256];
    char job_id[256];
    char name[256];
    PSWDateTime time_1;
    PSWDateTime time_2;
    PSWDateTime time_3;
} PSWJobInfo;

PSW_STATIC_ASSERT(sizeof(PSWStorageInfo) == 268, "PSWStorageInfo is 268 bytes");
PSW_STATIC_ASSERT(offsetof(PSWStorageInfo, allocation_unit) == 4, "PSWStorageInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWStorageInfo, size) == 8, "PSWStorageInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWStorageInfo, description) == 12, "PSWStorageInfo layout");
PSW_STATIC_ASSERT(sizeof(PSWDeviceInfo) == 264, "PSWDeviceInfo is 264 bytes");
PSW_STATIC_ASSERT(offsetof(PSWDeviceInfo, status) == 4, "PSWDeviceInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWDeviceInfo, description) == 8, "PSWDeviceInfo layout");
PSW_STATIC_ASSERT(sizeof(PSWPrinterInfo) == 8, "PSWPrinterInfo is 8 bytes");
PSW_STATIC_ASSERT(offsetof(PSWPrinterInfo, detected_error_state) == 4, "PSWPrinterInfo layout");
PSW_STATIC_ASSERT(sizeof(PSWInputTrayInfo) == 552, "PSWInputTrayInfo is 552 bytes");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, dimension_unit) == 4, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, feed_declared) == 8, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, cross_feed_declared) == 12, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, feed_chosen) == 16, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, cross_feed_chosen) == 20, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, capacity_unit) == 24, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, max_capacity) == 28, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, current_level) == 32, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, status) == 36, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, media_name) == 40, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, name) == 104, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, description) == 168, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, media_type) == 424, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWInputTrayInfo, media_color) == 488, "PSWInputTrayInfo layout");
PSW_STATIC_ASSERT(sizeof(PSWOutputTrayInfo) == 328, "PSWOutputTrayInfo is 328 bytes");
PSW_STATIC_ASSERT(offsetof(PSWOutputTrayInfo, status) == 4, "PSWOutputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWOutputTrayInfo, name) == 8, "PSWOutputTrayInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWOutputTrayInfo, description) == 72, "PSWOutputTrayInfo layout");
PSW_STATIC_ASSERT(sizeof(PSWTonerInfo) == 268, "PSWTonerInfo is 268 bytes");
PSW_STATIC_ASSERT(offsetof(PSWTonerInfo, max_capacity) == 4, "PSWTonerInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWTonerInfo, level) == 8, "PSWTonerInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWTonerInfo, description) == 12, "PSWTonerInfo layout");
PSW_STATIC_ASSERT(sizeof(PSWAlertInfo) == 276, "PSWAlertInfo is 276 bytes");
PSW_STATIC_ASSERT(offsetof(PSWAlertInfo, group) == 4, "PSWAlertInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWAlertInfo, group_index) == 8, "PSWAlertInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWAlertInfo, location) == 12, "PSWAlertInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWAlertInfo, code) == 16, "PSWAlertInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWAlertInfo, description) == 20, "PSWAlertInfo layout");
PSW_STATIC_ASSERT(sizeof(PSWDateTime) == 12, "PSWDateTime is 12 bytes");
PSW_STATIC_ASSERT(offsetof(PSWDateTime, seconds) == 10, "PSWDateTime layout");
PSW_STATIC_ASSERT(sizeof(PSWJobInfo) == 1336, "PSWJobInfo is 1336 bytes");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, state) == 4, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, state_2) == 8, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, value_1) == 12, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, value_2) == 16, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, text_1) == 20, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, text_2) == 276, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, text_3) == 532, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, job_id) == 788, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, name) == 1044, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, time_1) == 1300, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, time_2) == 1312, "PSWJobInfo layout");
PSW_STATIC_ASSERT(offsetof(PSWJobInfo, time_3) == 1324, "PSWJobInfo layout");

/*
 * The exports of the printer-management library. Every function takes the standard
 * calling convention. Results are 0 or a negative status (signed 32-bit), except
 * PSWGetDeviceNext, PSWIsSupportedOID and PSWTransportAvailable, which answer a signed
 * 16-bit 1 or 0 (PSWIsSupportedOID -2 for a null handle):
 *   -1 failure of the layers below or an answer that cannot be parsed; -2 invalid
 *   argument, unknown transport, wrong protocol or unsupported device; -3 out of memory;
 *   -5 unknown command, option name or protocol; -7 the printer's answer holds no value;
 *   -8 no device session; -11 index out of range; the SNMP layers add their own codes.
 * Arguments are checked handle first, then in their order; the first failing check decides.
 */
#if defined(_MSC_VER)
#define PSW_API __stdcall
#elif defined(__i386__)
#define PSW_API __attribute__((__stdcall__))
#else
#define PSW_API /* 64-bit code has a single calling convention */
#endif

#ifdef __cplusplus
class CPSWHandle;
extern "C" {
#else
/* The handle of one caller, opaque, from PSWInit to PSWUnInit. */
typedef struct CPSWHandle CPSWHandle;
#endif

/* The SNMPv3 parameters, passed by value (716 bytes, no padding). An empty text or a
 * number outside 0..2 keeps the built-in value. */
typedef struct PSWUSMParams {
    char user_name[64];
    int32_t security_level; /* 0 none, 1 authentication, 2 authentication and privacy */
    int32_t auth_protocol;  /* 1 HMAC-MD5, 2 HMAC-SHA-1 */
    int32_t priv_protocol;  /* 1 DES, 2 AES */
    char auth_pass_phrase[64];
    char priv_pass_phrase[64];
    char extension[512];
} PSWUSMParams;

PSW_STATIC_ASSERT(sizeof(PSWUSMParams) == 716, "PSWUSMParams is 716 bytes");
PSW_STATIC_ASSERT(offsetof(PSWUSMParams, security_level) == 64, "PSWUSMParams layout");
PSW_STATIC_ASSERT(offsetof(PSWUSMParams, auth_protocol) == 68, "PSWUSMParams layout");
PSW_STATIC_ASSERT(offsetof(PSWUSMParams, priv_protocol) == 72, "PSWUSMParams layout");
PSW_STATIC_ASSERT(offsetof(PSWUSMParams, auth_pass_phrase) == 76, "PSWUSMParams layout");
PSW_STATIC_ASSERT(offsetof(PSWUSMParams, priv_pass_phrase) == 140, "PSWUSMParams layout");
PSW_STATIC_ASSERT(offsetof(PSWUSMParams, extension) == 204, "PSWUSMParams layout");

/* Transport types: 1 IPv4 over UDP, 2 IPX, 3 (served by no transport), 5 IPv6 over UDP. */
enum { PSW_TRANSPORT_IPV4 = 1, PSW_TRANSPORT_IPX = 2, PSW_TRANSPORT_UNSERVED = 3, PSW_TRANSPORT_IPV6 = 5 };

/* Handle life. */
int32_t PSW_API PSWInit(CPSWHandle **handle);
void PSW_API PSWUnInit(CPSWHandle *handle);

/* Commands: "CmdSetCommunityGetOption", "CmdSetCommunityFind", "CmdSetCommunityWrite"
 * (at most 255 characters; empty means "public" for reading and discovery, "private" for
 * writing). There is no integer command. */
int32_t PSW_API PSWCommandString(CPSWHandle *handle, const char *command, const char *value);
int32_t PSW_API PSWCommandInteger(CPSWHandle *handle, const char *command, int32_t value);

/* Discovery. Filters are prefixes of at most 63 characters, 50 at most; every output
 * buffer of PSWGetDeviceNext holds 64 bytes. */
int32_t PSW_API PSWFindAddFilter(CPSWHandle *handle, const char *prefix);
void PSW_API PSWFindClearFilter(CPSWHandle *handle);
int32_t PSW_API PSWFindDeviceSNMP(CPSWHandle *handle, const char *address, int32_t transport, uint32_t timeout,
                                  uint32_t retries, int32_t *count);
int32_t PSW_API PSWFindDeviceSNMPEx(CPSWHandle *handle, const char *address, int32_t transport, int32_t version,
                                    PSWUSMParams usm, uint32_t timeout, uint32_t retries, int32_t *count);
void PSW_API PSWFindResetPosition(CPSWHandle *handle);
int16_t PSW_API PSWGetDeviceNext(CPSWHandle *handle, char *address, char *model_name, char *reserved, char *object_id);

/* Device session and its options. The text buffer of PSWGetOptionValueString holds 256
 * bytes. */
int32_t PSW_API PSWInitDevice(CPSWHandle *handle, const char *address, int32_t transport, uint32_t timeout,
                              uint32_t retries);
int32_t PSW_API PSWInitDeviceEx(CPSWHandle *handle, const char *address, int32_t transport, int32_t version,
                                PSWUSMParams usm, uint32_t timeout, uint32_t retries);
int32_t PSW_API PSWRefreshOptions(CPSWHandle *handle);
int16_t PSW_API PSWIsSupportedOID(CPSWHandle *handle, const char *prefix);
int32_t PSW_API PSWGetOptionValueBoolean(CPSWHandle *handle, const char *name, uint16_t index, int16_t *value);
int32_t PSW_API PSWGetOptionValueInteger(CPSWHandle *handle, const char *name, uint16_t index, int32_t *value);
int32_t PSW_API PSWGetOptionValueUInteger(CPSWHandle *handle, const char *name, uint16_t index, uint32_t *value);
int32_t PSW_API PSWGetOptionValueString(CPSWHandle *handle, const char *name, uint16_t index, char *buffer);
int16_t PSW_API PSWTransportAvailable(int32_t transport);

/* Status tables: each count reads its table again; the record calls copy one record of
 * the table last read. */
int32_t PSW_API PSWGetNumberOfStorageInfo(CPSWHandle *handle, int32_t *count);
int32_t PSW_API PSWGetStorageInfo(CPSWHandle *handle, int32_t index, PSWStorageInfo *out);
int32_t PSW_API PSWGetNumberOfDeviceInfo(CPSWHandle *handle, int32_t *count);
int32_t PSW_API PSWGetDeviceInfo(CPSWHandle *handle, int32_t index, PSWDeviceInfo *out);
int32_t PSW_API PSWGetNumberOfInputTrayInfo(CPSWHandle *handle, int32_t *count);
int32_t PSW_API PSWGetInputTrayInfo(CPSWHandle *handle, int32_t index, PSWInputTrayInfo *out);
int32_t PSW_API PSWGetNumberOfOutputTrayInfo(CPSWHandle *handle, int32_t *count);
int32_t PSW_API PSWGetOutputTrayInfo(CPSWHandle *handle, int32_t index, PSWOutputTrayInfo *out);
int32_t PSW_API PSWGetNumberOfTonerInfo(CPSWHandle *handle, int32_t *count);
int32_t PSW_API PSWGetTonerInfo(CPSWHandle *handle, int32_t index, PSWTonerInfo *out);
int32_t PSW_API PSWGetNumberOfAlertInfo(CPSWHandle *handle, int32_t *count);
int32_t PSW_API PSWGetAlertInfo(CPSWHandle *handle, int32_t index, PSWAlertInfo *out);
int32_t PSW_API PSWGetPrinterInfo(CPSWHandle *handle, PSWPrinterInfo *out);
/* Jobs: kind 0 every job, 1 the jobs not in state 17, 2 those in state 17. */
int32_t PSW_API PSWGetNumberOfJobInfo(CPSWHandle *handle, int32_t kind, int32_t *count);
int32_t PSW_API PSWGetJobInfo(CPSWHandle *handle, int32_t index, PSWJobInfo *out);
int32_t PSW_API PSWCancelJob(CPSWHandle *handle, const char *job_id);
/* Character sets: kind 0 the standard, 1 the private one. */
int32_t PSW_API PSWGetCharSet(CPSWHandle *handle, int32_t kind, int32_t *code);

#ifdef __cplusplus
}
#endif

#endif /* MANAGEMENT_INCLUDE_PSW_H */
