/*
 * Test controls of the stand-ins of the two outside job-attribute components. A test
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

#endif /* QM_TESTING_STANDINS_STANDIN_CONTROLS_H */
