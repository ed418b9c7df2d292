/*
 * The settings catalogue as the compiler sees it: whether a FunctionID has a row, and its
 * storage kind, stored ValueType and capacity. Every catalogue check of the compiler goes
 * through this one lookup.
 */
#ifndef QM_TOOLS_DDDC_CATALOGUE_H
#define QM_TOOLS_DDDC_CATALOGUE_H

#include <stdint.h>

namespace dddc {

struct CatalogueRow {
    uint16_t storageKind; /* 0 first DEVMODE part, 1 second part, 2 printer-data block */
    uint16_t storedType;  /* ValueType */
    uint16_t capacity;    /* bytes of the stored value (strings: including terminator) */
};

/* Pseudo FunctionIDs (0x8001 up) and page-only ones (0x9000 up) have no row and pass. */
bool IsUncheckedFunctionId(uint16_t functionId);

/* The catalogue row of functionId; false when it has none. */
bool LookupCatalogueRow(uint16_t functionId, CatalogueRow &row);

} // namespace dddc

#endif /* QM_TOOLS_DDDC_CATALOGUE_H */
