/*
 * The output stream: buffer, sinks, channels and the user's output file.
 */
#include "render/stream/output_stream.h"

#include <string.h>

#include "render/stream/file_io.h"
#include "render/stream/output_texts.h"
#include "render/stream/spool_job.h"

static BOOL writes_spooler(WORD kind)
{
    return kind == SINK_SPOOLER || kind == SINK_SPOOLER_AND_FILE;
}

static BOOL writes_file(WORD kind)
{
    return kind == SINK_FILE || kind == SINK_SPOOLER_AND_FILE || kind == SINK_CAPTURE_FILE;
}

// Asks whether a failed write of the output file is retried. TRUE for OK; any other
// answer (Cancel, or a box that could not be shown) stops.
static BOOL ask_file_retry(const OutputStream *stream)
{
    WCHAR caption[32], text[512];
    out_LoadText(stream->module, OUT_STR_CAPTION, caption, 32);
    out_LoadText(stream->module, stream->messageId, text, 512);
    return MessageBoxW(GetActiveWindow(), text, caption, MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND) == IDOK;
}

// Writes bytes to the output file. A failed or short write asks the user: OK goes on
// with the bytes not yet written (never writing a byte twice), Cancel fails.
static BOOL write_file(OutputStream *stream, const BYTE *bytes, DWORD length)
{
    DWORD total = 0;
    while (total < length) {
        DWORD done = 0;
        BOOL ok = file_Write(stream->outFile, bytes + total, length - total, &done);
        total += done;
        if (ok)
            break;
        if (!ask_file_retry(stream))
            return FALSE;
    }
    return TRUE;
}

// Sends bytes to the sink of the stream's kind, unbuffered. TRUE when every sink took
// them all.
static BOOL send_to_sinks(OutputStream *stream, const BYTE *bytes, DWORD length)
{
    WORD kind = stream->sinkKind;
    if (kind == SINK_PAGE_STORE)
        return spl_AppendStoreRaw(stream, length, bytes) == (LONG)length;
    BOOL ok = TRUE;
    if (writes_spooler(kind) && !spl_WritePrinterChunked(stream->target, bytes, length, NULL))
        ok = FALSE;
    if (writes_file(kind) && !write_file(stream, bytes, length))
        ok = FALSE;
    return ok;
}

static void close_output_file(OutputStream *stream)
{
    if (stream->outFile == INVALID_HANDLE_VALUE)
        return;
    file_Close(stream->outFile);
    stream->outFile = INVALID_HANDLE_VALUE;
}

OutputStream *spl_CreateStream(HMODULE module)
{
    OutputStream *stream = (OutputStream *)GlobalAlloc(GPTR, sizeof(OutputStream));
    if (!stream)
        return NULL;
    stream->module = module;
    stream->outFile = INVALID_HANDLE_VALUE;
    stream->messageId = 0;
    stream->sinkKind = SINK_CLOSED;
    spl_InitTempFile(&stream->store, FALSE, module);
    return stream;
}

void spl_DestroyStream(OutputStream *stream)
{
    if (!stream)
        return;
    if (stream->sinkKind != SINK_CLOSED)
        spl_CloseChannel(stream, FALSE);
    close_output_file(stream);
    spl_EndPageStore(stream);
    GlobalFree(stream);
}

LONG spl_OpenSpoolerChannel(OutputStream *stream, HANDLE printer)
{
    if (!stream)
        return -1;
    spl_InitTempFile(&stream->store, TRUE, stream->module);
    stream->bufferFill = 0;
    if (!printer) {
        stream->sinkKind = SINK_CLOSED;
        return -1;
    }
    stream->target = printer;
    stream->sinkKind = SINK_SPOOLER;
    return 0;
}

LONG spl_OpenSecondJob(OutputStream *stream, HANDLE printer, LPCWSTR document)
{
    if (!stream)
        return -1;
    // Bytes still buffered belong to the old target: send them there first.
    if (stream->sinkKind != SINK_CLOSED && spl_FlushStream(stream) != 0)
        return -1;
    HANDLE job = spl_StartSpoolJob(printer, document);
    if (!job)
        return -1;
    stream->target = job;
    stream->sinkKind = SINK_SPOOLER;
    return 0;
}

LONG spl_WriteStream(OutputStream *stream, DWORD length, const BYTE *bytes)
{
    if (!stream || stream->sinkKind == SINK_CLOSED)
        return -1;
    if (length == 0)
        return 0;
    if (!bytes)
        return -1;
    if (length <= STREAM_BUFFER_SIZE - stream->bufferFill) {
        memcpy(stream->buffer + stream->bufferFill, bytes, length);
        stream->bufferFill += length;
        return (LONG)length;
    }
    BOOL ok = spl_FlushStream(stream) == 0;
    if (!send_to_sinks(stream, bytes, length))
        ok = FALSE;
    return ok ? (LONG)length : -1;
}

LONG spl_FlushStream(OutputStream *stream)
{
    if (!stream || stream->sinkKind == SINK_CLOSED)
        return -1;
    DWORD length = stream->bufferFill;
    if (length == 0)
        return 0;
    stream->bufferFill = 0;
    return send_to_sinks(stream, stream->buffer, length) ? 0 : -1;
}

LONG spl_SetSinkKind(OutputStream *stream, WORD kind)
{
    if (!stream || kind > SINK_CAPTURE_FILE)
        return -1;
    LONG result = stream->sinkKind == SINK_CLOSED ? 0 : spl_FlushStream(stream);
    stream->sinkKind = kind;
    return result;
}

LONG spl_OpenOutputFile(OutputStream *stream, LPCWSTR path, DWORD mode, DWORD *end)
{
    if (!stream || !path || stream->outFile != INVALID_HANDLE_VALUE)
        return -1;
    // What is buffered so far belongs to the old sink.
    if (stream->sinkKind != SINK_CLOSED && spl_FlushStream(stream) != 0)
        return -1;
    HANDLE file = file_Create(path, mode & FILE_MODE_CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    LONG at = file_SeekFromEnd(file, 0);
    if (at < 0) {
        file_Close(file);
        return -1;
    }
    stream->outFile = file;
    stream->sinkKind = SINK_FILE;
    if (end)
        *end = (DWORD)at;
    return 0;
}

LONG spl_CloseOutputFile(OutputStream *stream, DWORD *end)
{
    if (!stream || stream->outFile == INVALID_HANDLE_VALUE)
        return -1;
    LONG result = spl_FlushStream(stream);
    LONG at = file_SeekFromEnd(stream->outFile, 0);
    if (at < 0)
        result = -1;
    else if (end)
        *end = (DWORD)at;
    stream->sinkKind = SINK_SPOOLER;
    close_output_file(stream);
    return result;
}

LONG spl_AddFileSink(OutputStream *stream, LPCWSTR path)
{
    if (!stream || !path || stream->sinkKind != SINK_SPOOLER || stream->outFile != INVALID_HANDLE_VALUE)
        return -1;
    // Bytes buffered before the file was added are the spooler's only.
    if (spl_FlushStream(stream) != 0)
        return -1;
    HANDLE file = file_Create(path, FILE_MODE_CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    stream->outFile = file;
    stream->sinkKind = SINK_SPOOLER_AND_FILE;
    return 0;
}

LONG spl_RemoveFileSink(OutputStream *stream)
{
    if (!stream)
        return -1;
    LONG result = stream->sinkKind == SINK_CLOSED ? 0 : spl_FlushStream(stream);
    stream->sinkKind = SINK_SPOOLER;
    close_output_file(stream);
    return result;
}

LONG spl_CloseChannel(OutputStream *stream, BOOL failed)
{
    if (!stream)
        return -1;
    LONG result = 0;
    if (failed)
        stream->bufferFill = 0;
    else if (stream->sinkKind != SINK_CLOSED)
        result = spl_FlushStream(stream);
    // Any file sink is closed, also the one a hook capture (kind 5) left open.
    close_output_file(stream);
    stream->sinkKind = SINK_CLOSED;
    return result;
}

LONG spl_CloseSecondJob(OutputStream *stream, BOOL failed)
{
    if (!stream || !stream->target)
        return -1;
    LONG result = 0;
    if (failed)
        stream->bufferFill = 0;
    else if (stream->sinkKind != SINK_CLOSED)
        result = spl_FlushStream(stream);
    // A job whose last bytes did not reach the spooler is not ended as printed.
    BOOL abort = failed || result != 0;
    BOOL ended = abort ? spl_AbortSpoolJob(stream->target) : spl_EndSpoolJob(stream->target);
    if (!ended)
        result = -1;
    stream->target = NULL;
    stream->sinkKind = SINK_CLOSED;
    return result;
}

LONG spl_OpenUserOutputPath(OutputStream *stream, LPCWSTR folder, LPCWSTR name)
{
    if (!stream || !folder || !name)
        return -1;
    LONG made = util_CreateFolderPath(stream->module, folder);
    if (made == -2)
        return -1;
    if (made == -1)
        return 0; // the user chose to go on without the file
    WCHAR extension[4], path[MAX_PATH + 2];
    out_LoadText(stream->module, OUT_STR_FILE_EXTENSION, extension, 4);
    DWORD length = GetShortPathNameW(folder, path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return -1;
    DWORD total =
        length + (path[length - 1] == TEXT('\\') ? 0 : 1) + (DWORD)lstrlenW(name) + 1 + (DWORD)lstrlenW(extension);
    if (total > MAX_PATH)
        return -1;
    if (path[length - 1] != TEXT('\\'))
        lstrcatW(path, TEXT("\\"));
    lstrcatW(path, name);
    lstrcatW(path, TEXT("."));
    lstrcatW(path, extension);
    stream->messageId = OUT_STR_USER_FILE_WRITE;
    return spl_AddFileSink(stream, path);
}
