/*
 * Opening and closing the image hook: the component and its entry, the two descriptive
 * strings, the parameter blocks the entry is given and the path buffers of a run.
 */
#include "render/driver/hook/image_hook.h"

#include <string.h>

#include "core/context/driver_context.h"
#include "core/ddd/ddd.h"
#include "core/ddd/ddd_access.h"
#include "core/util/module.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/stream/file_io.h"
#include "render/stream/output_stream.h"

// Settings the blocks are made from.
static const WORD kColorModeSetting = 270;
static const WORD kResolutionSetting = 20;
static const WORD kDuplexSetting = 16;
static const WORD kLayoutSetting = 321;
// Colour modes block A accepts: 0, 1 and 2.
static const DWORD kLastColorMode = 2;
// Block A's fixed values after its size and colour mode, and its last three.
static const DWORD kBlockAValues[22] = {0, 1, 0, 0, 2, 4, 2, 1, 8, 0, 0, 1, 0, 0, 8, 0, 2, 3, 0, 1, 8192, 0xFF000000};
static const DWORD kBlockATail[3] = {2, 0, 0};
// Block C's fixed values after its size.
static const DWORD kBlockCValues[3] = {0x1000000, 0x800000, 0x800000};
// The custom-size paper whose largest size gives block C's raster, and the least height.
static const WORD kPaperRecordType = 10;
static const WORD kCustomPaper = 262;
static const DWORD kMinimumHeight = 9000;

BOOL WINAPI hook_IsActive(const PDEV *pdev)
{
    return pdev != NULL && pdev->job.stream != NULL && pdev->job.stream->hook.entry != NULL;
}

BOOL hook_ModelNamesComponent(PDEV *pdev)
{
    if (pdev == NULL || pdev->modelFile == NULL) {
        return FALSE;
    }
    WCHAR *name = NULL;
    BOOL named =
        ddd_GetInfoString(pdev->modelFile, HOOK_COMPONENT_STRING, &name) == DDD_OK && name != NULL && name[0] != 0;
    if (name != NULL) {
        GlobalFree(name);
    }
    return named;
}

// open_Alloc: a zeroed global block of size bytes.
static void *open_Alloc(SIZE_T size)
{
    return GlobalAlloc(GPTR, size);
}

// open_Free: frees a global block; nothing for NULL.
static void open_Free(void *block)
{
    if (block != NULL) {
        GlobalFree((HGLOBAL)block);
    }
}

// open_IsPlainName: a file name without a folder, drive or parent part.
static BOOL open_IsPlainName(const WCHAR *name)
{
    if (name == NULL || name[0] == 0 || lstrcmpW(name, TEXT(".")) == 0 || lstrcmpW(name, TEXT("..")) == 0) {
        return FALSE;
    }
    for (const WCHAR *p = name; *p != 0; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            return FALSE;
        }
    }
    return TRUE;
}

// open_RoundDots: tenths of a millimetre at resolution, rounded to whole pixels.
static DWORD open_RoundDots(LONG tenths, DWORD resolution)
{
    return (DWORD)(((LONGLONG)tenths * resolution + 127) / 254);
}

// open_DuplexCode: block C's duplex code from settings 16 and 321.
static WORD open_DuplexCode(PDEV *pdev)
{
    DWORD duplex = pdev_GetSetting32(pdev, kDuplexSetting);
    if (duplex == 2) {
        return pdev_GetSetting32(pdev, kLayoutSetting) == 2 ? 3 : 2;
    }
    return duplex == 3 ? 3 : 1;
}

// open_TempDirectory: the directory of a new temporary file name (the file made for the
// name is removed) as ANSI text with its last backslash, cut at a whole character to fit
// out with its terminator. FALSE when no name can be made.
static BOOL open_TempDirectory(char *out, int size)
{
    WCHAR path[MAX_PATH];
    if (util_MakeTempFileName(path, NULL) != 0) {
        return FALSE;
    }
    DeleteFileW(path);
    int chars = 0; // up to and with the last backslash
    for (int i = 0; path[i] != 0; ++i) {
        if (path[i] == '\\') {
            chars = i + 1;
        }
    }
    while (chars > 0 && WideCharToMultiByte(CP_ACP, 0, path, chars, NULL, 0, NULL, NULL) > size - 1) {
        --chars;
    }
    int bytes = chars > 0 ? WideCharToMultiByte(CP_ACP, 0, path, chars, out, size - 1, NULL, NULL) : 0;
    out[bytes] = 0;
    return TRUE;
}

// open_BuildBlockC: block C from the settings and the model's custom-size paper.
static BOOL open_BuildBlockC(PDEV *pdev, DriverContext *context, HookBlockC *c)
{
    c->size = sizeof(HookBlockC);
    memcpy(c->values, kBlockCValues, sizeof c->values);
    DWORD resolution = pdev_GetSetting32(pdev, kResolutionSetting);
    for (WORD &value : c->resolution) {
        value = (WORD)resolution;
    }
    void *record = NULL;
    if (ddd_FetchRecordByKey(
            DDD_LEVEL_MODEL, context->model, context->base, kPaperRecordType, kCustomPaper, 0, &record) != DDD_OK ||
        record == NULL) {
        return FALSE;
    }
    const DddPaper *paper = (const DddPaper *)record;
    DWORD width = open_RoundDots(paper->maxSize.width, resolution);
    DWORD height = open_RoundDots(paper->maxSize.height, resolution);
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    c->width = (WORD)width;
    c->height = (WORD)(height < kMinimumHeight ? kMinimumHeight : height);
    c->duplex = open_DuplexCode(pdev);
    return open_TempDirectory(c->directory, HOOK_DIRECTORY_BYTES);
}

// open_BuildBlocks: blocks A, B, the work area and block C. FALSE for a colour mode
// outside 0-2 or short memory.
static BOOL open_BuildBlocks(PDEV *pdev, DriverContext *context, HookState *hook)
{
    DWORD colorMode = pdev_GetSetting32(pdev, kColorModeSetting);
    if (colorMode > kLastColorMode) {
        return FALSE;
    }
    hook->blockA = (HookBlockA *)open_Alloc(sizeof(HookBlockA));
    hook->blockB = (HookBlockB *)open_Alloc(sizeof(HookBlockB));
    hook->workArea = (BYTE *)open_Alloc(HOOK_WORK_AREA_SIZE);
    hook->blockC = (HookBlockC *)open_Alloc(sizeof(HookBlockC));
    if (hook->blockA == NULL || hook->blockB == NULL || hook->workArea == NULL || hook->blockC == NULL) {
        return FALSE;
    }
    hook->blockA->size = sizeof(HookBlockA);
    hook->blockA->colorMode = colorMode;
    memcpy(hook->blockA->values, kBlockAValues, sizeof kBlockAValues);
    memcpy(hook->blockA->tail, kBlockATail, sizeof kBlockATail);
    hook->blockB->size = sizeof(HookBlockB);
    return open_BuildBlockC(pdev, context, hook->blockC);
}

// open_ReadNames: strings 14 and 15, both plain file names.
static BOOL open_ReadNames(DriverContext *context, HookState *hook)
{
    return ddd_GetInfoString(context->model, HOOK_COMPONENT_STRING, &hook->componentName) == DDD_OK &&
           ddd_GetInfoString(context->model, HOOK_DATA_STRING, &hook->dataName) == DDD_OK &&
           open_IsPlainName(hook->componentName) && open_IsPlainName(hook->dataName);
}

LONG hook_Load(PDEV *pdev)
{
    HookState *hook = &pdev->job.stream->hook;
    WCHAR path[MAX_PATH];
    if (util_GetModuleDirectory(path, sizeof path) != 1 || hook->componentName == NULL ||
        lstrlenW(path) + lstrlenW(hook->componentName) >= MAX_PATH) {
        return -1;
    }
    lstrcatW(path, hook->componentName);
    hook->module = LoadLibraryExW(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (hook->module == NULL) {
        return -1;
    }
    hook->entry = GetProcAddress(hook->module, HOOK_ENTRY_NAME);
    return hook->entry != NULL ? 0 : -1;
}

LONG hook_Open(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.stream == NULL) {
        return -1;
    }
    hook_Close(pdev);
    DriverContext *context = ddd_OpenContext(pdev->printer);
    if (context == NULL) {
        return -1;
    }
    HookState *hook = &pdev->job.stream->hook;
    BOOL ready = open_BuildBlocks(pdev, context, hook) && open_ReadNames(context, hook) && hook_Load(pdev) == 0;
    if (ready) {
        hook->inputPath = (WCHAR *)open_Alloc(HOOK_PATH_CHARS * sizeof(WCHAR));
        hook->outputPath = (WCHAR *)open_Alloc(HOOK_PATH_CHARS * sizeof(WCHAR));
        ready = hook->inputPath != NULL && hook->outputPath != NULL;
    }
    ddd_CloseContext(context);
    if (!ready) {
        hook_Close(pdev);
        return -1;
    }
    return 0;
}

void hook_Close(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.stream == NULL) {
        return;
    }
    HookState *hook = &pdev->job.stream->hook;
    // A capture still open ends, and no captured page is left behind.
    if (hook->captureFile != NULL) {
        hook_EndCapture(pdev);
    }
    hook_DropCapturedPage(pdev);
    open_Free(hook->blockA);
    open_Free(hook->blockB);
    open_Free(hook->workArea);
    open_Free(hook->blockC);
    if (hook->module != NULL) {
        FreeLibrary(hook->module);
    }
    open_Free(hook->componentName);
    open_Free(hook->dataName);
    open_Free(hook->inputPath);
    open_Free(hook->outputPath);
    memset(hook, 0, sizeof *hook);
}
