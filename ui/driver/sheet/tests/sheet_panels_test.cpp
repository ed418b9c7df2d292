/* Descriptor arrays and the PanelTable: pages expanded into their panels, the PageInfo
 * list, the first descriptor of a shared panel kept, ids outside the table, and control
 * rows found by id and FunctionID. */
#include "ui/driver/sheet/sheet_panels.h"

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"

namespace {

const DWORD kFids[] = {0x00030010, 0x00000022};
const ControlRecord kRows[] = {
    {100, 2, kFids, 1, nullptr, nullptr, UI_NONE_ID, UI_NONE_ID, nullptr},
    {UI_NONE_ID, 0, nullptr, 0, nullptr, nullptr, UI_NONE_ID, UI_NONE_ID, nullptr},
    {101, 0, nullptr, 7, nullptr, (const void *)0x5, 102, 9110, nullptr},
};
const PanelInfo kPanelA = {kRows, 3, 9999, nullptr, nullptr, 0};
const PanelInfo kPanelB = {nullptr, 0, 1430, nullptr, nullptr, 0};
const PanelInfo kPanelC = {nullptr, 0, 8888, nullptr, nullptr, 0};
const TabDescriptor kSub28 = {28, &kPanelB, nullptr};
const TabDescriptor kSub28Again = {28, &kPanelC, nullptr}; // a second descriptor of 28
const TabDescriptor kSub58 = {58, &kPanelC, nullptr};
const TabDescriptor kSub59 = {59, &kPanelC, nullptr}; // outside the table
const TabDescriptor *const kPage1Panels[] = {&kSub28, &kSub58};
const TabDescriptor *const kPage2Panels[] = {&kSub28Again, &kSub59};
const PageInfo kPage1 = {520, nullptr, 1, UI_NONE_ID, 0, kPage1Panels, 2};
const PageInfo kPage2 = {521, nullptr, 2, UI_NONE_ID, 0, kPage2Panels, 0x10002}; // 16 bits read
const PageInfo kPage6 = {503, nullptr, 6, UI_NONE_ID, 0, nullptr, 0};
const TabDescriptor kTab1 = {1, &kPanelA, &kPage1};
const TabDescriptor kTab2 = {2, &kPanelA, &kPage2};
const TabDescriptor kTab6 = {6, &kPanelA, &kPage6};

TEST(SheetPanels, ExpandAndCollectPages)
{
    DWORD baseline = qmt_LiveGlobalBlocks();
    const TabDescriptor *const tabs[] = {&kTab1, &kTab2, &kTab6};
    WORD total = 99;
    const TabDescriptor **all = ui_ExpandPanels(tabs, 3, &total);
    ASSERT_NE(all, nullptr);
    const TabDescriptor *const kExpected[] = {&kTab1, &kSub28, &kSub58, &kTab2, &kSub28Again, &kSub59, &kTab6};
    ASSERT_EQ(total, 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(all[i], kExpected[i]) << i;

    WORD pages = 0;
    const PageInfo **infos = ui_GetPageInfos(all, total, &pages);
    ASSERT_NE(infos, nullptr);
    ASSERT_EQ(pages, 3);
    EXPECT_EQ(infos[0], &kPage1);
    EXPECT_EQ(infos[1], &kPage2);
    EXPECT_EQ(infos[2], &kPage6);
    GlobalFree(infos);

    pages = 5;
    EXPECT_EQ(ui_GetPageInfos(all + 1, 2, &pages), nullptr); // panels only
    EXPECT_EQ(pages, 0);
    total = 5;
    EXPECT_EQ(ui_ExpandPanels(nullptr, 3, &total), nullptr);
    EXPECT_EQ(total, 0);
    GlobalFree(all);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline);
}

class PanelTableTest : public testing::Test
{
protected:
    void SetUp() override
    {
        baseline_ = qmt_LiveGlobalBlocks();
        set_.sheet = &sheet_;
        window_ = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ui_AttachSnapshotSet(window_, &set_);
    }
    void TearDown() override
    {
        DestroyWindow(window_);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline_);
    }
    SheetContext sheet_ = {};
    SettingsSnapshotSet set_ = {};
    HWND window_ = nullptr;
    DWORD baseline_ = 0;
};

TEST_F(PanelTableTest, FirstDescriptorPerIdAndNothingOutside)
{
    const TabDescriptor *const all[] = {&kTab1, &kSub28, &kSub58, &kTab2, &kSub28Again, &kSub59};
    ASSERT_EQ(ui_CreateSheetPanels(&sheet_, all, 6), 1);
    ASSERT_NE(sheet_.panels, nullptr);
    EXPECT_NE(sheet_.panels->optionLists, nullptr);

    PanelInfo *p28 = ui_GetPanelInfo(window_, 28);
    ASSERT_NE(p28, nullptr);
    EXPECT_NE(p28, &kPanelB); // a private copy
    EXPECT_EQ(p28->helpId, 1430u);
    p28->reinitialise = 1; // the copy takes the flag, the table stays constant
    EXPECT_EQ(kPanelB.reinitialise, 0u);
    EXPECT_EQ(ui_GetPanelInfo(window_, 58)->helpId, 8888u);

    struct Case {
        LONG panelId;
        bool present;
    };
    static const Case kCases[] = {
        {1, true}, {2, true}, {28, true}, {58, true}, {0, false}, {6, false}, {59, false}, {-4, false}};
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.panelId);
        EXPECT_EQ(ui_GetPanelInfo(window_, c.panelId) != nullptr, c.present);
        EXPECT_EQ(ui_GetPanelControlCount(window_, c.panelId), c.present ? (c.panelId <= 2 ? 3 : 0) : -1);
        DWORD count = 77;
        const ControlRecord *rows = ui_GetPanelControls(window_, c.panelId, &count);
        EXPECT_EQ(count, c.present ? (c.panelId <= 2 ? 3u : 0u) : 77u);
        EXPECT_EQ(rows, ui_GetPanelControlArray(window_, c.panelId));
    }
    EXPECT_EQ(ui_GetPanelInfo(nullptr, 1), nullptr);

    EXPECT_EQ(ui_FreeSheetPanels(&sheet_), 1);
    EXPECT_EQ(sheet_.panels, nullptr);
    EXPECT_EQ(ui_GetPanelInfo(window_, 1), nullptr);
}

TEST_F(PanelTableTest, EveryAllocationFailureLeavesNothing)
{
    const TabDescriptor *const all[] = {&kTab1, &kSub28, &kSub58};
    int failures = 0;
    for (DWORD after = 0;; ++after) {
        qmt_FailAllocations(after, 1);
        int created = ui_CreateSheetPanels(&sheet_, all, 3);
        qmt_FailAllocations(0, 0);
        if (created)
            break;
        ++failures;
        EXPECT_EQ(sheet_.panels, nullptr);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline_);
    }
    EXPECT_EQ(failures, 6); // pair, table, cache list, three copies
    ui_FreeSheetPanels(&sheet_);
}

TEST_F(PanelTableTest, ControlRows)
{
    const TabDescriptor *const all[] = {&kTab1};
    ASSERT_EQ(ui_CreateSheetPanels(&sheet_, all, 1), 1);
    const ControlRecord *row = ui_FindPanelControl(window_, 1, 101);
    ASSERT_EQ(row, &kRows[2]);
    EXPECT_EQ(ui_GetControlId(row), 101);
    EXPECT_EQ(ui_GetControlType(row), 7);
    EXPECT_EQ(ui_GetControlExtra(row), (const void *)0x5);
    EXPECT_EQ(ui_FindPanelControl(window_, 1, 555), nullptr);
    EXPECT_EQ(ui_FindPanelControl(window_, 59, 100), nullptr);
    EXPECT_EQ(ui_GetControlAt(kRows, 1), &kRows[1]);

    DWORD index = 9;
    EXPECT_EQ(ui_FindControlFid(&kRows[0], 0x22, &index), 1); // the evaluation mask is ignored
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(ui_FindControlFid(&kRows[0], 0x10, &index), 1);
    EXPECT_EQ(index, 0u);
    index = 9;
    EXPECT_EQ(ui_FindControlFid(&kRows[0], 0x03, &index), 0);
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(ui_FindControlFid(&kRows[1], 0x10, nullptr), 0);

    EXPECT_EQ(ui_GetControlId(nullptr), -1);
    EXPECT_EQ(ui_GetControlFidCount(nullptr), -1);
    EXPECT_EQ(ui_GetControlType(nullptr), -1);
    EXPECT_EQ(ui_GetControlExtra(nullptr), nullptr);
    EXPECT_EQ(ui_GetControlAt(nullptr, 0), nullptr);
    EXPECT_EQ(ui_GetItemEntryAt(nullptr, 0), nullptr);
    ui_FreeSheetPanels(&sheet_);
}

} // namespace
