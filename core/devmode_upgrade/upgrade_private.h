/*
 * Shared pieces of the DEVMODE and printer-data upgrades: the version bounds, number
 * settings read and written by their stored type, a setting reset to its default, and
 * the model's code and capabilities.
 */
#ifndef QM_CORE_DEVMODE_UPGRADE_UPGRADE_PRIVATE_H
#define QM_CORE_DEVMODE_UPGRADE_UPGRADE_PRIVATE_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

enum {
    UPG_VERSION_CURRENT = DM_PRIVATE_VERSION, /* 0x5220, DEVMODE and block */
    UPG_DEVMODE_RECENT_FIRST = 0x5003,        /* older DEVMODEs get the defaults */
    UPG_BLOCK_RECENT_FIRST = 0x5040,          /* older blocks get the defaults */
    UPG_MODEL_CLASS_MASK = 0xFFF0,            /* model code -> model class */
    UPG_HEADER_MIN_EXTRA = 69                 /* private bytes holding 257, 258 and the model name */
};

/* A number setting of the areas as an unsigned value. 1, or 0 when it cannot be read. */
BOOL upg_ReadNumber(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, DWORD *value);

/* Writes a number setting in its stored type. 1, or 0 when the write is refused. */
BOOL upg_WriteNumber(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, DWORD value);

/* Resets a number setting to the model's default: its value in the model's default
 * DEVMODE or block (0 where the model gives none). 1, or 0 on failure. */
BOOL upg_ResetSetting(const DriverDevmode *defaultDevmode, const PrinterDataBlock *defaultBlock, DriverDevmode *devmode,
                      PrinterDataBlock *block, WORD functionId);

/* The model code (the default of setting 5137) in *code. 1, or 0 on failure. */
BOOL upg_GetModelCode(DriverContext *context, WORD *code);

/* 1 when the model has the capability (a bit number 0xFFFF0000 | n, or a mask of the
 * first word). */
BOOL upg_HasCapability(DriverContext *context, DWORD bitOrMask);

#endif /* QM_CORE_DEVMODE_UPGRADE_UPGRADE_PRIVATE_H */
