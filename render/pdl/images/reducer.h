/*
 * Area-averaging reduction of an image while its rows are converted: rows of 8-bit
 * values (one or three channels a pixel) go in one at a time, reduced rows come out as
 * soon as every source row of one has arrived. A reducer lives for one blit.
 */
#ifndef QM_RENDER_PDL_IMAGES_REDUCER_H
#define QM_RENDER_PDL_IMAGES_REDUCER_H

#include <windows.h>

#include "platform/include/qm_layout.h"

/* No destination pixel or row takes more source pixels or rows than this to one. */
#define REDUCER_MAX_RATIO 14
/* Source rows held at once: a destination row spans at most this many. */
#define REDUCER_MAX_ROWS 16

/*
 * One destination pixel or row: its first source index and that one's weight (1..256),
 * its last source index and that one's weight; the source indices strictly between
 * weigh 256.
 */
typedef struct WeightEntry {
    WORD first;
    WORD firstWeight;
    WORD last;
    WORD lastWeight;
} WeightEntry;

static_assert(sizeof(WeightEntry) == 8, "WeightEntry");

/* Reducer: the state of one image's reduction (global memory). */
typedef struct Reducer {
    DWORD enabled; /* 1 once initialised */
    WORD sourceWidth;
    WORD sourceHeight;
    WORD reducedWidth;
    WORD reducedHeight;
    WORD resolutionX; /* the device's */
    WORD resolutionY;
    WORD reduction;                    /* the resolution reduced to */
    WORD channels;                     /* values a pixel: 1 or 3 */
    BYTE *collected[REDUCER_MAX_ROWS]; /* source rows of the destination row, first on */
    BYTE *reduced[REDUCER_MAX_ROWS];   /* the same rows reduced across */
    BYTE *output;                      /* the last destination row */
    WeightEntry *across;               /* one entry per destination pixel */
    WeightEntry *down;                 /* one entry per destination row */
    WORD collectedCount;
    WORD outputRow;  /* destination rows completed */
    WORD sourceRows; /* source rows given so far */
    WORD spare;
} Reducer;

static_assert(sizeof(Reducer) == QM_LAYOUT(168, 312), "Reducer");

/* img_CreateReducer: a zeroed reducer, NULL without memory. */
Reducer *img_CreateReducer(void);

/* img_InitReducer: enables the reducer for the device resolutions and the resolution to
 * reduce to. 1, or 0 when an argument is 0. */
LONG img_InitReducer(Reducer *reducer, DWORD enable, DWORD resolutionX, DWORD resolutionY, DWORD reduction);

/*
 * img_GetReducedSize: the size an image of the source size drawn at the destination size
 * is reduced to: reduction x destination / device resolution (at least 1), raised to
 * source / 14 + 1 where the source would be more than 14 times it, never above the source.
 */
void img_GetReducedSize(const Reducer *reducer, DWORD sourceWidth, DWORD sourceHeight, DWORD destWidth,
                        DWORD destHeight, DWORD *reducedWidth, DWORD *reducedHeight);

/* img_SetReduction: prepares the reducer for rows of channels values a pixel. 1, or 0 for
 * a reduced size above the source, a ratio above 14, sizes past 65,535 or no memory. */
LONG img_SetReduction(Reducer *reducer, DWORD sourceWidth, DWORD sourceHeight, DWORD reducedWidth, DWORD reducedHeight,
                      DWORD channels);

/* img_BuildWeights: the weight table of count destination entries over sources source
 * entries (count <= sources). */
void img_BuildWeights(WeightEntry *table, DWORD sources, DWORD count);

/*
 * img_ReduceRow: gives the next source row (sourceWidth x channels bytes). 1 when a
 * destination row was completed (reducer->output, reducedWidth x channels bytes), 0 when
 * more rows are needed, -1 for an invalid reducer, a row past the image or a seventeenth
 * held row.
 */
LONG img_ReduceRow(Reducer *reducer, const BYTE *row);

/* img_DestroyReducer: frees the reducer and its rows and tables (NULL: nothing). */
void img_DestroyReducer(Reducer *reducer);

#endif /* QM_RENDER_PDL_IMAGES_REDUCER_H */
