/* The OptionList cache: two pages of a sheet share one list of a FunctionID and the last
 * release frees it; a list that cannot be built answers -2 and caches nothing. */
#include "ui/driver/sheet/option_cache.h"

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"

namespace {

class OptionCacheTest : public testing::Test
{
protected:
    void SetUp() override
    {
        baseline_ = qmt_LiveGlobalBlocks();
        ASSERT_EQ(ui_InitSnapshot(&source_), 1);
        const TabDescriptor *const none[] = {nullptr};
        ASSERT_EQ(ui_CreateSheetPanels(&sheet_, none, 1), 1);
        for (int i = 0; i < 2; ++i) {
            sets_[i] = ui_CreateSnapshotSet(nullptr, &sheet_, &source_, nullptr);
            ASSERT_NE(sets_[i], nullptr);
            pages_[i] = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
            ui_AttachSnapshotSet(pages_[i], sets_[i]);
        }
    }
    void TearDown() override
    {
        for (int i = 0; i < 2; ++i) {
            DestroyWindow(pages_[i]);
            ui_FreeSnapshotSet(&sets_[i]);
        }
        ui_FreeSheetPanels(&sheet_);
        ui_FreeSnapshot(&source_);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline_);
    }
    // Puts a list of fid in the cache as the first page's acquisition would.
    OptionList *Seed(WORD fid)
    {
        OptionList *list = (OptionList *)GlobalAlloc(GPTR, sizeof(OptionList));
        OptionListCacheEntry *entry = (OptionListCacheEntry *)GlobalAlloc(GPTR, sizeof(OptionListCacheEntry));
        entry->fid = fid;
        entry->list = list;
        entry->references = 1;
        EXPECT_EQ(ui_AddNode(sheet_.panels->optionLists, fid, UI_CACHE_SUBKEY, entry), 1);
        return list;
    }
    SettingsSnapshot source_ = {};
    SheetContext sheet_ = {};
    SettingsSnapshotSet *sets_[2] = {};
    HWND pages_[2] = {};
    DWORD baseline_ = 0;
};

TEST_F(OptionCacheTest, PagesShareOneListUntilBothRelease)
{
    OptionList *seeded = Seed(306);
    OptionList *list = nullptr;
    EXPECT_EQ(ui_AcquireOptionList(pages_[1], nullptr, nullptr, 306, &list), UI_LIST_OK);
    EXPECT_EQ(list, seeded);
    ASSERT_NE(ui_FindCachedOptionEntry(pages_[0], 306), nullptr);
    EXPECT_EQ(ui_FindCachedOptionEntry(pages_[0], 306)->references, 2);
    EXPECT_EQ(ui_GetCachedOptionList(pages_[1], 306), seeded);

    DWORD held = qmt_LiveGlobalBlocks();
    EXPECT_EQ(ui_ReleaseOptionList(pages_[0], 306), 1); // one page closes: the list stays
    EXPECT_EQ(ui_GetCachedOptionList(pages_[1], 306), seeded);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), held);
    EXPECT_EQ(ui_ReleaseOptionList(pages_[1], 306), 1); // list, entry and node freed
    EXPECT_EQ(ui_GetCachedOptionList(pages_[1], 306), nullptr);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), held - 3);
    EXPECT_EQ(ui_ReleaseOptionList(pages_[1], 306), 0);
}

TEST_F(OptionCacheTest, UnbuildableAndUnattached)
{
    OptionList *list = (OptionList *)0x1;
    EXPECT_EQ(ui_AcquireOptionList(pages_[0], nullptr, nullptr, 359, &list), UI_LIST_UNBUILDABLE);
    EXPECT_EQ(list, (OptionList *)0x1);
    EXPECT_EQ(ui_GetCachedOptionList(pages_[0], 359), nullptr);

    HWND unattached = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const HWND kWindows[] = {nullptr, unattached};
    for (HWND window : kWindows) {
        EXPECT_EQ(ui_AcquireOptionList(window, nullptr, nullptr, 359, &list), UI_LIST_FAILED);
        EXPECT_EQ(ui_ReleaseOptionList(window, 359), 0);
        EXPECT_EQ(ui_GetCachedOptionList(window, 359), nullptr);
    }
    EXPECT_EQ(ui_AcquireOptionList(pages_[0], nullptr, nullptr, 359, nullptr), UI_LIST_FAILED);
    EXPECT_EQ(list, (OptionList *)0x1);
    DestroyWindow(unattached);
}

TEST_F(OptionCacheTest, FreeingThePanelsFreesCachedLists)
{
    Seed(385);
    Seed(12);
    ui_FreeSheetPanels(&sheet_); // TearDown checks that nothing is left
    EXPECT_EQ(ui_GetCachedOptionList(pages_[0], 385), nullptr);
}

} // namespace
