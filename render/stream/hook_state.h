/*
 * What the output stream keeps for the image hook component of a job: the component and
 * its entry, the page parameters job control sets for it, the two file paths of a run and
 * the parameter blocks handed to the entry. The blocks hold no pointers: one layout on
 * every build.
 */
#ifndef QM_RENDER_STREAM_HOOK_STATE_H
#define QM_RENDER_STREAM_HOOK_STATE_H

#include <windows.h>

#define HOOK_PATH_CHARS 260
#define HOOK_WORK_AREA_SIZE 14380
#define HOOK_DIRECTORY_BYTES 262 /* block C's directory with its terminator */

// HookBlockA: the colour mode and the fixed rendering values of the component.
struct HookBlockA {
    DWORD size;      // 236
    DWORD colorMode; // setting 270: 0, 1 or 2
    DWORD values[22];
    BYTE reserved[128];
    DWORD tail[3];
};
static_assert(sizeof(HookBlockA) == 236, "HookBlockA");

// HookBlockB: its size word, the rest zero.
struct HookBlockB {
    DWORD size; // 540
    BYTE zero[536];
};
static_assert(sizeof(HookBlockB) == 540, "HookBlockB");

// HookBlockC: the page raster the component works on, at byte offsets 0, 16, 28, 32, 294.
#pragma pack(push, 2)
struct HookBlockC {
    DWORD size; // 296
    DWORD values[3];
    WORD resolution[6];                   // setting 20, six times
    WORD width;                           // pixels
    WORD height;                          // pixels, at least 9000
    char directory[HOOK_DIRECTORY_BYTES]; // of a temporary file, ANSI, with its last backslash
    WORD duplex;                          // 1, 2 or 3
};
#pragma pack(pop)
static_assert(sizeof(HookBlockC) == 296, "HookBlockC");

// HookPageParams: the five page values job control stores with each page size: where the
// component's page goes.
struct HookPageParams {
    BYTE colorCode; // the mode byte: 2 colour
    BYTE trayCode;
    BYTE paperCode;
    WORD width; // 0.1 mm
    WORD length;
};

// HookState: the job's hook; all zero when the job has none. Every block is global heap.
struct HookState {
    WCHAR *componentName; // descriptive string 14
    WCHAR *dataName;      // descriptive string 15
    HMODULE module;
    FARPROC entry; // non-NULL: the hook is active
    HookPageParams page;
    WCHAR *inputPath; // HOOK_PATH_CHARS each
    WCHAR *outputPath;
    HookBlockA *blockA;
    HookBlockB *blockB;
    BYTE *workArea; // HOOK_WORK_AREA_SIZE bytes, zero
    HookBlockC *blockC;
    HANDLE captureFile; // the page capture's file while one is open, else NULL
    WORD savedSinkKind; // the stream's sink kind and output file before the capture
    HANDLE savedOutFile;
};

#endif /* QM_RENDER_STREAM_HOOK_STATE_H */
