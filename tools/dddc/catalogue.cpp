/*
 * Catalogue lookup of the compiler (catalogue.h), bound to the settings catalogue of the
 * core library.
 */
#include "tools/dddc/catalogue.h"

#include "core/settings/settings.h"

namespace dddc {

/* First pseudo FunctionID; page-only identifiers (0x9000 up) lie above it too. */
constexpr uint16_t kFirstUncheckedId = 0x8001;

bool IsUncheckedFunctionId(uint16_t functionId)
{
    return functionId >= kFirstUncheckedId;
}

bool LookupCatalogueRow(uint16_t functionId, CatalogueRow &row)
{
    WORD kind = 0;
    const SettingLocation *location = dma_FindSettingRow(functionId, &kind);
    if (!location) {
        return false;
    }
    row.storageKind = kind;
    row.storedType = location->storedType;
    row.capacity = (uint16_t)location->capacity;
    return true;
}

} // namespace dddc
