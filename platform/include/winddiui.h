/*
 * The printer-interface DLL's entry points and records (host build): the property sheets,
 * capabilities, colour profiles, DEVMODE conversion, upgrade and print queries. The
 * document and printer events come with the issue that builds them.
 */
#ifndef QM_WINDDIUI_H
#define QM_WINDDIUI_H

#include <windows.h>
#include <winspool.h>
#include <compstui.h>

#include "winddiui_entries.h"

#endif /* QM_WINDDIUI_H */
