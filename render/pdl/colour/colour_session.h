/*
 * Colour conversion of a job: the colour session that holds the job's colour pipeline
 * (grey output, adjust matrices and grey pairs per object kind, the fixed 3-D table, ICC
 * profile transforms), built from the job's settings, and the conversion of colour values
 * and images through it. The PDEV's seams (opened with the job's output, closed when the
 * job is released, the page's colour set) are declared here too.
 */
#ifndef QM_RENDER_PDL_COLOUR_COLOUR_SESSION_H
#define QM_RENDER_PDL_COLOUR_COLOUR_SESSION_H

#include <windows.h>

#include "core/colour/colour_tables.h"

struct PDEV;

#ifdef __cplusplus
extern "C" {
#endif

/* Set-up flags. */
#define CLR_SETUP_MATRIX_1 0x01
#define CLR_SETUP_GREY_1 0x02
#define CLR_SETUP_MATRIX_2 0x04
#define CLR_SETUP_GREY_2 0x08
#define CLR_SETUP_MATRIX_3 0x10
#define CLR_SETUP_COMMON_MATRIX 0x20
#define CLR_SETUP_COMMON_GREY 0x40
#define CLR_SETUP_FIXED_TABLE 0x80
#define CLR_SETUP_PROFILE_A 0x100
#define CLR_SETUP_PROFILE_B 0x200
#define CLR_SETUP_COMPONENT 0x400

/* Processing flags of a drawing call. */
#define CLR_STEP_ADJUST 0x02
#define CLR_STEP_FIXED_TABLE 0x08
#define CLR_STEP_PROFILE 0x10
#define CLR_STEP_GREY 0x20
#define CLR_STEP_PROFILE_AFTER 0x40
#define CLR_STEP_PAGE_WIDE 0x100

#define CLR_PROFILE_NAME_CHARS 260

/*
 * The job's colour settings, read by the caller (the settings named after each field).
 * adjust[0] the common brightness, saturation, contrast (274, 278, 282); adjust[1..3] those
 * of object kinds 1, 2, 3 (275/279/283, 276/280/284, 277/281/285).
 */
typedef struct ColorSettings {
    LONG outputMode;                              /* 270: 1 grey output */
    LONG perObject;                               /* 1314: 1 per-object adjustment */
    LONG kindMask;                                /* 273: bits 0-2 */
    LONG adjust[4][3];                            /* brightness, saturation, contrast */
    LONG greyKind[2];                             /* 1326, 1327 */
    LONG tableChoice;                             /* 286: 1 fixed table, 2 ICC profiles */
    LONG toneIndex;                               /* 287, below 6 */
    LONG saturationIndex;                         /* 288, below 10 */
    LONG profileChoice[3];                        /* 1303, 1304, 1305 */
    WCHAR profileName[2][CLR_PROFILE_NAME_CHARS]; /* 1832, 1833 */
    LONG componentMode;                           /* 291: 0 off */
    LONG imageSelect[2];                          /* 454, 455 */
    LONG noChangeTest;                            /* 1862 */
    LONG stampDrawing;                            /* a stamp is being drawn: nothing is converted */
} ColorSettings;

/* The outside colour component's entries. */
typedef HANDLE(WINAPI *KrvLoad)(const char *colourFile);
typedef LONG(WINAPI *KrvFree)(HANDLE handle);
typedef LONG(WINAPI *KrvBegin)(HANDLE handle, BYTE mode);
typedef LONG(WINAPI *KrvParam)(HANDLE handle, BYTE *data, DWORD width, DWORD height);
typedef LONG(WINAPI *KrvEnd)(HANDLE handle);
typedef LONG(WINAPI *KrvDelete)(HANDLE handle);
typedef LONG(WINAPI *KrvConvert)(HANDLE handle, const BYTE *source, BYTE *destination, DWORD width, DWORD height);

/* The outside colour component: its module, its handle and its seven entries. */
typedef struct ColorComponent {
    HMODULE module;
    HANDLE handle;
    KrvLoad load;
    KrvFree release;
    KrvBegin begin;
    KrvParam param;
    KrvEnd end;
    KrvDelete deleteParam;
    KrvConvert convert;
} ColorComponent;

/* One queued image of the page-wide conversion: 24-bit pixels converted in place. */
typedef struct ColorQueuedImage {
    BYTE *data;
    DWORD width;
    DWORD height;
} ColorQueuedImage;

/* The last image of the page-wide change test. */
typedef struct ColorImageRecord {
    DWORD kind;
    DWORD rop;
    DWORD width;
    DWORD height;
    DWORD third;
} ColorImageRecord;

/*
 * ColorSession: the pipeline of a job. Tables the flags ask for point into the storage
 * below or are NULL when they could not be built. profileA and profileB may be the same.
 */
typedef struct ColorSession {
    ColorSettings settings; /* as read when the session was opened */
    DWORD setupFlags;
    DWORD stepFlags; /* of the current drawing call */
    ProfileTransform *fixedTable;
    ProfileTransform *profileA;
    ProfileTransform *profileB;
    ColorAdjustMatrix *matrix[3]; /* object kinds 1, 2, 3 */
    GreyAdjustPair *grey[2];      /* object kinds 1 and 2 */
    LONG profileStage;            /* CLR_STEP_PROFILE, CLR_STEP_PROFILE_AFTER or 0 */
    BYTE componentMode;
    ColorComponent component; /* module NULL: none */
    ColorImageRecord lastImage;
    ProfileTransform transforms[3]; /* fixed table, A, B */
    ColorAdjustMatrix matrices[3];
    GreyAdjustPair pairs[2];
} ColorSession;

/* clr_SetupFlags: the set-up flags of settings. */
DWORD WINAPI clr_SetupFlags(const ColorSettings *settings);

/*
 * clr_OpenSession: a new session for settings (*out). 0, or -1 bad argument, -2 no memory,
 * -3 profile A unusable, -4 profile B unusable: the user is asked (message box with string
 * 1 of resources, or the built-in text, the profile's name in it); OK goes on without that
 * transform (0), Cancel closes the session and returns the code. A box that cannot be
 * shown counts as OK.
 */
LONG WINAPI clr_OpenSession(ColorSession **out, const ColorSettings *settings, HMODULE resources);

/*
 * clr_BindComponent: loads the outside colour component at componentPath and takes its
 * handle from KRV_LoadKRV32 with colourFile (narrow); without all seven entries or with a
 * zero handle the module is freed and the session has no component. 0 bound, -1 not.
 */
LONG WINAPI clr_BindComponent(ColorSession *session, LPCWSTR componentPath, LPCWSTR colourFile);

/*
 * clr_ConvertQueuedImages: the page-wide conversion of count queued images through the
 * component: parameters from each image after the fixed table and the profile stage (on a
 * copy), then each image converted, the 'nicc' profile stage and the adjust matrix, in
 * place; KRV_DeleteParam32 after the last with lastFlush. 0, -1 bad argument, -2 no
 * memory, -6 a component failure. End answering 1 ends page-wide mode and converts
 * nothing.
 */
LONG WINAPI clr_ConvertQueuedImages(ColorSession *session, ColorQueuedImage *images, DWORD count, BOOL lastFlush);

/* clr_CloseSession: frees each transform once and the session. 0, -1 without session. */
LONG WINAPI clr_CloseSession(ColorSession *session);

/* clr_GetSessionMode: 4 page-wide, 3 otherwise, -1 without session. */
LONG WINAPI clr_GetSessionMode(const ColorSession *session);

/*
 * clr_PrepareColor: the processing flags of one drawing call (the page-wide bit kept).
 * With the component's mode byte and handle, the page-wide change test for image (NULL:
 * not an image; kind = bits of the image, rop = raster-operation kind << 8 | code, third
 * the third value): 6 flush and page-wide on, 7 keep, 8 flush and page-wide off; 0
 * without the component; -1 without session.
 */
LONG WINAPI clr_PrepareColor(ColorSession *session, const ColorSettings *settings, const ColorImageRecord *image);

/*
 * clr_ConvertColors: count 3-byte pixels of brushes (kind 0), text and blits (kind 1) from
 * source into destination (count bytes when the result is grey). 1 colour kept, 2
 * converted to grey, -1 bad argument.
 */
LONG WINAPI clr_ConvertColors(ColorSession *session, const ColorSettings *settings, DWORD kind, const BYTE *source,
                              BYTE *destination, DWORD count);

/*
 * clr_ConvertImage: for colour type 4 (24 bits, rows of width x 3 bytes) the pixels into
 * destination; for colour type 11 (1, 4, 8 bits) the palette entries (4 bytes: blue, green,
 * red, 0) in place. In order: fixed table, profile (B, else A), the adjust matrix of object
 * kind 3, then with grey output one ink byte per pixel, or per entry into paletteOut when
 * it is given. 1 colour, 2 grey, -1 bad type or arguments.
 */
LONG WINAPI clr_ConvertImage(ColorSession *session, const BYTE *source, BYTE *destination, DWORD width, DWORD height,
                             BYTE *paletteIn, BYTE *paletteOut, DWORD paletteEntries, DWORD colourType, DWORD bits);

/* The PDEV's seams: the page's colour set emptied, and the job's session. 0 / -1. */
LONG WINAPI clr_InitPageColorSet(struct PDEV *pdev);
LONG WINAPI clr_OpenColorSession(struct PDEV *pdev);
LONG WINAPI clr_CloseColorSession(struct PDEV *pdev);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COLOUR_COLOUR_SESSION_H */
