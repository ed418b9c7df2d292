/*
 * Test controls of the stand-ins of the outside components (the two job-attribute
 * components and the security-marking module). A test
 * loads the stand-in itself (so its state outlives the driver's load and free), binds the
 * control export by name, scripts the answers and reads the recorded arguments back.
 */
#ifndef QM_TESTING_STANDINS_STANDIN_CONTROLS_H
#define QM_TESTING_STANDINS_STANDIN_CONTROLS_H

#include <windows.h>

/* Functions of the attribute component, as bits of AttrStandinControl.failMask. */
#define ATTR_FN_NUP 0x1
#define ATTR_FN_HOST_ADDRESS 0x2
#define ATTR_FN_OWNER_USER_HOST 0x4
#define ATTR_FN_OWNER_INPUT 0x8
#define ATTR_FN_HOST_NAME 0x10

/* The attribute component's script and record ("QmAttrStandinControl"). */
typedef struct AttrStandinControl {
    DWORD failMask;   /* in: these functions fail */
    DWORD calledMask; /* out: the functions called since the last reset */
    DWORD nupCode;    /* out: recorded arguments */
    DWORD ownerKind;
    DWORD nupValue;
    DWORD trayCode;
    DWORD hostNameKind;
    char ownerText[64];
} AttrStandinControl;

/* Scripts of the ticket maker. */
#define TICKET_NORMAL 0     /* "VPIF[<data>]" */
#define TICKET_SIZE_FAILS 1 /* the size query fails with size 0 */
#define TICKET_FILL_FAILS 2 /* the second call fails */
#define TICKET_EMPTY 3      /* the size query succeeds with size 0 */
#define TICKET_NO_HANDLE 4  /* Initialize gives no handle */
#define TICKET_LARGE 5      /* a ticket of 1000 bytes, larger than its data */

/* The ticket maker's script and record ("QmTicketStandinControl"). */
typedef struct TicketStandinControl {
    DWORD script;      /* in: TICKET_* */
    DWORD pair[2];     /* out: the pair passed to SetSPSetting */
    DWORD initialized; /* out: Initialize calls */
    DWORD finalized;   /* out: finalize calls */
} TicketStandinControl;

/* Both control exports: a pointer to the stand-in's control record, reset by reset != 0. */
typedef AttrStandinControl *(WINAPI *AttrStandinControlProc)(DWORD reset);
typedef TicketStandinControl *(WINAPI *TicketStandinControlProc)(DWORD reset);

/* Functions of the security-marking module, as bits of MarkStandinControl.failMask: a
 * failing function answers FALSE or -1. */
#define MARK_FN_RELEASE 0x1
#define MARK_FN_COUNT_IDS 0x2
#define MARK_FN_ID_LIST 0x4
#define MARK_FN_DRIVER_SETTINGS 0x8
#define MARK_FN_SETTINGS_SIZE 0x10
#define MARK_FN_SET_SETTINGS 0x20
#define MARK_FN_DISPLAY 0x40
#define MARK_FN_CONFLICT 0x80
#define MARK_FN_OUTPUTS 0x100

/* The security-marking module's script and record ("QmMarkStandinControl"). */
typedef struct MarkStandinControl {
    DWORD failMask;       /* in: MARK_FN_* that fail */
    DWORD noHandle;       /* in: VAZER_CreateHandle gives no handle */
    DWORD idCount;        /* in: the identifiers listed (at most 8) */
    DWORD ids[8];         /* in */
    DWORD settingsSize;   /* in: the size of the module's settings */
    int displayAnswer;    /* in: VAZER_DisplayUI's answer (0: 1) */
    DWORD displayChanged; /* in: the changed flag it gives */
    int conflictAnswer;   /* in: VAZER_CheckConflict's answer (0: 1; 2: 0) */
    DWORD outputs;        /* in: VAZER_GetNumOfOutputs' answer */
    DWORD openHandles;    /* out: handles created and not released */
    char printer[256];    /* out: the arguments of VAZER_CreateHandle */
    char typeName[256];
    char pdl[16];
    DWORD language;
    BYTE settings[1024]; /* out: the last block of VAZER_SetVQBSettings */
    DWORD settingsBytes;
    BYTE idList[1024]; /* out: the last buffer handed to VAZER_GetIDList */
    DWORD idListBytes;
    DWORD passedCount; /* out: the count of VAZER_SetDriverSettings */
    DWORD passedValue0;
    HWND window; /* out: the window of the dialog or conflict test */
} MarkStandinControl;

typedef MarkStandinControl *(WINAPI *MarkStandinControlProc)(DWORD reset);

/* The document monitor's script and record ("QmMonitorStandinControl"). */
typedef struct MonitorStandinControl {
    DWORD noHandle;     /* in: JtrInitializeJobtrace gives no handle */
    DWORD failClientId; /* in: JtrCreateClientId fails */
    DWORD failJobId;    /* in: JtrCreateJobId fails */
    DWORD unterminated; /* in: the client id fills its buffer without terminator */
    char clientId[64];  /* in: the ids given (empty: "C1" and "J1") */
    char jobId[64];
    DWORD failSetData;           /* in: JtrSetJtrData and JtrSetJtrDataEx fail */
    DWORD failExec;              /* in: JtrExecJobtrace fails */
    DWORD failEnd;               /* in: JtrUnInitializeJobtrace answers 0 */
    DWORD started;               /* out: handles given */
    DWORD ended;                 /* out: handles ended */
    DWORD executed;              /* out: JtrExecJobtrace calls */
    DWORD exCalls;               /* out: JtrSetJtrDataEx calls */
    DWORD clientSize;            /* out: the client record's size word */
    char clientRecord[596];      /* out: the client record's bytes before its pointer */
    BYTE jobRecord[812];         /* out: the job record it points to */
    DWORD oldCalls;              /* out: JtrSetJtrData calls */
    BYTE oldData[532 + 660 * 4]; /* out: the older layout's bytes */
    DWORD oldSize;
} MonitorStandinControl;

typedef MonitorStandinControl *(WINAPI *MonitorStandinControlProc)(DWORD reset);
/* Scripts of the compression component ("QmCompressStandinControl"). */
#define COMPRESS_NORMAL 0    /* each 1-bit row as a count byte and the row's distinct bytes */
#define COMPRESS_FAIL_STEP 1 /* step failStep (1 init, 2 compress, 3 get, 4 finish) answers 1 */
#define COMPRESS_LARGER 2    /* the result is one byte larger than the data */
#define COMPRESS_NO_HANDLE 3 /* qmcmp_LoadCompress answers 0 */

typedef struct CompressStandinControl {
    DWORD script;   /* in: COMPRESS_* */
    DWORD failStep; /* in */
    DWORD loads;    /* out: qmcmp_LoadCompress calls */
    DWORD frees;    /* out: qmcmp_FreeCompress calls */
    DWORD lastMode; /* out: the mode of the last qmcmp_InitBitmap */
} CompressStandinControl;

/* Scripts of the colour component ("QmColourStandinControl"). */
#define COLOUR_NORMAL 0        /* every byte complemented */
#define COLOUR_NO_HANDLE 1     /* KRV_LoadKRV32 answers 0 */
#define COLOUR_BEGIN_FAILS 2   /* KRV_CreateParam_Begin32 answers 1 */
#define COLOUR_END_ONE 3       /* KRV_CreateParam_End32 answers 1: nothing to convert */
#define COLOUR_CONVERT_FAILS 4 /* KRV_ColorConvert32 answers 1 */

typedef struct ColourStandinControl {
    DWORD script; /* in: COLOUR_* */
    DWORD loads;  /* out: calls of each entry */
    DWORD frees;
    DWORD params;
    DWORD converts;
    DWORD deletes;
    BYTE mode;            /* out: the mode byte of the last Begin */
    char colourFile[260]; /* out: the path KRV_LoadKRV32 was given */
} ColourStandinControl;

/* Scripts of the image hook component. */
#define HOOK_NORMAL 0      /* writes outputBytes bytes and answers 1 */
#define HOOK_ANSWER_ZERO 1 /* writes the file, answers 0 */
#define HOOK_SHORT_FILE 2  /* writes half of outputBytes, answers 1 */

/* The image hook component's script and record ("QmHookStandinControl"). The entry's
 * seven arguments are kept as they arrive: the three paths as text, the blocks as bytes. */
typedef struct HookStandinControl {
    DWORD script;      /* in: HOOK_* */
    DWORD outputBytes; /* in: the output file's size; byte i is (i * 7) & 0xFF */
    DWORD calls;       /* out: entry calls */
    char input[260];   /* out: the arguments */
    char output[260];
    char data[260];
    BYTE blockA[236];
    BYTE blockB[540];
    BYTE blockC[296];
    DWORD workAreaZero; /* out: 1 when the 14,380 bytes of the work area were all zero */
    DWORD inputBytes;   /* out: the input file's size, 0xFFFFFFFF when it could not be read */
    BYTE inputHead[16]; /* out: its first bytes */
} HookStandinControl;

typedef HookStandinControl *(WINAPI *HookStandinControlProc)(DWORD reset);

#endif /* QM_TESTING_STANDINS_STANDIN_CONTROLS_H */
