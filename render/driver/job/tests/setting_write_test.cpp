/*
 * Writing 16-bit settings into a DEVMODE as ValueType 3.
 */
#include "render/driver/job/setting_write.h"

#include <memory>

#include <gtest/gtest.h>

#include "core/settings/settings.h"
#include "testing/settings_areas.h"

namespace {

TEST(SettingWrite, SixteenBitValuesLandAsWritten)
{
    auto areas = std::make_unique<TestSettingsAreas>();
    // Byte settings presented as 16-bit values: pages per sheet and the binding edge.
    for (WORD functionId : {295, 267}) {
        EXPECT_EQ(pdev_SetSetting16Typed(&areas->devmode, functionId, 4), SST_OK) << functionId;
        WORD type = 0;
        DWORD size = 0, value = 0;
        ASSERT_EQ(dma_GetFunctionValue(functionId, &areas->devmode, &areas->block, &type, &size, &value), SST_OK);
        EXPECT_EQ(type, VT_WORD);
        EXPECT_EQ(value & 0xFFFF, 4u) << functionId;
    }
    EXPECT_NE(pdev_SetSetting16Typed(&areas->devmode, 7, 1), SST_OK) << "orientation is no type-3 setting";
    EXPECT_EQ(pdev_SetSetting16Typed(NULL, 295, 1), SST_BAD);
}

} // namespace
