/*
 * The calls of an open security-marking session: the settings the module asks for, its
 * dialog, its conflict test, its output count, and the job calls of the render side.
 * Each call looks its function up at the time of the call; a missing one is a failure of
 * the module.
 */
#include "core/outside/vqb_private.h"

#include "core/settings/dmaid.h"
#include "core/settings/settings.h"
#include "core/util/global_block.h"

#include <string.h>
#include <time.h>

/* The private version the public identifiers are translated under. */
static const WORD kPrivateVersion = 21024;

/* vqb_Check: the common checks of a session call. */
static int vqb_Check(const VqbSession *session)
{
    if (session == NULL)
        return VQB_E_ARGUMENT;
    return session->handle != NULL ? VQB_OK : VQB_E_NO_HANDLE;
}

/* vqb_FillValues: the identifiers translated and their values read. */
static int vqb_FillValues(VqbIdEntry *entries, DWORD count, DriverDevmode *devmode, PrinterDataBlock *block)
{
    for (DWORD i = 0; i < count; ++i) {
        WORD functionId = 0;
        if (entries[i].id > 0xFFFF || !dma_DmaIdToFunctionId((WORD)entries[i].id, &functionId, kPrivateVersion))
            return VQB_E_TRANSLATE;
        WORD type = 0;
        DWORD size = 0;
        BYTE value[8] = {};
        if (dma_GetValue(functionId, devmode, block, &type, &size, value, NULL) != 0)
            return VQB_E_VALUE;
        memcpy(&entries[i].value, value, sizeof(entries[i].value));
    }
    return VQB_OK;
}

int WINAPI ext_VqbReadIdValues(VqbSession *session, DriverDevmode *devmode, PrinterDataBlock *block,
                               VqbIdValues **values)
{
    if (values != NULL)
        *values = NULL;
    if (values == NULL)
        return VQB_E_ARGUMENT;
    int status = vqb_Check(session);
    if (status != VQB_OK)
        return status;
    VazerGetNumOfIDsProc countIds = (VazerGetNumOfIDsProc)(void *)vqb_Find("VAZER_GetNumOfIDs");
    VazerGetIDListProc list = (VazerGetIDListProc)(void *)vqb_Find("VAZER_GetIDList");
    if (countIds == NULL || list == NULL)
        return VQB_E_MODULE;
    int count = countIds(session->handle);
    if (count < 0)
        return VQB_E_MODULE;
    if (count == 0)
        return VQB_E_NONE;
    DWORD bytes = (DWORD)count * (DWORD)sizeof(VqbIdEntry);
    VqbIdValues *read = (VqbIdValues *)util_GlobalAllocZero(sizeof(VqbIdValues));
    VqbIdEntry *entries = (VqbIdEntry *)util_GlobalAllocZero(bytes);
    if (read == NULL || entries == NULL) {
        util_GlobalFreeIfSet(read);
        util_GlobalFreeIfSet(entries);
        return VQB_E_MEMORY;
    }
    for (int i = 0; i < count; ++i)
        entries[i].size = sizeof(VqbIdEntry);
    status =
        list(session->handle, entries, bytes) ? vqb_FillValues(entries, (DWORD)count, devmode, block) : VQB_E_MODULE;
    if (status != VQB_OK) {
        GlobalFree(read);
        GlobalFree(entries);
        return status;
    }
    read->count = (DWORD)count;
    read->entries = entries;
    *values = read;
    return VQB_OK;
}

int WINAPI ext_VqbFreeIdValues(VqbIdValues *values)
{
    if (values == NULL)
        return VQB_E_ARGUMENT;
    util_GlobalFreeIfSet(values->entries);
    GlobalFree(values);
    return VQB_OK;
}

int WINAPI ext_VqbPassDriverSettings(VqbSession *session, const VqbIdValues *values)
{
    if (values == NULL)
        return VQB_E_ARGUMENT;
    int status = vqb_Check(session);
    if (status != VQB_OK)
        return status;
    VazerSetDriverSettingsProc pass = (VazerSetDriverSettingsProc)(void *)vqb_Find("VAZER_SetDriverSettings");
    return pass != NULL && pass(session->handle, values) ? VQB_OK : VQB_E_MODULE;
}

/* vqb_SetSettings: hands the module a settings block (NULL: none). */
static BOOL vqb_SetSettings(const VqbSession *session, const void *data, DWORD size)
{
    VazerSetVQBSettingsProc set = (VazerSetVQBSettingsProc)(void *)vqb_Find("VAZER_SetVQBSettings");
    return set != NULL && set(session->handle, data, size);
}

int WINAPI ext_VqbRunSettingsDialog(HWND window, VqbSession *session, const VqbSettingsBlock *current,
                                    VqbSettingsBlock *newBlock, BOOL *changed)
{
    if (newBlock == NULL || changed == NULL)
        return VQB_E_ARGUMENT;
    newBlock->size = 0;
    newBlock->data = NULL;
    *changed = FALSE;
    int status = vqb_Check(session);
    if (status != VQB_OK)
        return status;
    VazerGetSizeOfSettingsProc sizeOf = (VazerGetSizeOfSettingsProc)(void *)vqb_Find("VAZER_GetSizeOfSettings");
    if (sizeOf == NULL)
        return VQB_E_MODULE;
    int size = sizeOf(session->handle);
    if (size < 0)
        return VQB_E_TRANSLATE;
    void *buffer = util_GlobalAllocZero(size > 0 ? (DWORD)size : 1);
    if (buffer == NULL)
        return VQB_E_MEMORY;
    if (!vqb_SetSettings(session, current != NULL ? current->data : NULL, current != NULL ? current->size : 0)) {
        GlobalFree(buffer);
        return VQB_E_MODULE;
    }
    VazerDisplayUIProc display = (VazerDisplayUIProc)(void *)vqb_Find("VAZER_DisplayUI");
    BOOL flag = FALSE;
    int answer = display != NULL ? display(session->handle, window, buffer, (DWORD)size, &flag) : -1;
    if (answer == 1) {
        newBlock->size = (DWORD)size;
        newBlock->data = buffer;
        *changed = flag;
        return VQB_DIALOG_DONE;
    }
    GlobalFree(buffer);
    if (answer == 2)
        return VQB_DIALOG_CANCELLED;
    if (answer == -1)
        vqb_Warn(window);
    return VQB_E_MODULE;
}

int WINAPI ext_VqbTestConflict(HWND window, VqbSession *session, const VqbIdValues *values,
                               const VqbSettingsBlock *block)
{
    if (values == NULL || block == NULL)
        return VQB_E_ARGUMENT;
    int status = vqb_Check(session);
    if (status != VQB_OK)
        return status;
    VazerCheckConflictProc check = (VazerCheckConflictProc)(void *)vqb_Find("VAZER_CheckConflict");
    int answer = check != NULL ? check(session->handle, values, block->data, block->size, window) : -1;
    if (answer == 1)
        return VQB_OK;
    if (answer == 0)
        return VQB_CONFLICT;
    if (answer == -1)
        vqb_Warn(window);
    return VQB_E_MODULE;
}

int WINAPI ext_VqbCountOutputs(VqbSession *session, const VqbSettingsBlock *block, DWORD *count)
{
    if (block == NULL || count == NULL)
        return VQB_E_ARGUMENT;
    int status = vqb_Check(session);
    if (status != VQB_OK)
        return status;
    VazerGetNumOfOutputsProc outputs = (VazerGetNumOfOutputsProc)(void *)vqb_Find("VAZER_GetNumOfOutputs");
    if (outputs == NULL || !vqb_SetSettings(session, block->data, block->size))
        return VQB_E_MODULE;
    int n = outputs(session->handle);
    if (n < 0)
        return VQB_E_MODULE;
    *count = (DWORD)n;
    session->outputs = (DWORD)n;
    return VQB_OK;
}

int WINAPI ext_VqbSetSettingsText(VqbSession *session, DWORD size, const WCHAR *text1, const WCHAR *text2, DWORD value)
{
    if (text1 == NULL || text2 == NULL)
        return VQB_E_ARGUMENT;
    int status = vqb_Check(session);
    if (status != VQB_OK)
        return status;
    int bytes1 = WideCharToMultiByte(CP_ACP, 0, text1, -1, NULL, 0, NULL, NULL);
    int bytes2 = WideCharToMultiByte(CP_ACP, 0, text2, -1, NULL, 0, NULL, NULL);
    if (bytes1 <= 0 || bytes2 <= 0)
        return VQB_E_CONVERT;
    DWORD needed = (DWORD)bytes1 + (DWORD)bytes2 + (DWORD)sizeof(value);
    if (size < needed)
        return VQB_E_TOO_SMALL;
    BYTE *packed = (BYTE *)util_GlobalAllocZero(size);
    if (packed == NULL)
        return VQB_E_MEMORY;
    WideCharToMultiByte(CP_ACP, 0, text1, -1, (char *)packed, bytes1, NULL, NULL);
    WideCharToMultiByte(CP_ACP, 0, text2, -1, (char *)packed + bytes1, bytes2, NULL, NULL);
    memcpy(packed + bytes1 + bytes2, &value, sizeof(value));
    BOOL set = vqb_SetSettings(session, packed, size);
    GlobalFree(packed);
    return set ? VQB_OK : VQB_E_MODULE;
}

/* vqb_PutText: text in the ANSI code page into a field, cut at a whole character. */
static void vqb_PutText(char *field, DWORD size, const WCHAR *text)
{
    memset(field, 0, size);
    if (text == NULL)
        return;
    DWORD used = 0;
    for (const WCHAR *p = text; *p != 0; ++p) {
        char one[8];
        int n = WideCharToMultiByte(CP_ACP, 0, p, 1, one, sizeof(one), NULL, NULL);
        if (n <= 0 || used + (DWORD)n + 1 > size)
            break;
        memcpy(field + used, one, (size_t)n);
        used += (DWORD)n;
    }
}

int WINAPI ext_VqbSendJobIds(const VqbJobIdsInput *input, VqbSession *session)
{
    if (input == NULL)
        return VQB_E_ARGUMENT;
    int status = vqb_Check(session);
    if (status != VQB_OK)
        return status;
    VqbJobIdsRecord record;
    memset(&record, 0, sizeof(record));
    record.size = sizeof(record);
    record.time = (DWORD)time(NULL);
    vqb_PutText(record.user, sizeof(record.user), input->user);
    vqb_PutText(record.document, sizeof(record.document), input->document);
    memcpy(record.code, input->code, sizeof(record.code));
    vqb_PutText(record.host, sizeof(record.host), input->host);
    VazerGetIDListProc list = (VazerGetIDListProc)(void *)vqb_Find("VAZER_GetIDList");
    return list != NULL && list(session->handle, &record, sizeof(record)) ? VQB_OK : VQB_E_MODULE;
}

int WINAPI ext_VqbCallJob(VqbSession *session, DWORD mode, const VqbJobIdsInput *input)
{
    if (session == NULL || input == NULL)
        return VQB_E_ARGUMENT;
    if (session->handle == NULL)
        return VQB_E_NO_HANDLE;
    if (mode != 1)
        return VQB_E_MODE;
    return ext_VqbSendJobIds(input, session);
}
