/*
 * Interim colour session: no colour is converted or collected yet; set and session open and close empty (0).
 */
#include "render/pdl/colour/colour_session.h"

LONG WINAPI clr_InitPageColorSet(PDEV *)
{
    return 0;
}

LONG WINAPI clr_OpenColorSession(PDEV *)
{
    return 0;
}

LONG WINAPI clr_CloseColorSession(PDEV *)
{
    return 0;
}
