/*
 * The application escapes of GDI: SETCOPYCOUNT, PASSTHROUGH and GETTECHNOLOGY.
 */
#include "render/driver/escape/escape_private.h"

#include <string.h>

#include "core/ddd/ddd_access.h"
#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"

// The copy count is setting 12, a 16-bit value.
#define COPY_COUNT_MAX 32767

static BOOL copy_count_off(PDEV *pdev)
{
    return pdev_GetSetting32(pdev, FID_JOB_ATTRIBUTES) != 0;
}

LONG esc_QuerySetCopyCount(PDEV *pdev)
{
    return pdev != NULL && copy_count_off(pdev) ? 0 : 999;
}

LONG esc_SetCopyCount(PDEV *pdev, const EscapeCall *call)
{
    if (copy_count_off(pdev) || !esc_HasInput(call, sizeof(DWORD)))
        return ESC_FAIL;
    LONG requested = (LONG)esc_ReadLong(call->in, 0);
    DWORD limit = pdev->modelFile != NULL ? ddd_GetCopyLimit(pdev->modelFile) : 0;
    LONG count = requested;
    if (limit != 0 && count > (LONG)limit)
        count = (LONG)limit;
    if (count < 1)
        count = 1;
    if (count > COPY_COUNT_MAX)
        count = COPY_COUNT_MAX;
    if (pdev_SetSetting16(pdev, FID_COPIES, (WORD)count) != 0)
        return ESC_FAIL;
    pdev->copyCount = (DWORD)count;
    if (esc_HasReply(call, sizeof(DWORD)))
        esc_WriteLong(call->out, 0, (DWORD)count);
    return 1;
}

LONG esc_QueryPassthrough(PDEV *pdev)
{
    return pdev != NULL && pdev_GetSetting32(pdev, FID_PASSTHROUGH) != 0 ? 1 : 0;
}

LONG esc_Passthrough(PDEV *, const EscapeCall *)
{
    return 0; // raw data is never written into the stream
}

LONG esc_GetTechnology(PDEV *, const EscapeCall *call)
{
    static const char kTechnology[4] = {'N', 'Q', 'T', 0};
    if (call->in == NULL || !esc_HasReply(call, sizeof(kTechnology))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    memcpy(call->out, kTechnology, sizeof(kTechnology));
    return 1;
}
