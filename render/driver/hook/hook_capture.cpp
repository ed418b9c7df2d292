/*
 * The page capture of the image hook: a page written into a temporary file of its own for
 * the component instead of the stream's sink.
 */
#include "render/driver/hook/image_hook.h"

#include "render/stream/file_io.h"
#include "render/stream/output_stream.h"

LONG hook_BeginCapture(PDEV *pdev)
{
    if (!hook_IsActive(pdev)) {
        return -1;
    }
    OutputStream *stream = pdev->job.stream;
    HookState *hook = &stream->hook;
    if (hook->captureFile != NULL || hook->inputPath == NULL) {
        return -1;
    }
    if (util_MakeTempFileName(hook->inputPath, NULL) != 0) {
        hook->inputPath[0] = 0;
        return -1;
    }
    // What is buffered so far belongs to the sink before the capture.
    HANDLE file = INVALID_HANDLE_VALUE;
    if (stream->sinkKind == SINK_CLOSED || spl_FlushStream(stream) == 0) {
        file = file_Create(hook->inputPath, FILE_MODE_CREATE_ALWAYS);
    }
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileW(hook->inputPath);
        hook->inputPath[0] = 0;
        return -1;
    }
    hook->savedSinkKind = stream->sinkKind;
    hook->savedOutFile = stream->outFile;
    hook->captureFile = file;
    stream->outFile = file;
    stream->sinkKind = SINK_CAPTURE_FILE;
    return 0;
}

LONG hook_EndCapture(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.stream == NULL || pdev->job.stream->hook.captureFile == NULL) {
        return -1;
    }
    OutputStream *stream = pdev->job.stream;
    HookState *hook = &stream->hook;
    LONG result = 0;
    // The stream may have closed the capture itself (a job ended while capturing).
    if (stream->outFile == hook->captureFile) {
        result = stream->sinkKind == SINK_CAPTURE_FILE ? spl_FlushStream(stream) : -1;
        file_Close(hook->captureFile);
        stream->outFile = hook->savedOutFile;
        stream->sinkKind = hook->savedSinkKind;
    } else {
        result = -1;
        if (hook->savedOutFile != INVALID_HANDLE_VALUE) {
            file_Close(hook->savedOutFile);
        }
    }
    hook->captureFile = NULL;
    hook->savedOutFile = NULL;
    hook->savedSinkKind = 0;
    return result != 0 ? -1 : 0;
}

void hook_DropCapturedPage(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.stream == NULL) {
        return;
    }
    WCHAR *path = pdev->job.stream->hook.inputPath;
    if (path != NULL && path[0] != 0) {
        DeleteFileW(path);
        path[0] = 0;
    }
}
