/*
 * Target build only. The installed graphics-engine header (winddi.h) includes this header of
 * the display-driver kit, which the toolchain does not ship. A printer driver uses none of
 * the display objects; they are declared here as incomplete records so that the engine
 * header compiles in user mode.
 */
#ifndef QM_DDRAWINT_H
#define QM_DDRAWINT_H

typedef struct _DD_SURFACE_LOCAL DD_SURFACE_LOCAL, *PDD_SURFACE_LOCAL;
typedef struct _DD_DIRECTDRAW_GLOBAL DD_DIRECTDRAW_GLOBAL, *PDD_DIRECTDRAW_GLOBAL;
typedef struct _DD_CALLBACKS DD_CALLBACKS, *PDD_CALLBACKS;
typedef struct _DD_SURFACECALLBACKS DD_SURFACECALLBACKS, *PDD_SURFACECALLBACKS;
typedef struct _DD_PALETTECALLBACKS DD_PALETTECALLBACKS, *PDD_PALETTECALLBACKS;
typedef struct _DD_HALINFO DD_HALINFO, *PDD_HALINFO;
typedef struct _VIDEOMEMORY VIDEOMEMORY, *LPVIDEOMEMORY;

#endif /* QM_DDRAWINT_H */
