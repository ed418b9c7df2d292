/*
 * Engine services for a driver's fonts and resources: the glyph set of a code page, the
 * resources of a driver module, and the rounding multiply-divide.
 */
#include "platform/src/engine/engine_private.h"

#include <algorithm>
#include <string.h>

using namespace qme;

extern "C" {

/*
 * Computes the glyph set of cChars single-byte characters from nFirstChar in code page
 * nCodePage (0: the ANSI code page). Each glyph handle is the character's own code; codes
 * the code page does not map (lead bytes of a double-byte code page) are left out, and a
 * Unicode value reached twice keeps its first code. The set is one block from GlobalAlloc
 * (header, runs and handles; cjThis its size), which the driver frees with GlobalFree.
 * Returns it; NULL with ERROR_INVALID_PARAMETER for a count outside 1..256 or codes past
 * 255, ERROR_NOT_ENOUGH_MEMORY when memory is refused.
 */
FD_GLYPHSET *WINAPI EngComputeGlyphSet(INT nCodePage, INT nFirstChar, INT cChars)
{
    if (cChars <= 0 || cChars > 256 || nFirstChar < 0 || nFirstChar + cChars > 256) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        if (!CallAllowed(kFailGlyphSet)) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
    }
    UINT cp = nCodePage == 0 ? CP_ACP : static_cast<UINT>(nCodePage);
    std::vector<std::pair<WCHAR, HGLYPH>> map;
    for (INT i = 0; i < cChars; ++i) {
        char c = static_cast<char>(nFirstChar + i);
        WCHAR wide[2];
        if (MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, &c, 1, wide, 2) != 1)
            continue;
        map.emplace_back(wide[0], static_cast<HGLYPH>(nFirstChar + i));
    }
    std::stable_sort(map.begin(), map.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    map.erase(std::unique(map.begin(), map.end(), [](const auto &a, const auto &b) { return a.first == b.first; }),
              map.end());
    ULONG runs = 0;
    for (size_t i = 0; i < map.size(); ++i)
        if (i == 0 || map[i].first != map[i - 1].first + 1)
            ++runs;
    if (runs == 0) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return nullptr;
    }
    SIZE_T size = offsetof(FD_GLYPHSET, awcrun) + runs * sizeof(WCRUN) + map.size() * sizeof(HGLYPH);
    FD_GLYPHSET *set = static_cast<FD_GLYPHSET *>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size));
    if (!set) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HGLYPH *handles = reinterpret_cast<HGLYPH *>(reinterpret_cast<BYTE *>(set) + size - map.size() * sizeof(HGLYPH));
    set->cjThis = static_cast<ULONG>(size);
    set->flAccel = GS_8BIT_HANDLES;
    set->cGlyphsSupported = static_cast<ULONG>(map.size());
    set->cRuns = runs;
    WCRUN *run = nullptr;
    for (size_t i = 0; i < map.size(); ++i) {
        if (i == 0 || map[i].first != map[i - 1].first + 1) {
            run = run ? run + 1 : set->awcrun;
            run->wcLow = map[i].first;
            run->phg = handles + i;
        }
        ++run->cGlyphs;
        handles[i] = map[i].second;
    }
    return set;
}

/*
 * Finds a resource of a driver module. h: in, the module's handle; iName, iType: in, the
 * resource's numeric name and type. pulSize: out, its size in bytes. Returns a pointer to
 * its data, valid while the module stays loaded; NULL (size 0) with
 * ERROR_RESOURCE_DATA_NOT_FOUND when there is none or the pointer argument is missing.
 */
PVOID WINAPI EngFindResource(HANDLE h, int iName, int iType, PULONG pulSize)
{
    if (pulSize)
        *pulSize = 0;
    HMODULE module = static_cast<HMODULE>(h);
    HRSRC info = pulSize ? FindResourceW(module, MAKEINTRESOURCEW(iName), MAKEINTRESOURCEW(iType)) : nullptr;
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    void *p = data ? LockResource(data) : nullptr;
    if (!p) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    *pulSize = SizeofResource(module, info);
    return p;
}

/*
 * a x b / c with a 64-bit product, rounded to nearest (halves away from zero). Returns
 * -1 when c is 0 or the result does not fit 32 bits.
 */
INT WINAPI EngMulDiv(INT a, INT b, INT c)
{
    if (c == 0)
        return -1;
    long long p = static_cast<long long>(a) * b;
    long long q = p / c, r = p % c;
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -static_cast<long long>(c) : c))
        q += ((p < 0) != (c < 0)) ? -1 : 1;
    if (q > 0x7FFFFFFFLL || q < -0x7FFFFFFFLL - 1)
        return -1;
    return static_cast<INT>(q);
}

} // extern "C"
