/*
 * The render DLL's binding of the DEVMODE access library (qmkelvdm.dll): loaded once per
 * process with a reference count, its two settings primitives resolved by name on first
 * use. Every setting the render DLL reads or writes goes through dma_CallGetValue and
 * dma_CallSetValue, which answer status 16 while the library or an entry is missing.
 */
#ifndef QM_RENDER_DRIVER_BINDING_DMA_BINDING_H
#define QM_RENDER_DRIVER_BINDING_DMA_BINDING_H

#include "core/settings/settings_types.h"

/* String of the render DLL's own string table that names the library file. */
#define DMA_LIBRARY_NAME_STRING 32766

#ifdef __cplusplus
extern "C" {
#endif

/*
 * dma_BindLibrary: takes one reference on the library; the first one loads it from the
 * render DLL's directory under the file name of string 32766 of `instance`'s string table.
 * Called by DrvEnablePDEV under the binding lock. instance: in, the render DLL's module.
 * Returns 1 bound; 0 when instance is NULL or the load fails (the count is then 0 and the
 * next call tries again).
 */
BOOL WINAPI dma_BindLibrary(HINSTANCE instance);

/*
 * dma_UnbindLibrary: drops one reference; the last one frees the library and forgets its
 * entry points. At count 0 it does nothing. Called by DrvDisablePDEV (and by a failing
 * DrvEnablePDEV after its bind) under the binding lock.
 */
void WINAPI dma_UnbindLibrary(void);

/*
 * dma_CallGetValue: reads one setting through the library's dma_GetValue. FunctionID
 * 0x9029 is answered here: type 1, size 4, value 0. For types 6 and 9 the value becomes a
 * pointer into the area holding the string or record (devmode, devmode + 1604, block).
 * type, size, value: out (value a pointer-sized slot, see dma_GetFunctionValue). Returns 0; 16 when an output is NULL or
 * the library or its entry is missing; otherwise the library's status (1, 16).
 */
WORD WINAPI dma_CallGetValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD *type, DWORD *size,
                             void *value);

/*
 * dma_CallSetValue: writes one setting through the library's dma_SetValue (value points
 * to the value, for types 6 and 9 to a pointer to the string or record). Returns the
 * library's status (0, 1, 2, 4, 8, 16), or 16 when the library or its entry is missing.
 */
WORD WINAPI dma_CallSetValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD type, DWORD size,
                             const void *value);

/*
 * dma_RouteSettingsToLibrary: makes the core's dma_GetFunctionValue and
 * dma_SetFunctionValue (and so every typed accessor) of this module forward to
 * dma_CallGetValue and dma_CallSetValue. Called once by the render DLL's entry routine on
 * process attach, before any setting is read.
 */
void WINAPI dma_RouteSettingsToLibrary(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_BINDING_DMA_BINDING_H */
