/*
 * What text output reads of a job beyond the drawing target: the font checks' view, the
 * printer's substitution table and the job's family group table, the compression
 * component for glyph bits and the job's download keys of fonts. The driver's entry layer
 * defines drw_GetTextJob: the drawing side never reads the PDEV itself.
 */
#ifndef QM_RENDER_PDL_TEXT_TEXT_JOB_H
#define QM_RENDER_PDL_TEXT_TEXT_JOB_H

#include <windows.h>
#include <winddi.h>

#include "render/pdl/drawing/draw_target.h"
#include "render/pdl/fonts/fonts.h"

struct CompressDllTable;

/*
 * FontKeyTable: the printer-memory key of each font a job downloads glyphs of. Memory
 * keys are 16-bit and a font's iUniq is 32-bit and grows in a long-running spooler, so
 * each distinct iUniq gets the next number at its first use (1, 2, ...), never reused in
 * the job. Global heap; the job owns it.
 */
typedef struct FontKeyTable {
    DWORD count;
    DWORD capacity;
    ULONG *uniqs; /* uniqs[k - 1] holds key k */
} FontKeyTable;

/* Most fonts that get a key; later fonts go without the memory model. */
#define FONT_KEY_LIMIT 0xFFFF

/* TextJob: filled by drw_GetTextJob when a text call begins. */
typedef struct TextJob {
    FontJobView fonts;
    WCHAR **fontSubTable; /* the printer's table, loaded on first use (the PDEV's) */
    HANDLE printer;
    DWORD groupTable;                           /* family group table of the job */
    const struct CompressDllTable *compression; /* for glyph bits, or NULL */
    FontKeyTable **keys;                        /* the job's font keys (made on first use) */
} TextJob;

/* drw_GetTextJob: job: out. 0, or -1 for a target without PDEV. */
LONG drw_GetTextJob(DrawTarget *target, TextJob *job);

/* fnt_GetFontKey: the download key of the font with iUniq uniq, given at first use. 1
 * with *key written; 0 when the table is full or memory is short (the glyphs then go
 * without the memory model). */
BOOL fnt_GetFontKey(FontKeyTable **table, ULONG uniq, WORD *key);
/* fnt_FreeFontKeys: frees the table and clears the pointer. */
void fnt_FreeFontKeys(FontKeyTable **table);

#endif /* QM_RENDER_PDL_TEXT_TEXT_JOB_H */
