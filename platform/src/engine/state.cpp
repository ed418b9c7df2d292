/*
 * Process-wide state of the graphics-engine area: its lock, fault injection and the live
 * counts the test controls report.
 */
#include "platform/src/engine/engine_private.h"

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing_engine.h"

#include <unordered_map>

namespace qme {

struct FaultGate {
    DWORD after;
    DWORD count;
};
static FaultGate g_faults[kFailKinds];
/* The arguments of the last EngBitBlt call. */
static QMT_ENGINE_BITBLT g_last_bitblt;

/* Made on first use and kept for the life of the process (no constructor at load). */
static std::unordered_map<const void *, DWORD> *g_objects;

void RegisterObject(const void *record, DWORD magic)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (!g_objects)
        g_objects = new std::unordered_map<const void *, DWORD>();
    (*g_objects)[record] = magic;
}

void UnregisterObject(const void *record)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (g_objects)
        g_objects->erase(record);
}

bool IsObject(const void *record, DWORD magic)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (!record || !g_objects)
        return false;
    auto it = g_objects->find(record);
    return it != g_objects->end() && it->second == magic;
}

std::recursive_mutex &Lock()
{
    static std::recursive_mutex lock;
    return lock;
}

bool CallAllowed(FailKind kind)
{
    FaultGate &gate = g_faults[kind];
    if (gate.count != 0) {
        if (gate.after == 0) {
            --gate.count;
            return false;
        }
        --gate.after;
    }
    return qmk::AllocationAllowed();
}

void RecordBitBlt(const QMT_ENGINE_BITBLT &call)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DWORD calls = g_last_bitblt.calls + 1;
    g_last_bitblt = call;
    g_last_bitblt.calls = calls;
}

} // namespace qme

using namespace qme;

extern "C" {

DWORD qmt_LiveSurfaces(void)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return g_live_surfaces;
}

DWORD qmt_LivePalettes(void)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return g_live_palettes;
}

DWORD qmt_LiveEnginePaths(void)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return g_live_paths;
}

DWORD qmt_LiveRealizedBrushes(void)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return g_live_rbrushes;
}

void qmt_EngineFailCall(DWORD kind, DWORD after, DWORD count)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (kind == 0 || kind >= kFailKinds)
        return;
    g_faults[kind].after = after;
    g_faults[kind].count = count;
}

void qmt_EngineReset(void)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    for (FaultGate &gate : g_faults)
        gate = FaultGate();
    g_last_bitblt = QMT_ENGINE_BITBLT();
}

QMT_ENGINE_BITBLT qmt_EngineLastBitBlt(void)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return g_last_bitblt;
}

} // extern "C"
