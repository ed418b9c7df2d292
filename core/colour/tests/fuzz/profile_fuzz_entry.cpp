/*
 * Fuzz entry of the profile reader: any bytes as a profile file, checked, loaded and, when
 * it loads, applied to a ramp of pixels and freed.
 *
 * Seeds: a monitor profile of curves (gamma, identity, three entries) and colourants, and
 * a scanner profile with a 16-bit lookup table to Lab.
 */
#include <stddef.h>
#include <stdint.h>

#include <windows.h>

#include "core/colour/colour_tables.h"
#include "testing/fuzz/fuzz_support.h"

static const char kPath[] = "C:\\fuzz.icc";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_EnsureRoot();
    if (size > 0x100000 || !fuzz_WriteFile(TEXT("C:\\fuzz.icc"), data, (DWORD)size))
        return 0;
    FuzzCounts before;
    fuzz_TakeCounts(&before);
    clr_CheckProfileHeader(kPath);
    ProfileTransform transform;
    if (clr_LoadProfile(&transform, kPath) == 0) {
        BYTE pixels[256 * 3];
        for (int i = 0; i < 256 * 3; i++)
            pixels[i] = (BYTE)(i * 7);
        clr_ApplyProfile(&transform, pixels, pixels, 256);
    }
    clr_FreeProfile(&transform);
    fuzz_CheckCounts("profile", &before);
    return 0;
}
