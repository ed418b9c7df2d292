/*
 * The default stamp font, made from its descriptor in the built-in table and the resource
 * module's strings.
 */
#include "core/stamps/stamps.h"

#include "core/stamps/stamp_record.h"

BOOL WINAPI ureg_GetDefaultStampFont(LOGFONTW *font)
{
    if (!font) {
        return FALSE;
    }
    ureg_MakeStampFont(font, &g_DefaultStampFont);
    return TRUE;
}
