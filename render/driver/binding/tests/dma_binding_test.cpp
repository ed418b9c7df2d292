/* Binding of the DEVMODE access library: reference count, lazy entries, local answers. */
#include "render/driver/binding/dma_binding.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"
#include "testing/settings_areas.h"

namespace {

const WCHAR kLibrary[] = TEXT("qmkelvdm.dll");

/* Loads a resource-only module standing for the render DLL. */
HINSTANCE LoadRenderModule(const WCHAR *name)
{
    HINSTANCE module = LoadLibraryW(name);
    EXPECT_NE(nullptr, module);
    return module;
}

class DmaBinding : public ::testing::Test
{
protected:
    void SetUp() override
    {
        real_ = LoadRenderModule(TEXT("dmabind_real.xrs"));
        stub_ = LoadRenderModule(TEXT("dmabind_stub.xrs"));
        baseline_ = qmt_LiveModules();
        qmt_ResetModuleCounts();
    }

    /* A numeric setting read through the binding; the status. */
    WORD ReadOrientation(DWORD *value)
    {
        WORD type = 0;
        DWORD size = 0;
        return dma_CallGetValue(7, &areas_->devmode, &areas_->block, &type, &size, value);
    }

    HINSTANCE real_ = nullptr;
    HINSTANCE stub_ = nullptr;
    DWORD baseline_ = 0;
    std::unique_ptr<TestSettingsAreas> areas_ = std::make_unique<TestSettingsAreas>();
};

TEST_F(DmaBinding, SecondUnbindUnloadsAndUnbindAtZeroIsHarmless)
{
    DWORD value = 0;
    EXPECT_EQ(SST_BAD, ReadOrientation(&value)); // nothing bound
    dma_UnbindLibrary();                         // count 0: nothing happens

    ASSERT_TRUE(dma_BindLibrary(real_));
    ASSERT_TRUE(dma_BindLibrary(real_));
    EXPECT_EQ(baseline_ + 1, qmt_LiveModules());
    areas_->set(7, 2);
    EXPECT_EQ(SST_OK, ReadOrientation(&value));
    EXPECT_EQ(2u, value);

    dma_UnbindLibrary();
    EXPECT_EQ(baseline_ + 1, qmt_LiveModules());
    EXPECT_EQ(SST_OK, ReadOrientation(&value));

    dma_UnbindLibrary();
    EXPECT_EQ(baseline_, qmt_LiveModules());
    EXPECT_EQ(SST_BAD, ReadOrientation(&value)); // entries forgotten with the library
    dma_UnbindLibrary();
    EXPECT_EQ(baseline_, qmt_LiveModules());

    ASSERT_TRUE(dma_BindLibrary(real_)); // binds again from count 0
    EXPECT_EQ(SST_OK, ReadOrientation(&value));
    dma_UnbindLibrary();
    EXPECT_EQ(baseline_, qmt_LiveModules());
}

TEST_F(DmaBinding, MissingLibraryFailsUntilItIsBack)
{
    EXPECT_FALSE(dma_BindLibrary(nullptr));
    qmt_FailModuleLoad(kLibrary);
    EXPECT_FALSE(dma_BindLibrary(real_));
    EXPECT_FALSE(dma_BindLibrary(real_));
    EXPECT_EQ(baseline_, qmt_LiveModules());

    qmt_FailModuleLoad(nullptr);
    ASSERT_TRUE(dma_BindLibrary(real_));
    EXPECT_EQ(baseline_ + 1, qmt_LiveModules());
    dma_UnbindLibrary(); // one unbind: the failed binds left the count at 0
    EXPECT_EQ(baseline_, qmt_LiveModules());
}

TEST_F(DmaBinding, MissingEntryAnswers16)
{
    ASSERT_TRUE(dma_BindLibrary(stub_));
    DWORD value = 0;
    EXPECT_EQ(SST_OK, ReadOrientation(&value));
    WORD orientation = 1;
    EXPECT_EQ(SST_BAD, dma_CallSetValue(7, &areas_->devmode, &areas_->block, VT_SHORT, 2, &orientation));
    dma_UnbindLibrary();
}

TEST_F(DmaBinding, ConstantZeroIsAnsweredWithoutTheLibrary)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD value = 0xFFFFFFFF;
    EXPECT_EQ(SST_OK, dma_CallGetValue(FID_CONSTANT_ZERO, nullptr, nullptr, &type, &size, &value));
    EXPECT_EQ(VT_LONG, type);
    EXPECT_EQ(4u, size);
    EXPECT_EQ(0u, value);
    EXPECT_EQ(SST_BAD, dma_CallGetValue(FID_CONSTANT_ZERO, nullptr, nullptr, &type, nullptr, &value));
    EXPECT_EQ(0u, qmt_ModuleLoadCount(kLibrary));
}

TEST_F(DmaBinding, StringsAndFontsComeBackAsPointersIntoTheCallersAreas)
{
    ASSERT_TRUE(dma_BindLibrary(real_));
    const BYTE *dm = (const BYTE *)&areas_->devmode;
    struct Case {
        WORD functionId;
        const BYTE *expected;
    };
    const Case cases[] = {
        {5121, areas_->block.bytes + 18}, // printer-data block
        {259, dm + 224},                  // first part of the DEVMODE
        {1795, dm + DM_SHORT_SIZE + 4},   // second part
        {304, dm + 588},                  // log font
    };
    for (const Case &c : cases) {
        WORD type = 0;
        DWORD size = 0;
        const BYTE *pointer = nullptr;
        ASSERT_EQ(SST_OK, dma_CallGetValue(c.functionId, &areas_->devmode, &areas_->block, &type, &size, &pointer))
            << c.functionId;
        EXPECT_EQ(c.expected, pointer) << c.functionId;
    }
    const WCHAR *text = TEXT("Office");
    EXPECT_EQ(SST_OK, dma_CallSetValue(5121, &areas_->devmode, &areas_->block, VT_STRING, 14, &text));
    EXPECT_EQ(0, memcmp(areas_->block.bytes + 18, text, 14));
    dma_UnbindLibrary();
}

TEST_F(DmaBinding, RoutedSettingsAccessGoesThroughTheLibrary)
{
    dma_RouteSettingsToLibrary();
    areas_->set(7, 2); // written by the program's own primitives
    WORD type = 0;
    DWORD size = 0;
    DWORD value = 0;
    EXPECT_EQ(SST_BAD, dma_GetFunctionValue(7, &areas_->devmode, &areas_->block, &type, &size, &value));
    EXPECT_EQ(0u, dma_GetTypedValue(&areas_->devmode, &areas_->block, 7, VT_SHORT));

    ASSERT_TRUE(dma_BindLibrary(real_));
    EXPECT_EQ(SST_OK, dma_GetFunctionValue(7, &areas_->devmode, &areas_->block, &type, &size, &value));
    EXPECT_EQ(2u, value);
    EXPECT_EQ(0, dma_SetTypedValue(&areas_->devmode, &areas_->block, 7, VT_SHORT, 2, 1));
    EXPECT_EQ(1u, dma_GetTypedValue(&areas_->devmode, &areas_->block, 7, VT_SHORT));
    dma_UnbindLibrary();

    qmt_HideExport("dma_GetValue");
    ASSERT_TRUE(dma_BindLibrary(real_));
    EXPECT_EQ(SST_BAD, dma_GetFunctionValue(7, &areas_->devmode, &areas_->block, &type, &size, &value));
    dma_UnbindLibrary();
    qmt_HideExport(nullptr);
    dma_SetFunctionValueRoute(nullptr, nullptr);
}

} // namespace
