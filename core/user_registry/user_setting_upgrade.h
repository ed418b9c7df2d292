/*
 * Older formats of the user setting record (1, 2 and 3) turned into the current format 4
 * by byte moves.
 */
#ifndef QM_CORE_USER_REGISTRY_USER_SETTING_UPGRADE_H
#define QM_CORE_USER_REGISTRY_USER_SETTING_UPGRADE_H

#include <windows.h>

#include "core/user_registry/user_setting_info.h"

#ifdef __cplusplus
extern "C" {
#endif

/*
 * ureg_UpgradeUserSettingInfo: converts a record of format 1 to 4 (the u16 at its byte 0)
 * into record. Format 4 is taken whole; formats 1 to 3 move their fields onto record,
 * which the caller has filled beforehand (with defaults or current values), so fields an
 * old format lacks keep those. With upgrade set, formats 1 and 2 also get 7 in their
 * u16 at 640 (FunctionID 5178). The format word becomes 4. old: in, as many bytes as its
 * format holds (format 4: 984); record: in/out. Returns 1, or 0 for a NULL argument or
 * another format (record unchanged).
 */
BOOL WINAPI ureg_UpgradeUserSettingInfo(const void *old, UserSettingInfo *record, BOOL upgrade);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_USER_REGISTRY_USER_SETTING_UPGRADE_H */
