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
    { 1, { 0, 6, 64 } },       /* dmDeviceName */
    { 7, { 0, 2, 2 } },        /* dmOrientation */
    { 8, { 0, 2, 2 } },        /* dmPaperSize */
    { 9, { 0, 2, 2 } },        /* dmPaperLength */
    { 10, { 0, 2, 2 } },       /* dmPaperWidth */
    { 11, { 0, 2, 2 } },       /* dmScale */
    { 12, { 0, 2, 2 } },       /* dmCopies */
    { 13, { 0, 2, 2 } },       /* dmDefaultSource */
    { 14, { 0, 5, 4 } },       /* quality and resolution pair */
    { 15, { 0, 2, 2 } },       /* dmColor */
    { 16, { 0, 2, 2 } },       /* dmDuplex */
    { 17, { 0, 2, 2 } },       /* dmTTOption */
    { 18, { 0, 2, 2 } },       /* dmCollate */
    { 19, { 0, 6, 64 } },      /* dmFormName */
    { 259, { 0, 6, 64 } },
    { 274, { 0, 3, 2 } },
    { 278, { 0, 3, 2 } },
    { 282, { 0, 3, 2 } },
    { 297, { 0, 6, 66 } },
    { 304, { 0, 9, 92 } },
    { 327, { 0, 3, 2 } },
    { 466, { 1, 8, 1 } },
    { 1793, { 1, 3, 2 } },
    { 1804, { 1, 8, 1 } },
    { 1824, { 1, 3, 2 } },
    { 4097, { 2, 1, 4 } },
    { 4098, { 2, 1, 4 } },
    { 4129, { 2, 3, 2 } },
    { 4356, { 2, 8, 1 } },
    { 4358, { 2, 8, 1 } },
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
