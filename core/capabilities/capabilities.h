/*
 * Device capabilities: the answers to the spooler's and applications' capability queries
 * (the DC_ indexes) from the description data, the printer's stored settings and forms and
 * the DEVMODE the caller passes. Answers are pointer-free arrays: WORD numbers, names of
 * 64 (papers, media) or 24 (bins) characters, pairs of 32-bit LONGs.
 */
#ifndef QM_CORE_CAPABILITIES_CAPABILITIES_H
#define QM_CORE_CAPABILITIES_CAPABILITIES_H

#include "core/context/driver_context.h"

/* Characters of one name slot. */
#define DC_PAPER_NAME_CHARS 64
#define DC_BIN_NAME_CHARS 24

#ifdef __cplusplus
extern "C" {
#endif

/*
 * dc_DeviceCapabilities: the answer to one query: the row of the index in the dispatch
 * table prepares what it needs (a context, the printer-data block, the effective DEVMODE:
 * the printer's default merged with input), calls its handler and frees everything. With
 * a NULL output a list query answers its count only; elements are written only for the
 * count answered. device: not used. input: read only through the merge's bounded copy and
 * its paper fields within its dmSize. Returns the handler's answer, or -1 for an index
 * without a row or a failed preparation.
 */
LONG WINAPI dc_DeviceCapabilities(HANDLE printer, const WCHAR *device, WORD index, void *output, const DEVMODEW *input);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_CAPABILITIES_CAPABILITIES_H */
