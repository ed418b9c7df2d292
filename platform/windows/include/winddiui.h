/*
 * Target build: the printer-interface DLL's entry points and records that the toolchain's
 * winddiui.h lacks (it declares only the document and printer events). Written from the
 * documented interface; the installed header comes first.
 */
#ifndef QM_PLATFORM_WINDOWS_INCLUDE_WINDDIUI_H
#define QM_PLATFORM_WINDOWS_INCLUDE_WINDDIUI_H

#include_next <winddiui.h>

#include <windows.h>
#include <compstui.h>

/* The declarations both builds share. */
#include "../../include/winddiui_entries.h"

#endif /* QM_PLATFORM_WINDOWS_INCLUDE_WINDDIUI_H */
