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
    int32_t type;             /* storage type code, mapped from hrStorageType */
    int32_t allocation_unit;  /* bytes */
    int32_t size;             /* in allocation units */
    char description[256];
} PSWStorageInfo;

/* One device of the printer (hrDeviceTable). */
typedef struct PSWDeviceInfo {
    int32_t type;             /* device type code, mapped from hrDeviceType */
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
    int32_t state;              /* 17 marks the jobs of kind 2 */
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

#endif /* MANAGEMENT_INCLUDE_PSW_H */
