/*
 * Area-averaging reduction: the weight tables, the held rows and the averaging.
 */
#include "render/pdl/images/reducer.h"

#include <string.h>

// reduce_Alloc / reduce_Free: zeroed fixed global memory.
static void *reduce_Alloc(SIZE_T bytes)
{
    return GlobalAlloc(GPTR, bytes);
}

static void reduce_Free(void *block)
{
    if (block != NULL) {
        GlobalFree(block);
    }
}

Reducer *img_CreateReducer(void)
{
    return (Reducer *)reduce_Alloc(sizeof(Reducer));
}

LONG img_InitReducer(Reducer *reducer, DWORD enable, DWORD resolutionX, DWORD resolutionY, DWORD reduction)
{
    if (reducer == NULL || enable == 0 || resolutionX == 0 || resolutionY == 0 || reduction == 0 ||
        resolutionX > 0xFFFF || resolutionY > 0xFFFF || reduction > 0xFFFF) {
        return 0;
    }
    reducer->enabled = 1;
    reducer->resolutionX = (WORD)resolutionX;
    reducer->resolutionY = (WORD)resolutionY;
    reducer->reduction = (WORD)reduction;
    return 1;
}

// reduce_Size: one axis of img_GetReducedSize.
static DWORD reduce_Size(DWORD source, DWORD dest, DWORD reduction, DWORD resolution)
{
    DWORD reduced = (DWORD)((ULONGLONG)reduction * dest / resolution);
    if (reduced == 0) {
        reduced = 1;
    }
    // Exactly: a ratio of 14.5 is above 14 although integer division says 14.
    if ((ULONGLONG)source > (ULONGLONG)REDUCER_MAX_RATIO * reduced) {
        reduced = source / REDUCER_MAX_RATIO + 1;
    }
    return reduced < source ? reduced : source;
}

void img_GetReducedSize(const Reducer *reducer, DWORD sourceWidth, DWORD sourceHeight, DWORD destWidth,
                        DWORD destHeight, DWORD *reducedWidth, DWORD *reducedHeight)
{
    if (reducer == NULL || reducer->resolutionX == 0 || reducer->resolutionY == 0) {
        *reducedWidth = sourceWidth;
        *reducedHeight = sourceHeight;
        return;
    }
    *reducedWidth = reduce_Size(sourceWidth, destWidth, reducer->reduction, reducer->resolutionX);
    *reducedHeight = reduce_Size(sourceHeight, destHeight, reducer->reduction, reducer->resolutionY);
}

void img_BuildWeights(WeightEntry *table, DWORD sources, DWORD count)
{
    DWORD index = 0;
    DWORD remainder = 0;
    for (DWORD i = 0; i < count; ++i) {
        table[i].first = (WORD)index;
        table[i].firstWeight = (WORD)(256 - remainder * 256 / count);
        remainder += sources;
        index += remainder / count;
        remainder %= count;
    }
    for (DWORD i = 0; i < count; ++i) {
        if (i + 1 == count) {
            table[i].last = (WORD)(sources - 1);
            table[i].lastWeight = 256;
        } else if (table[i + 1].firstWeight == 256) {
            table[i].last = (WORD)(table[i + 1].first - 1);
            table[i].lastWeight = 256;
        } else {
            table[i].last = table[i + 1].first;
            table[i].lastWeight = (WORD)(256 - table[i + 1].firstWeight);
        }
    }
}

// reduce_FreeRows: the held rows and tables.
static void reduce_FreeRows(Reducer *reducer)
{
    for (int i = 0; i < REDUCER_MAX_ROWS; ++i) {
        reduce_Free(reducer->collected[i]);
        reduce_Free(reducer->reduced[i]);
        reducer->collected[i] = NULL;
        reducer->reduced[i] = NULL;
    }
    reduce_Free(reducer->output);
    reduce_Free(reducer->across);
    reduce_Free(reducer->down);
    reducer->output = NULL;
    reducer->across = NULL;
    reducer->down = NULL;
}

LONG img_SetReduction(Reducer *reducer, DWORD sourceWidth, DWORD sourceHeight, DWORD reducedWidth, DWORD reducedHeight,
                      DWORD channels)
{
    if (reducer == NULL || reducer->enabled != 1 || (channels != 1 && channels != 3) || reducedWidth == 0 ||
        reducedHeight == 0 || sourceWidth > 0xFFFF || sourceHeight > 0xFFFF || reducedWidth > sourceWidth ||
        reducedHeight > sourceHeight) {
        return 0;
    }
    if ((ULONGLONG)sourceWidth > (ULONGLONG)REDUCER_MAX_RATIO * reducedWidth ||
        (ULONGLONG)sourceHeight > (ULONGLONG)REDUCER_MAX_RATIO * reducedHeight) {
        return 0;
    }
    reduce_FreeRows(reducer);
    reducer->sourceWidth = (WORD)sourceWidth;
    reducer->sourceHeight = (WORD)sourceHeight;
    reducer->reducedWidth = (WORD)reducedWidth;
    reducer->reducedHeight = (WORD)reducedHeight;
    reducer->channels = (WORD)channels;
    reducer->collectedCount = 0;
    reducer->outputRow = 0;
    reducer->sourceRows = 0;
    reducer->across = (WeightEntry *)reduce_Alloc(reducedWidth * sizeof(WeightEntry));
    reducer->down = (WeightEntry *)reduce_Alloc(reducedHeight * sizeof(WeightEntry));
    reducer->output = (BYTE *)reduce_Alloc(reducedWidth * channels);
    if (reducer->across == NULL || reducer->down == NULL || reducer->output == NULL) {
        reduce_FreeRows(reducer);
        return 0;
    }
    img_BuildWeights(reducer->across, sourceWidth, reducedWidth);
    img_BuildWeights(reducer->down, sourceHeight, reducedHeight);
    return 1;
}

// reduce_Weight: the weight of source index within entry.
static DWORD reduce_Weight(const WeightEntry *entry, DWORD index)
{
    if (index == entry->first) {
        return entry->firstWeight;
    }
    return index == entry->last ? entry->lastWeight : 256;
}

// reduce_Across: one held row reduced to the destination width.
static void reduce_Across(const Reducer *reducer, const BYTE *in, BYTE *out)
{
    DWORD channels = reducer->channels;
    if (reducer->reducedWidth == reducer->sourceWidth) {
        memcpy(out, in, (SIZE_T)reducer->sourceWidth * channels);
        return;
    }
    for (DWORD i = 0; i < reducer->reducedWidth; ++i) {
        const WeightEntry *entry = &reducer->across[i];
        for (DWORD c = 0; c < channels; ++c) {
            DWORD sum = 0;
            DWORD total = 0;
            for (DWORD s = entry->first; s <= entry->last; ++s) {
                DWORD weight = reduce_Weight(entry, s);
                sum += in[s * channels + c] * weight;
                total += weight;
            }
            out[i * channels + c] = (BYTE)((sum + total / 2) / total);
        }
    }
}

// reduce_Down: the held rows, reduced across, combined into the output row.
static void reduce_Down(Reducer *reducer, const WeightEntry *entry)
{
    DWORD values = (DWORD)reducer->reducedWidth * reducer->channels;
    if (reducer->reducedHeight == reducer->sourceHeight) {
        memcpy(reducer->output, reducer->reduced[0], values);
        return;
    }
    for (DWORD v = 0; v < values; ++v) {
        DWORD sum = 0;
        DWORD total = 0;
        for (DWORD k = 0; k < reducer->collectedCount; ++k) {
            DWORD weight = reduce_Weight(entry, entry->first + k);
            sum += reducer->reduced[k][v] * weight;
            total += weight;
        }
        reducer->output[v] = (BYTE)((sum + total / 2) / total);
    }
}

LONG img_ReduceRow(Reducer *reducer, const BYTE *row)
{
    if (reducer == NULL || row == NULL || reducer->enabled != 1 || reducer->down == NULL ||
        reducer->outputRow >= reducer->reducedHeight) {
        return -1;
    }
    const WeightEntry *entry = &reducer->down[reducer->outputRow];
    DWORD sourceBytes = (DWORD)reducer->sourceWidth * reducer->channels;
    if (reducer->collectedCount >= REDUCER_MAX_ROWS) {
        return -1;
    }
    WORD slot = reducer->collectedCount;
    // Row buffers are made on first use and kept for the image.
    if (reducer->collected[slot] == NULL) {
        reducer->collected[slot] = (BYTE *)reduce_Alloc(sourceBytes);
        reducer->reduced[slot] = (BYTE *)reduce_Alloc(sourceBytes);
    }
    if (reducer->collected[slot] == NULL || reducer->reduced[slot] == NULL) {
        return -1;
    }
    memcpy(reducer->collected[slot], row, sourceBytes);
    reducer->collectedCount++;
    reducer->sourceRows++;
    if (reducer->sourceRows < (DWORD)entry->last + 1) {
        return 0;
    }
    for (WORD k = 0; k < reducer->collectedCount; ++k) {
        reduce_Across(reducer, reducer->collected[k], reducer->reduced[k]);
    }
    reduce_Down(reducer, entry);
    reducer->outputRow++;
    // A row shared with the next destination row stays as its first.
    if (entry->lastWeight != 256 && reducer->outputRow < reducer->reducedHeight) {
        BYTE *shared = reducer->collected[reducer->collectedCount - 1];
        reducer->collected[reducer->collectedCount - 1] = reducer->collected[0];
        reducer->collected[0] = shared;
        reducer->collectedCount = 1;
    } else {
        reducer->collectedCount = 0;
    }
    return 1;
}

void img_DestroyReducer(Reducer *reducer)
{
    if (reducer == NULL) {
        return;
    }
    reduce_FreeRows(reducer);
    reduce_Free(reducer);
}
