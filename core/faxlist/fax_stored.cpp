/* The stored settings blocks with the fax list taken from and given to the list object. */
#include "core/faxlist/fax_list.h"

#include "core/stored/stored.h"
#include "core/util/global_block.h"

BOOL WINAPI pd_SaveSettingsBlocksWithFax(HANDLE printer, DriverContext *context, const WCHAR *path, WORD storeKind,
                                         const FaxAddressList *object, const DevmodeSecondPart *second, const void *vqb,
                                         DWORD vqbSize, const void *sp, DWORD spSize)
{
    if ((printer == NULL && path == NULL) || second == NULL)
        return FALSE;
    if (object == NULL)
        return pd_SaveSettingsBlocks(printer, context, path, storeKind, NULL, 0, second, vqb, vqbSize, sp, spSize);
    /* An object without a node list holds no destinations. */
    LONG count = object->list != NULL ? ui_GetNodeCount(object->list) : 0;
    if (count < 0 || count > FAX_LIST_COUNT_MAX)
        return FALSE;
    DWORD size = (DWORD)sizeof(FaxSendList) + (DWORD)count * (DWORD)sizeof(FaxDestination);
    void *block = util_GlobalAllocZero(size);
    if (block == NULL)
        return FALSE;
    BOOL saved =
        pd_BuildFaxSendList(block, (DWORD)count, object) &&
        pd_SaveSettingsBlocks(printer, context, path, storeKind, block, size, second, vqb, vqbSize, sp, spSize);
    util_GlobalFreeIfSet(block);
    return saved;
}

BOOL WINAPI pd_LoadSettingsBlocksWithFax(HANDLE printer, DriverContext *context, const WCHAR *path, WORD storeKind,
                                         FaxAddressList *object, DevmodeSecondPart *second, void **vqb, DWORD *vqbSize,
                                         void **sp, DWORD *spSize)
{
    if ((printer == NULL && path == NULL) || second == NULL)
        return FALSE;
    if (object == NULL)
        return pd_LoadSettingsBlocks(printer, context, path, storeKind, NULL, second, vqb, vqbSize, sp, spSize);
    void *fax = NULL;
    if (!pd_LoadSettingsBlocks(printer, context, path, storeKind, &fax, second, vqb, vqbSize, sp, spSize))
        return FALSE;
    if (fax == NULL)
        return TRUE;
    BOOL filled = pd_FillFaxAddressList(object, (const FaxSendList *)fax);
    util_GlobalFreeIfSet(fax);
    if (!filled) {
        /* The caller gets nothing of a load that failed. */
        if (vqb != NULL && *vqb != NULL) {
            GlobalFree(*vqb);
            *vqb = NULL;
            *vqbSize = 0;
        }
        if (sp != NULL && *sp != NULL) {
            GlobalFree(*sp);
            *sp = NULL;
            *spSize = 0;
        }
    }
    return filled;
}
