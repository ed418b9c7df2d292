/*
 * The extended escape state: set-up, the setting overrides and their restoration.
 */
#include "render/driver/job/extended_escape.h"

#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/job/setting_write.h"

// The overridable settings in the order of the override words, then the two saved beside
// them; saved[i] belongs to kSavedSettings[i].
static const WORD kSavedSettings[EXT_SAVED_COUNT] = {FID_PAGES_PER_SHEET,
                                                     FID_NUP_264,
                                                     FID_LAYOUT_ORIENTATION,
                                                     FID_PAGE_LAYOUT,
                                                     FID_POSTER_GRID,
                                                     FID_DUPLEX,
                                                     FID_COLOR_MODE};
static const int kDuplexSlot = 5;
static const int kColorModeSlot = 6;

// WriteSaved: one saved value back: duplex as ValueType 2, the others as ValueType 3.
static LONG WriteSaved(PDEV *pdev, int slot, WORD value)
{
    WORD status = slot == kDuplexSlot ? pdev_SetSetting16(pdev, FID_DUPLEX, value)
                                      : pdev_SetSetting16Typed(&pdev->devmode, kSavedSettings[slot], value);
    return status == 0 ? 0 : -1;
}

void WINAPI esc_InitExtendedState(PDEV *pdev, DWORD pdlVersion, DWORD setting4103On, DWORD colorKindTwo)
{
    if (pdev == NULL) {
        return;
    }
    ExtendedEscapeState *ext = &pdev->job.control.ext;
    ext->modeOn = 0;
    ext->jobValues[0] = pdlVersion;
    ext->jobValues[1] = setting4103On;
    ext->jobValues[2] = colorKindTwo;
    for (WORD &word : ext->overrides) {
        word = EXT_NO_OVERRIDE;
    }
    ext->duplexOverride = EXT_NO_OVERRIDE;
    ext->jobModeFlag = 0;
    ext->savedFlag = 0;
}

LONG WINAPI esc_ApplyJobOverrides(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    LONG result = esc_RestoreJobOverrides(pdev);
    ExtendedEscapeState *ext = &pdev->job.control.ext;
    for (int slot = 0; slot < EXT_SAVED_COUNT; ++slot) {
        ext->saved[slot] = pdev_GetSetting16(pdev, kSavedSettings[slot]);
    }
    for (int slot = 0; slot < EXT_OVERRIDE_COUNT; ++slot) {
        if (ext->overrides[slot] != EXT_NO_OVERRIDE) {
            result |= WriteSaved(pdev, slot, ext->overrides[slot]);
        }
    }
    if (ext->duplexOverride != EXT_NO_OVERRIDE) {
        result |= WriteSaved(pdev, kDuplexSlot, ext->duplexOverride);
    }
    if (ext->jobModeFlag) {
        result |= WriteSaved(pdev, kColorModeSlot, 0);
    }
    ext->savedFlag = 1;
    return result;
}

LONG WINAPI esc_RestoreJobOverrides(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    ExtendedEscapeState *ext = &pdev->job.control.ext;
    if (!ext->savedFlag) {
        return 0;
    }
    LONG result = 0;
    for (int slot = 0; slot < EXT_SAVED_COUNT; ++slot) {
        result |= WriteSaved(pdev, slot, ext->saved[slot]);
    }
    ext->savedFlag = 0;
    return result;
}
