/*
 * What a run must give back, counted by the platform's accounting.
 */
#include "tools/printhost/print_host.h"

#include "platform/testing/qm_testing.h"

LiveCounts ph_CountLive(void)
{
    LiveCounts counts;
    counts.heaps = qmt_LiveHeaps();
    counts.globalBlocks = qmt_LiveGlobalBlocks();
    counts.surfaces = qmt_LiveSurfaces();
    counts.palettes = qmt_LivePalettes();
    counts.modules = qmt_LiveModules();
    counts.printerHandles = qmt_LivePrinterHandles();
    return counts;
}

const char *ph_LeakedKind(const LiveCounts *start, const LiveCounts *now)
{
    struct Kind {
        const char *name;
        DWORD before;
        DWORD after;
    };
    const Kind kinds[] = {
        {"heap", start->heaps, now->heaps},
        {"global block", start->globalBlocks, now->globalBlocks},
        {"surface", start->surfaces, now->surfaces},
        {"palette", start->palettes, now->palettes},
        {"module load", start->modules, now->modules},
        {"spooler handle", start->printerHandles, now->printerHandles},
    };
    for (const Kind &kind : kinds) {
        if (kind.after > kind.before) {
            return kind.name;
        }
    }
    return NULL;
}
