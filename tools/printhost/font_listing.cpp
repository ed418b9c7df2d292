/*
 * The device fonts of a printer as the graphics engine gets them (DrvQueryFont,
 * DrvQueryFontTree), with the identifier the driver sends for each style variant: text
 * scripts pick device fonts by these names.
 */
#include "tools/printhost/print_host.h"

#include <stdio.h>

#include <string.h>

#include <string>

#include "core/context/driver_context.h"
#include "platform/testing/qm_testing_engine.h"
#include "render/pdl/fonts/fonts.h"

typedef PIFIMETRICS(WINAPI *QueryFontFn)(DHPDEV, ULONG_PTR, ULONG, ULONG_PTR *);
typedef PVOID(WINAPI *QueryFontTreeFn)(DHPDEV, ULONG_PTR, ULONG, ULONG, ULONG_PTR *);

/* A name of an IFIMETRICS as printable ASCII. */
static std::string ph_IfiName(const IFIMETRICS *ifi, PTRDIFF offset)
{
    std::string out;
    if (offset <= 0 || (ULONG)offset >= ifi->cjThis) {
        return out;
    }
    const WCHAR *text = (const WCHAR *)((const BYTE *)ifi + offset);
    for (size_t i = 0; i < 64 && text[i] != 0; ++i) {
        out.push_back(text[i] >= 0x20 && text[i] < 0x7F ? (char)text[i] : '?');
    }
    return out;
}

/* The glyph set as a name: the default set holds the 256 codes of one byte. */
static std::string ph_GlyphSetName(const FD_GLYPHSET *set)
{
    if (set == NULL) {
        return "none";
    }
    if (set->cGlyphsSupported == 256) {
        return "default";
    }
    return "Shift-JIS (" + std::to_string(set->cGlyphsSupported) + " glyphs in " + std::to_string(set->cRuns) +
           " runs)";
}

BOOL ph_ListFonts(const DriverHost *host, const DeviceContext *dc)
{
    QueryFontFn queryFont = (QueryFontFn)(void *)ph_DriverFunction(host, INDEX_DrvQueryFont);
    QueryFontTreeFn queryTree = (QueryFontTreeFn)(void *)ph_DriverFunction(host, INDEX_DrvQueryFontTree);
    if (queryFont == NULL || queryTree == NULL) {
        fprintf(stderr, "printhost: the driver has no font queries\n");
        return FALSE;
    }
    DriverContext *context = ddd_OpenContext(dc->printer);
    if (context == NULL) {
        fprintf(stderr, "printhost: the printer's description data cannot be opened\n");
        return FALSE;
    }
    HANDLE heap = HeapCreate(0, 0x10000, 0);
    DeviceFontTables *tables = heap != NULL ? fnt_BuildDeviceFontTables(heap, context->model, context->base) : NULL;
    FontJobView view = {};
    view.tables = tables;
    BOOL ok = tables != NULL;
    static const struct {
        const char *name;
        FLONG simulation;
    } kVariants[] = {
        {"plain", 0},
        {"italic", FO_SIM_ITALIC},
        {"bold", FO_SIM_BOLD},
        {"bold-italic", FO_SIM_BOLD | FO_SIM_ITALIC},
    };
    printf("FONTS %lu\n", (unsigned long)dc->devInfo.cFonts);
    for (ULONG face = 1; ok && face <= dc->devInfo.cFonts; ++face) {
        ULONG_PTR id = 0;
        IFIMETRICS *ifi = queryFont(dc->pdev, 0, face, &id);
        if (ifi == NULL) {
            fprintf(stderr, "printhost: DrvQueryFont refused face %lu\n", (unsigned long)face);
            ok = FALSE;
            break;
        }
        const FD_GLYPHSET *set = (const FD_GLYPHSET *)queryTree(dc->pdev, 0, face, QFT_GLYPHSET, &id);
        printf("font %lu\n", (unsigned long)face);
        printf("  %-18s %s\n", "face", ph_IfiName(ifi, ifi->dpwszFaceName).c_str());
        printf("  %-18s %s\n", "family", ph_IfiName(ifi, ifi->dpwszFamilyName).c_str());
        printf("  %-18s %u\n", "charset", ifi->jWinCharSet);
        printf("  %-18s 0x%02X\n", "pitchAndFamily", ifi->jWinPitchAndFamily);
        printf("  %-18s %u\n", "weight", ifi->usWinWeight);
        printf("  %-18s %s\n", "italic", (ifi->fsSelection & FM_SEL_ITALIC) != 0 ? "yes" : "no");
        printf("  %-18s %s\n", "glyphSet", ph_GlyphSetName(set).c_str());
        std::string ids;
        for (const auto &variant : kVariants) {
            FONTOBJ *pfo = qmt_EngineFont(ifi, 1.0f, 1.0f, FO_TYPE_DEVICE | variant.simulation, face);
            DWORD fontId = 0;
            if (pfo == NULL || !fnt_GetDeviceFontId(&view, pfo, face, &fontId, FALSE)) {
                ok = FALSE;
            }
            char one[40];
            snprintf(one, sizeof one, "%s%s 0x%lX", ids.empty() ? "" : ", ", variant.name, (unsigned long)fontId);
            ids += one;
            qmt_EngineFreeFont(pfo);
        }
        printf("  %-18s %s\n", "identifier", ids.c_str());
    }
    if (tables == NULL) {
        fprintf(stderr, "printhost: the model's font tables cannot be built\n");
    }
    fnt_FreeDeviceFontTables(heap, tables);
    if (heap != NULL) {
        HeapDestroy(heap);
    }
    ddd_CloseContext(context);
    return ok;
}
