/* Text in the ANSI code page, in new global-heap blocks. */
#include "core/faxlist/fax_list.h"

#include "core/util/codepage_text.h"

BOOL WINAPI util_WideToAnsiAlloc(char **out, const WCHAR *text, DWORD *length)
{
    if (out == NULL)
        return FALSE;
    *out = util_WideToCodePageAlloc(CP_ACP, text, length);
    return *out != NULL;
}

BOOL WINAPI util_AnsiToWideAlloc(const char *text, WCHAR **out, DWORD *count)
{
    if (out == NULL)
        return FALSE;
    *out = util_CodePageToWideAlloc(CP_ACP, text, count);
    return *out != NULL;
}
