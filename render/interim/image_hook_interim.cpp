/*
 * Interim image hook: no hook component is driven, so none takes the pages (FALSE).
 */
#include "render/driver/hook/image_hook.h"

BOOL WINAPI hook_IsActive(const PDEV *)
{
    return FALSE;
}
