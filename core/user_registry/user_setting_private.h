/* Helpers shared by the user setting record's sources; not part of the core's interface. */
#ifndef QM_CORE_USER_REGISTRY_USER_SETTING_PRIVATE_H
#define QM_CORE_USER_REGISTRY_USER_SETTING_PRIVATE_H

#include <windows.h>

struct UserSettingInfo;
struct UserSettingRow;

/* usi_InitRecord: zeroes the record and writes format 4, part flags 7 and the part lengths. */
void usi_InitRecord(struct UserSettingInfo *record);

/* usi_CopyText: copies text into the row's field, at most size / 2 - 1 characters and a
 * zero. Returns 0 for a NULL text. */
BOOL usi_CopyText(struct UserSettingInfo *record, const struct UserSettingRow *row, const WCHAR *text);

#endif /* QM_CORE_USER_REGISTRY_USER_SETTING_PRIVATE_H */
