/*
 * Interim font substitution: tables 0 and 1 are selected (1), no face is substituted yet.
 */
#include "render/pdl/fontsub/font_substitution.h"

LONG WINAPI fnt_SelectSubstTable(DWORD kind)
{
    return kind <= 1 ? 1 : 0;
}
