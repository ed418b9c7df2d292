/*
 * Target build only. Included by the installed winddi.h; nothing of the 3-D display kit is
 * used by a printer driver, so this header is empty.
 */
#ifndef QM_D3DNTHAL_H
#define QM_D3DNTHAL_H
#endif /* QM_D3DNTHAL_H */
