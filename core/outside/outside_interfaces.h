/*
 * The interfaces of the two optional outside components, as the driver binds them by name
 * and as the test stand-ins export them: the document monitor ("Jtr*" functions) and the
 * security-marking module ("VAZER_*" functions), with the records handed to them. Every
 * function is WINAPI with an undecorated export name; texts are narrow in the ANSI code
 * page.
 */
#ifndef QM_CORE_OUTSIDE_OUTSIDE_INTERFACES_H
#define QM_CORE_OUTSIDE_OUTSIDE_INTERFACES_H

#include <stddef.h>

#include <windows.h>

#include "platform/include/qm_layout.h"

/* ---- the document monitor ---- */

/* The text buffers the monitor fills with a client id or a job id: zero-filled, and a text
 * counts only when it ends inside the buffer. */
#define JTR_ID_BUFFER_BYTES 64

/* The job record (812 bytes, zero-filled): what the monitor learns of one job. */
typedef struct JtrJobRecord {
    DWORD size;             /* 812 */
    DWORD kind;             /* the job kind */
    DWORD time;             /* registration time, seconds from the C runtime's time() */
    DWORD value;            /* setting 320 for fax flag 0, else 0 */
    char port[260];         /* port name */
    char idText[64];        /* client id "." job id */
    char document[260];     /* document name */
    char destination[80];   /* fax flag 0: the destination name */
    char text1[32];         /* fax flag 1: the first text */
    char text2[32];         /* fax flag 1: the second text */
    LONG secondsUntilStart; /* kind 5: seconds until the scheduled time */
    BYTE reserved[64];      /* zero */
} JtrJobRecord;

/* The client record handed to JtrSetJtrDataEx; its size word holds sizeof. */
typedef struct JtrClientRecord {
    DWORD size;
    DWORD constant1;  /* 1 */
    DWORD constant3;  /* 3 */
    DWORD constant11; /* 11 */
    char port[260];
    char printer[256];
    char owner[64];
    JtrJobRecord *job;
} JtrClientRecord;

/* The older layout handed to JtrSetJtrData: the first 532 bytes of the client record, then
 * one 660-byte block per destination. */
typedef struct JtrOldHead {
    DWORD size; /* 532 */
    DWORD constant1;
    DWORD constant3;
    DWORD constant11;
    char port[260];
    char printer[256];
} JtrOldHead;

typedef struct JtrOldBlock {
    DWORD size;    /* 660 */
    DWORD faxFlag; /* 0 or 1 by the job kind */
    DWORD value;
    char document[260];
    char idText[64];
    char destination[260];
    char text1[32];
    char text2[32];
} JtrOldBlock;

#ifdef __cplusplus
static_assert(sizeof(JtrJobRecord) == 812, "JtrJobRecord");
static_assert(offsetof(JtrJobRecord, port) == 16 && offsetof(JtrJobRecord, idText) == 276 &&
                  offsetof(JtrJobRecord, document) == 340 && offsetof(JtrJobRecord, destination) == 600 &&
                  offsetof(JtrJobRecord, text1) == 680 && offsetof(JtrJobRecord, text2) == 712 &&
                  offsetof(JtrJobRecord, secondsUntilStart) == 744,
              "JtrJobRecord fields");
static_assert(sizeof(JtrClientRecord) == QM_LAYOUT(600, 608), "JtrClientRecord");
static_assert(offsetof(JtrClientRecord, job) == QM_LAYOUT(596, 600), "JtrClientRecord.job");
static_assert(sizeof(JtrOldHead) == 532, "JtrOldHead");
static_assert(offsetof(JtrOldHead, printer) == offsetof(JtrClientRecord, printer), "JtrOldHead is the record's head");
static_assert(sizeof(JtrOldBlock) == 660, "JtrOldBlock");
#endif

typedef HANDLE(WINAPI *JtrInitializeJobtraceProc)(DWORD reserved);
typedef int(WINAPI *JtrUnInitializeJobtraceProc)(HANDLE monitor);
typedef BOOL(WINAPI *JtrCreateIdProc)(HANDLE monitor, LPSTR text); /* client id and job id */
typedef BOOL(WINAPI *JtrSetJtrDataExProc)(HANDLE monitor, const JtrClientRecord *record);
typedef BOOL(WINAPI *JtrSetJtrDataProc)(HANDLE monitor, const void *data, DWORD size);
typedef BOOL(WINAPI *JtrExecJobtraceProc)(HANDLE monitor);

/* ---- the security-marking module ---- */

/* A session with the module (global heap): its handle and the number of its outputs. */
typedef struct VqbSession {
    HANDLE handle;
    DWORD outputs;
} VqbSession;

/* One setting the module asks for: its public identifier and current value. */
typedef struct VqbIdEntry {
    DWORD size; /* 12 */
    DWORD id;   /* public identifier (DMAID) */
    DWORD value;
} VqbIdEntry;

/* The settings the module asks for (global heap, entries too). */
typedef struct VqbIdValues {
    DWORD count;
    VqbIdEntry *entries;
} VqbIdValues;

/* The module's opaque settings (the contents of "VQBINFO"). */
typedef struct VqbSettingsBlock {
    DWORD size;
    void *data;
} VqbSettingsBlock;

/* The job ids handed to the module (800 bytes in every build). */
typedef struct VqbJobIdsRecord {
    DWORD size; /* 800 */
    DWORD time; /* the C runtime's time(), as a u32 */
    char user[256];
    char document[260];
    BYTE code[16];
    char host[260];
} VqbJobIdsRecord;

#ifdef __cplusplus
static_assert(sizeof(VqbSession) == QM_LAYOUT(8, 16), "VqbSession");
static_assert(sizeof(VqbIdEntry) == 12, "VqbIdEntry");
static_assert(sizeof(VqbIdValues) == QM_LAYOUT(8, 16), "VqbIdValues");
static_assert(sizeof(VqbSettingsBlock) == QM_LAYOUT(8, 16), "VqbSettingsBlock");
static_assert(sizeof(VqbJobIdsRecord) == 800, "VqbJobIdsRecord");
#endif

typedef HANDLE(WINAPI *VazerCreateHandleProc)(LPCSTR printer, LPCSTR typeName, LPCSTR pdl, DWORD language);
typedef BOOL(WINAPI *VazerReleaseHandleProc)(HANDLE handle);
typedef int(WINAPI *VazerGetNumOfIDsProc)(HANDLE handle);
typedef BOOL(WINAPI *VazerGetIDListProc)(HANDLE handle, void *buffer, DWORD bytes);
typedef BOOL(WINAPI *VazerSetDriverSettingsProc)(HANDLE handle, const VqbIdValues *values);
typedef int(WINAPI *VazerGetSizeOfSettingsProc)(HANDLE handle);
typedef BOOL(WINAPI *VazerSetVQBSettingsProc)(HANDLE handle, const void *data, DWORD size);
typedef int(WINAPI *VazerDisplayUIProc)(HANDLE handle, HWND window, void *buffer, DWORD size, BOOL *changed);
typedef int(WINAPI *VazerCheckConflictProc)(HANDLE handle, const VqbIdValues *values, const void *data, DWORD size,
                                            HWND window);
typedef int(WINAPI *VazerGetNumOfOutputsProc)(HANDLE handle);

#endif /* QM_CORE_OUTSIDE_OUTSIDE_INTERFACES_H */
