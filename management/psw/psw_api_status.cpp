/*
 * The PSW exports of the status tables, the jobs and the character sets: each checks its
 * arguments, then that a device session has its status object, and forwards.
 */
#include "management/include/psw.h"
#include "management/devices/psw_device_status.h"
#include "management/psw/psw_handle.h"

/* count_of: the read of one table; *count is written only on success. */
static int32_t count_of(CPSWHandle *handle, PSWStatusTable table, int32_t *count)
{
    if (!handle || !count)
        return PSW_E_ARG;
    if (!handle->status)
        return PSW_E_NO_SESSION;
    int32_t read = 0;
    int32_t code = handle->status->read_table(table, &read);
    if (code == PSW_OK)
        *count = read;
    return code;
}

/* record_of: one record of the table's last read. */
static int32_t record_of(CPSWHandle *handle, PSWStatusTable table, int32_t index, void *out)
{
    if (!handle || !out)
        return PSW_E_ARG;
    if (!handle->status)
        return PSW_E_NO_SESSION;
    return handle->status->get_record(table, index, out);
}

int32_t PSW_API PSWGetNumberOfStorageInfo(CPSWHandle *handle, int32_t *count)
{
    return count_of(handle, PSW_TABLE_STORAGE, count);
}

int32_t PSW_API PSWGetStorageInfo(CPSWHandle *handle, int32_t index, PSWStorageInfo *out)
{
    return record_of(handle, PSW_TABLE_STORAGE, index, out);
}

int32_t PSW_API PSWGetNumberOfDeviceInfo(CPSWHandle *handle, int32_t *count)
{
    return count_of(handle, PSW_TABLE_DEVICE, count);
}

int32_t PSW_API PSWGetDeviceInfo(CPSWHandle *handle, int32_t index, PSWDeviceInfo *out)
{
    return record_of(handle, PSW_TABLE_DEVICE, index, out);
}

int32_t PSW_API PSWGetNumberOfInputTrayInfo(CPSWHandle *handle, int32_t *count)
{
    return count_of(handle, PSW_TABLE_INPUT_TRAY, count);
}

int32_t PSW_API PSWGetInputTrayInfo(CPSWHandle *handle, int32_t index, PSWInputTrayInfo *out)
{
    return record_of(handle, PSW_TABLE_INPUT_TRAY, index, out);
}

int32_t PSW_API PSWGetNumberOfOutputTrayInfo(CPSWHandle *handle, int32_t *count)
{
    return count_of(handle, PSW_TABLE_OUTPUT_TRAY, count);
}

int32_t PSW_API PSWGetOutputTrayInfo(CPSWHandle *handle, int32_t index, PSWOutputTrayInfo *out)
{
    return record_of(handle, PSW_TABLE_OUTPUT_TRAY, index, out);
}

int32_t PSW_API PSWGetNumberOfTonerInfo(CPSWHandle *handle, int32_t *count)
{
    return count_of(handle, PSW_TABLE_TONER, count);
}

int32_t PSW_API PSWGetTonerInfo(CPSWHandle *handle, int32_t index, PSWTonerInfo *out)
{
    return record_of(handle, PSW_TABLE_TONER, index, out);
}

int32_t PSW_API PSWGetNumberOfAlertInfo(CPSWHandle *handle, int32_t *count)
{
    return count_of(handle, PSW_TABLE_ALERT, count);
}

int32_t PSW_API PSWGetAlertInfo(CPSWHandle *handle, int32_t index, PSWAlertInfo *out)
{
    return record_of(handle, PSW_TABLE_ALERT, index, out);
}

int32_t PSW_API PSWGetPrinterInfo(CPSWHandle *handle, PSWPrinterInfo *out)
{
    if (!handle || !out)
        return PSW_E_ARG;
    if (!handle->status)
        return PSW_E_NO_SESSION;
    return handle->status->read_printer_status(out);
}

int32_t PSW_API PSWGetNumberOfJobInfo(CPSWHandle *handle, int32_t kind, int32_t *count)
{
    if (!handle || !count || kind < 0 || kind > 2)
        return PSW_E_ARG;
    if (!handle->status)
        return PSW_E_NO_SESSION;
    int32_t read = 0;
    int32_t code = handle->status->read_jobs(kind, &read);
    if (code == PSW_OK)
        *count = read;
    return code;
}

int32_t PSW_API PSWGetJobInfo(CPSWHandle *handle, int32_t index, PSWJobInfo *out)
{
    return record_of(handle, PSW_TABLE_JOB, index, out);
}

int32_t PSW_API PSWCancelJob(CPSWHandle *handle, const char *job_id)
{
    if (!handle || !job_id)
        return PSW_E_ARG;
    if (!handle->status)
        return PSW_E_NO_SESSION;
    return handle->status->cancel_job(job_id);
}

int32_t PSW_API PSWGetCharSet(CPSWHandle *handle, int32_t kind, int32_t *code)
{
    if (!handle || !code || kind < 0 || kind > 1)
        return PSW_E_ARG;
    if (!handle->status)
        return PSW_E_NO_SESSION;
    int32_t read = 0;
    int32_t result = handle->status->read_character_set(kind, &read);
    if (result == PSW_OK)
        *code = read;
    return result;
}
