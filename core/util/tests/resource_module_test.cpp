/* The resource module: use count, loads counted by the platform, texts, a missing module. */
#include "core/util/module.h"
#include "core/util/resource_module.h"

#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

const WCHAR kModuleName[] = TEXT("qmutiltest.xrs");

class ResourceModule : public testing::Test
{
protected:
    void SetUp() override
    {
        // The test program plays the driver DLL: string 32767 of its own table names the module.
        util_SetModuleHandle(GetModuleHandleW(nullptr));
        qmt_ResetModuleCounts();
    }
    void TearDown() override
    {
        qmt_FailModuleLoad(nullptr);
        util_SetModuleHandle(nullptr);
    }
};

TEST_F(ResourceModule, UsesAreCountedAndTheLastReleaseFrees)
{
    DWORD live = qmt_LiveModules();
    util_ReleaseResourceModule(); // a release without a use does nothing
    HMODULE first = util_LoadResourceModule();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, util_LoadResourceModule());
    EXPECT_EQ(first, util_GetResourceModule());
    EXPECT_EQ(first, util_GetResourceModuleHandle());
    EXPECT_EQ(1u, qmt_ModuleLoadCount(kModuleName)); // loaded once for every use
    EXPECT_EQ(live + 1, qmt_LiveModules());
    util_ReleaseResourceModule();
    EXPECT_EQ(live + 1, qmt_LiveModules());
    util_ReleaseResourceModule();
    EXPECT_EQ(live, qmt_LiveModules());
    util_ReleaseResourceModule();
    EXPECT_EQ(live, qmt_LiveModules());
}

TEST_F(ResourceModule, TextsOfTheModule)
{
    ASSERT_NE(nullptr, util_LoadResourceModule());
    WCHAR name[32];
    EXPECT_EQ(7u, util_FormatUserDefinedName(0, name, 32));
    EXPECT_EQ(std::u16string(u"Custom1"), std::u16string(name));
    EXPECT_EQ(8u, util_FormatUserDefinedName(19, name, 32));
    EXPECT_EQ(std::u16string(u"Custom20"), std::u16string(name));
    EXPECT_EQ(4u, util_FormatUserDefinedName(19, name, 5)); // cut to the capacity
    EXPECT_EQ(std::u16string(u"Cust"), std::u16string(name));
    EXPECT_EQ(0u, util_FormatUserDefinedName(0, name, 0));
    WORD language = 0;
    EXPECT_TRUE(util_GetUiLanguageId(&language));
    EXPECT_EQ(1041, language);
    util_ReleaseResourceModule();
    EXPECT_EQ(0u, qmt_LiveModules());
}

TEST_F(ResourceModule, MissingModuleLeavesTheHandleNull)
{
    qmt_FailModuleLoad(kModuleName);
    EXPECT_EQ(nullptr, util_LoadResourceModule());
    EXPECT_EQ(nullptr, util_GetResourceModule());
    WCHAR name[32];
    util_FormatUserDefinedName(2, name, 32);
    EXPECT_EQ(std::u16string(u"\u30e6\u30fc\u30b6\u30fc\u5b9a\u7fa93"), std::u16string(name)); // the built-in text
    WORD language = 7;
    EXPECT_FALSE(util_GetUiLanguageId(&language));
    EXPECT_EQ(0, language);
    util_ReleaseResourceModule();
    EXPECT_EQ(0u, qmt_LiveModules());
}

TEST_F(ResourceModule, BalancedUsesFromSeveralThreads)
{
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; t++) {
        threads.emplace_back([] {
            for (int i = 0; i < 50; i++) {
                HMODULE module = util_LoadResourceModule();
                EXPECT_NE(nullptr, module);
                WORD language = 0;
                util_GetUiLanguageId(&language);
                EXPECT_EQ(1041, language);
                util_ReleaseResourceModule();
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    EXPECT_EQ(0u, qmt_LiveModules());
}

} // namespace
