/*
 * Catalogue lookup of the compiler (catalogue.h).
 *
 * Bound to a small table of the settings the sample models define until the settings
 * catalogue of the core library is available to tools; only this file changes then.
 */
#include "tools/dddc/catalogue.h"

namespace dddc {

struct CatalogueEntry {
    uint16_t functionId;
    CatalogueRow row;
};

/* FunctionID, {StorageKind, stored ValueType, capacity in bytes}. */
static const CatalogueEntry kRows[] = {
    { 2, { 0, 2, 2 } },        /* dmOrientation */
    { 3, { 0, 2, 2 } },        /* dmPaperSize */
    { 7, { 0, 2, 2 } },        /* dmCopies */
    { 8, { 0, 2, 2 } },        /* dmDefaultSource */
    { 9, { 0, 2, 2 } },        /* dmPrintQuality */
    { 10, { 0, 2, 2 } },       /* dmColor */
    { 11, { 0, 2, 2 } },       /* dmDuplex */
    { 13, { 0, 2, 2 } },       /* dmTTOption */
    { 14, { 0, 2, 2 } },       /* dmCollate */
    { 262, { 0, 3, 2 } },
    { 268, { 0, 2, 2 } },
    { 269, { 0, 2, 2 } },
    { 274, { 0, 3, 2 } },
    { 278, { 0, 3, 2 } },
    { 282, { 0, 3, 2 } },
    { 327, { 0, 3, 2 } },
    { 466, { 1, 8, 1 } },
    { 1804, { 1, 8, 1 } },
    { 1824, { 1, 3, 2 } },
    { 2101, { 1, 6, 64 } },
    { 4097, { 2, 1, 4 } },
    { 4098, { 2, 1, 4 } },
    { 4356, { 2, 8, 1 } },
    { 4358, { 2, 8, 1 } },
    { 4129, { 2, 3, 2 } },
};

bool IsUncheckedFunctionId(uint16_t functionId)
{
    return functionId >= 0x8001;
}

bool LookupCatalogueRow(uint16_t functionId, CatalogueRow &row)
{
    for (const CatalogueEntry &entry : kRows) {
        if (entry.functionId == functionId) {
            row = entry.row;
            return true;
        }
    }
    return false;
}

} // namespace dddc
