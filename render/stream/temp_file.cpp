/*
 * Temporary job files: a positioned file with a high-water size, a pending-write buffer
 * and the retry question on failed writes.
 */
#include "render/stream/temp_file.h"

#include "render/stream/file_io.h"
#include "render/stream/output_texts.h"

// Length of the retry message after the drive letter is put in.
#define RETRY_TEXT_MAX 1024

static void reset(TempJobFile *file, HMODULE module)
{
    file->module = module;
    file->file = INVALID_HANDLE_VALUE;
    file->path[0] = 0;
    file->size = 0;
    file->position = 0;
    file->pendingCount = 0;
    file->open = 0;
}

static BOOL usable(const TempJobFile *file)
{
    return file && file->file != INVALID_HANDLE_VALUE && file->open;
}

// Writes bytes at the position until all are written; a failed write asks the user:
// OK seeks back to the position and goes on with the rest, anything else clears the open
// flag. Returns TRUE when all bytes were written.
static BOOL write_with_retry(TempJobFile *file, const BYTE *bytes, DWORD length)
{
    DWORD total = 0;
    while (total < length) {
        DWORD done = 0;
        BOOL ok = file_Write(file->file, bytes + total, length - total, &done);
        total += done;
        file->position += done;
        if (file->position > file->size)
            file->size = file->position;
        if (ok)
            break;
        if (spl_AskWriteRetry(file) != IDOK) {
            file->open = 0;
            return FALSE;
        }
        if (file_SeekFromStart(file->file, (LONG)file->position) != (LONG)file->position)
            return FALSE;
    }
    return TRUE;
}

// Writes the pending bytes (before any read, seek or size query). TRUE when none remain.
static BOOL write_pending(TempJobFile *file)
{
    if (file->pendingCount == 0)
        return TRUE;
    BOOL ok = write_with_retry(file, file->pending, file->pendingCount);
    file->pendingCount = 0;
    return ok;
}

LONG spl_InitTempFile(TempJobFile *file, BOOL cleanUp, HMODULE module)
{
    if (!file)
        return -1;
    if (cleanUp)
        spl_CleanUpTempFiles();
    if (file->file != INVALID_HANDLE_VALUE && file->file != NULL) {
        file->module = module;
        return 0;
    }
    reset(file, module);
    return 0;
}

LONG spl_CreateTempFile(TempJobFile *file)
{
    if (!file)
        return -1;
    if (file->file != INVALID_HANDLE_VALUE || file->path[0])
        spl_DeleteTempFile(file);
    util_MakeTempFileName(file->path, NULL);
    file->file = file_Create(file->path, FILE_MODE_CREATE_ALWAYS);
    if (file->file == INVALID_HANDLE_VALUE) {
        DeleteFileW(file->path); // the empty file the name was made with
        file->path[0] = 0;
        return -1;
    }
    spl_RecordTempFile(file->path); // a missing record only loses the clean-up after a crash
    file->size = 0;
    file->position = 0;
    file->pendingCount = 0;
    file->open = 1;
    return 0;
}

LONG spl_DeleteTempFile(TempJobFile *file)
{
    if (!file)
        return -1;
    LONG result = 0;
    if (file->file != INVALID_HANDLE_VALUE && !file_Close(file->file))
        result = -1;
    if (file->path[0]) {
        if (DeleteFileW(file->path))
            spl_UnrecordTempFile(file->path);
        else
            result = -1;
    }
    reset(file, file->module);
    return result;
}

LONG spl_IsTempFileOpen(const TempJobFile *file)
{
    return usable(file) ? 1 : -1;
}

LONG spl_CloseTempFileFlag(TempJobFile *file)
{
    if (!file)
        return -1;
    file->open = 0;
    return 0;
}

LONG spl_WriteTempFile(TempJobFile *file, const BYTE *bytes, DWORD length)
{
    if (!usable(file) || (length && !bytes))
        return -1;
    if (length == 0)
        return 0;
    if (!write_pending(file) || !write_with_retry(file, bytes, length))
        return -1;
    return (LONG)length;
}

LONG spl_ReadTempFile(TempJobFile *file, BYTE *buffer, DWORD length)
{
    if (!usable(file) || (length && !buffer))
        return -1;
    if (!write_pending(file))
        return -1;
    if (length > file->size || file->position > file->size - length)
        return -1;
    LONG got = file_Read(file->file, buffer, length);
    if (got < 0)
        return -1;
    file->position += (DWORD)got;
    return got;
}

LONG spl_SeekTempFile(TempJobFile *file, DWORD offset)
{
    if (!usable(file) || !write_pending(file) || offset > file->size)
        return -1;
    if (file_SeekFromStart(file->file, (LONG)offset) != (LONG)offset)
        return -1;
    file->position = offset;
    return (LONG)offset;
}

LONG spl_SeekTempFileEnd(TempJobFile *file)
{
    if (!usable(file) || !write_pending(file))
        return -1;
    LONG end = file_SeekFromEnd(file->file, 0);
    if (end < 0)
        return -1;
    file->position = (DWORD)end;
    return end;
}

LONG spl_GetTempFileSize(TempJobFile *file)
{
    if (!usable(file) || !write_pending(file))
        return -1;
    return (LONG)file->size;
}

int spl_AskWriteRetry(const TempJobFile *file)
{
    WCHAR drive = TEXT(' ');
    if (file->path[0] && file->path[1] == TEXT(':')) {
        drive = file->path[0];
        if (drive >= TEXT('a') && drive <= TEXT('z'))
            drive = (WCHAR)(drive - TEXT('a') + TEXT('A'));
    }
    // Local buffers: the question may be asked on several threads at once.
    WCHAR caption[512], format[512], text[RETRY_TEXT_MAX];
    if (!out_LoadText(file->module, OUT_STR_CAPTION, caption, 512))
        lstrcpyW(caption, OUT_TEXT_CAPTION);
    if (!out_LoadText(file->module, OUT_STR_TEMP_FILE_WRITE, format, 512))
        lstrcpyW(format, OUT_TEXT_TEMP_FILE_WRITE);
    wsprintfW(text, format, drive);
    return MessageBoxW(GetActiveWindow(), text, caption, MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND);
}
