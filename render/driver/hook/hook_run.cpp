/*
 * A run of the image hook component on one captured page, and its output placed on the
 * page as one image in the page's place under the hook's page transform.
 */
#include "render/driver/hook/image_hook.h"

#include <string.h>

#include "core/util/module.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/page/page_setup.h"
#include "render/pdl/writer/image_header.h"
#include "render/pdl/writer/matrix2x3.h"
#include "render/pdl/writer/pdl_writer.h"
#include "render/stream/file_io.h"
#include "render/stream/output_stream.h"

// The colour code of a colour page: its output has three bytes a pixel, else one.
static const BYTE kColorPage = 2;
// The output file is copied into the stream in pieces of this size.
static const DWORD kCopyChunk = 65536;
// The resolution the hook's output is placed at.
static const WORD kResolutionSetting = 20;
// Tenths of a millimetre to inches.
static const float kInchPerTenthMm = 0.003937008f;

// run_ToAnsi: wide text as ANSI text of at most MAX_PATH bytes; FALSE when it is empty or
// cannot be converted without loss.
static BOOL run_ToAnsi(const WCHAR *text, char *out)
{
    if (text == NULL || text[0] == 0) {
        return FALSE;
    }
    BOOL lossy = FALSE;
    return WideCharToMultiByte(CP_ACP, 0, text, -1, out, MAX_PATH, NULL, &lossy) > 0 && !lossy;
}

// run_DataPath: the render module's directory and the data file's name.
static BOOL run_DataPath(const HookState *hook, WCHAR *path)
{
    return util_GetModuleDirectory(path, MAX_PATH * sizeof(WCHAR)) == 1 && hook->dataName != NULL &&
           lstrlenW(path) + lstrlenW(hook->dataName) < MAX_PATH && lstrcatW(path, hook->dataName) != NULL;
}

// run_DeleteFiles: both files of the run deleted and their paths cleared.
static void run_DeleteFiles(HookState *hook)
{
    WCHAR *paths[2] = {hook->inputPath, hook->outputPath};
    for (WCHAR *path : paths) {
        if (path != NULL && path[0] != 0) {
            DeleteFileW(path);
            path[0] = 0;
        }
    }
}

// run_CopyFile: count bytes of an open file into the stream as raw data.
static BOOL run_CopyFile(PdlWriter *writer, HANDLE file, DWORD count)
{
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, count < kCopyChunk ? (count > 0 ? count : 1) : kCopyChunk);
    if (block == NULL) {
        return FALSE;
    }
    BYTE *buffer = (BYTE *)block;
    BOOL good = TRUE;
    for (DWORD done = 0; good && done < count;) {
        DWORD piece = count - done < kCopyChunk ? count - done : kCopyChunk;
        DWORD got = 0;
        good =
            ReadFile(file, buffer, piece, &got, NULL) && got == piece && pdl_WriteRawData(writer, buffer, piece) == 0;
        done += piece;
    }
    GlobalFree(block);
    return good;
}

LONG hook_InsertOutput(PDEV *pdev, LPCWSTR path)
{
    if (!hook_IsActive(pdev) || pdev->job.writer == NULL || path == NULL) {
        return -1;
    }
    DWORD width = 0;
    DWORD height = 0;
    hook_PageDots(pdev, &width, &height);
    BOOL color = pdev->job.stream->hook.page.colorCode == kColorPage;
    ULONGLONG expected = (ULONGLONG)width * height * (color ? 3 : 1);
    if (width == 0 || height == 0 || width > 0xFFFF || height > 0xFFFF || expected > 0xFFFFFFFFULL) {
        return -1;
    }
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return -1;
    }
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    LONG result = -1;
    if (size != INVALID_FILE_SIZE && high == 0 && size == expected) {
        ImageHeader header;
        memset(&header, 0, sizeof header);
        header.placement[0] = 1.0f;
        header.placement[3] = 1.0f;
        header.width = (WORD)width;
        header.height = (WORD)height;
        header.maskKind = IMAGE_MASK_NONE;
        header.sourceKind = IMAGE_SOURCE_DATA;
        header.colorType = color ? IMAGE_COLOR_RGB : IMAGE_COLOR_GREY;
        header.compression = 1;
        header.bitsPerComponent = 8;
        header.dataPresent = 1;
        header.dataBytes = size;
        result = pdl_WriteImage(pdev->job.writer, &header) == 0 && run_CopyFile(pdev->job.writer, file, size) ? 0 : -1;
    }
    CloseHandle(file);
    return result;
}

LONG hook_SetPageTransform(PDEV *pdev)
{
    float r = (float)pdev_GetSetting32(pdev, kResolutionSetting);
    if (r <= 0.0f) {
        return -1;
    }
    float length = (float)pdev->job.setup.page.output.length;
    Matrix2x3 matrix = {72.0f / r, 0.0f, 0.0f, -72.0f / r, 0.0f, (72.0f / r) * r * length * kInchPerTenthMm};
    return jc_SetTransform(pdev, &matrix);
}

// run_PlaceOutput: the component's output in the page's place: the hook's page transform,
// the output as an image, the clip reset and the page end. The results are combined.
static LONG run_PlaceOutput(PDEV *pdev)
{
    LONG result = hook_SetPageTransform(pdev);
    result |= hook_InsertOutput(pdev, pdev->job.stream->hook.outputPath);
    result |= pg_ResetClip(pdev);
    result |= pg_EndPageFB(pdev);
    result |= pg_EndPageED(pdev);
    return result != 0 ? -1 : 0;
}

LONG hook_Run(PDEV *pdev)
{
    if (!hook_IsActive(pdev)) {
        return -1;
    }
    HookState *hook = &pdev->job.stream->hook;
    char input[MAX_PATH];
    char output[MAX_PATH];
    char data[MAX_PATH];
    WCHAR dataPath[MAX_PATH];
    BOOL written = run_DataPath(hook, dataPath) && run_ToAnsi(dataPath, data) && run_ToAnsi(hook->inputPath, input) &&
                   util_MakeTempFileName(hook->outputPath, NULL) == 0 && run_ToAnsi(hook->outputPath, output);
    if (written) {
        HookEntryProc entry = (HookEntryProc)(void *)hook->entry;
        written = entry(input, output, hook->blockA, hook->blockB, hook->blockC, hook->workArea, data) != 0;
    }
    LONG result = -1;
    if (written) {
        WORD saved = pdev->job.pageState;
        pdev->job.pageState = (WORD)((saved & ~PAGE_STATE_DRAWN) | PAGE_STATE_SHEET_OPEN);
        result = run_PlaceOutput(pdev);
        pdev->job.pageState = (WORD)((pdev->job.pageState & ~PAGE_STATE_SHEET_OPEN) | (saved & PAGE_STATE_SHEET_OPEN));
    }
    run_DeleteFiles(hook);
    pdev->job.pageState |= PAGE_STATE_DRAWN;
    return result;
}
