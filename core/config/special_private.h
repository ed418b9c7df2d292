/* The special settings' application over given tables, for the apply code and its tests. */
#ifndef QM_CORE_CONFIG_SPECIAL_PRIVATE_H
#define QM_CORE_CONFIG_SPECIAL_PRIVATE_H

#include "core/config/special_settings.h"

/* opt_ApplySpecialSettings over the given value map and switch table. */
BOOL opt_ApplySpecialSettingsWith(const SpecialSettings *settings, DriverDevmode *devmode, PrinterDataBlock *block,
                                  WORD mode, const SpecialValueMapRow *map, const SpecialSwitchRow *switchTable);

#endif /* QM_CORE_CONFIG_SPECIAL_PRIVATE_H */
