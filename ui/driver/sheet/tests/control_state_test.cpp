/* Control and setting states: the selected FunctionID of a row, the display state with
 * the special-setting flags over the constraint engine's word, and control ranges from
 * the fixed table and from cached lists. */
#include "ui/driver/sheet/control_state.h"

#include <gtest/gtest.h>

#include "core/config/special_settings.h"
#include "platform/testing/qm_testing.h"

namespace {

const DWORD kOneFid[] = {0x00030132};              // 306
const DWORD kTwoFids[] = {0x00030167, 0x00000181}; // 359, 385
const DWORD kListFid[] = {0x00030020};
const DWORD kRangeFid[] = {0x00030021};
const DWORD kCopiesFid[] = {0x0003000C};

ControlRecord Row(DWORD id, DWORD count, const DWORD *fids, DWORD type)
{
    return {id, count, fids, type, nullptr, nullptr, UI_NONE_ID, UI_NONE_ID, nullptr};
}

class ControlStateTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(ui_InitSnapshot(&source_), 1);
        const TabDescriptor *const none[] = {nullptr};
        ASSERT_EQ(ui_CreateSheetPanels(&sheet_, none, 1), 1);
        set_ = ui_CreateSnapshotSet(nullptr, &sheet_, &source_, nullptr);
        ASSERT_NE(set_, nullptr);
        window_ = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ui_AttachSnapshotSet(window_, set_);
    }
    void TearDown() override
    {
        DestroyWindow(window_);
        ui_FreeSnapshotSet(&set_);
        ui_FreeSheetPanels(&sheet_);
        ui_FreeSnapshot(&source_);
    }
    // States left in the set are freed with it.
    ControlState *AddState(WORD controlId, LONG selected)
    {
        ControlState *state = (ControlState *)GlobalAlloc(GPTR, sizeof(ControlState));
        state->controlId = controlId;
        state->selected = selected;
        ui_AddNode(set_->states->controls, controlId, ui_WindowSubkey(window_), state);
        return state;
    }
    // A cached list of kind and values, freed with the sheet panels.
    void CacheList(WORD fid, WORD kind, WORD valueType, std::initializer_list<DWORD_PTR> values)
    {
        OptionList *list = (OptionList *)GlobalAlloc(GPTR, sizeof(OptionList));
        list->functionId = fid;
        list->controlKind = kind;
        list->valueType = valueType;
        list->count = (DWORD)values.size();
        OptionItem *items = (OptionItem *)GlobalAlloc(GPTR, values.size() * sizeof(OptionItem));
        DWORD i = 0;
        for (DWORD_PTR v : values)
            items[i++].value = v;
        list->items = items;
        OptionListCacheEntry *entry = (OptionListCacheEntry *)GlobalAlloc(GPTR, sizeof(OptionListCacheEntry));
        *entry = {fid, list, 1};
        ui_AddNode(sheet_.panels->optionLists, fid, UI_CACHE_SUBKEY, entry);
    }
    SettingsSnapshot source_ = {};
    SheetContext sheet_ = {};
    SettingsSnapshotSet *set_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(ControlStateTest, SelectedFunctionId)
{
    const ControlRecord one = Row(100, 1, kOneFid, 1);
    const ControlRecord two = Row(101, 2, kTwoFids, 1);
    EXPECT_EQ(ui_GetSelectedFidIndex(window_, &one), 0); // one FunctionID needs no state
    EXPECT_EQ(ui_GetSelectedFid(window_, &one), 306);
    EXPECT_EQ(ui_GetSelectedFidIndex(window_, &two), -1); // no state yet
    ControlState *state = AddState(101, UI_NO_SELECTION);
    EXPECT_EQ(ui_GetSelectedFidIndex(window_, &two), -1);
    EXPECT_EQ(ui_SetSelectedFidIndex(window_, &two, 2), 0);
    EXPECT_EQ(ui_SetSelectedFidIndex(window_, &two, -1), 0);
    EXPECT_EQ(ui_SetSelectedFidIndex(window_, &two, 1), 1);
    EXPECT_EQ(state->selected, 1);
    EXPECT_EQ(ui_GetSelectedFid(window_, &two), 385);
    EXPECT_EQ(ui_GetSelectedFid(nullptr, &two), -1);
    EXPECT_EQ(ui_GetSelectedFid(window_, nullptr), -1);
}

TEST_F(ControlStateTest, DisplayStateFlagsOverTheEngine)
{
    ConflictState engine = {};
    engine.kind = 9;
    engine.records7.count = 0; // the rest of the first four bytes
    SettingUiState setting = {40, 0, &engine, nullptr};
    ui_AddNode(set_->states->settings, 40, UI_SETTING_SUBKEY, &setting);
    SpecialItem items[] = {{40, 0, 0}};
    SpecialSettings special = {1, 0, items, nullptr};
    DriverContext model = {};
    model.special = &special;
    sheet_.model = &model;

    struct Case {
        DWORD flags;
        LONG state;
    };
    static const Case kCases[] = {
        {SPECIAL_DISPLAY_0, 6},
        {SPECIAL_DISPLAY_1, 1},
        {SPECIAL_DISPLAY_2, 0},
        {SPECIAL_DISPLAY_0 | SPECIAL_DISPLAY_2, 6}, // hidden is tested first
        {SPECIAL_ENFORCED, 9},                      // no display flag: the engine's word
    };
    for (const Case &c : kCases) {
        items[0].flags = c.flags;
        EXPECT_EQ(ui_GetSettingDisplayState(window_, 40, nullptr), c.state) << c.flags;
    }
    DWORD first = 0xFFFFFFFF;
    EXPECT_EQ(ui_GetSettingDisplayState(window_, 40, &first), 9);
    EXPECT_EQ(LOWORD(first), 9);
    sheet_.model = nullptr;
    EXPECT_EQ(ui_GetSettingDisplayState(window_, 40, nullptr), 9);
    first = 5;
    EXPECT_EQ(ui_GetSettingDisplayState(window_, 41, &first), -1); // no state
    EXPECT_EQ(ui_GetSettingDisplayState(nullptr, 40, &first), -1);
    EXPECT_EQ(first, 5u);
    ui_RemoveNode(set_->states->settings, 40, UI_SETTING_SUBKEY);
}

TEST_F(ControlStateTest, ControlRanges)
{
    CacheList(0x20, OK_LIST, VT_SHORT, {5, 6, 7});
    CacheList(0x21, OK_RANGE, VT_SHORT, {(DWORD_PTR)(WORD)-20, 20, 1});
    CacheList(0x167, OK_RANGE3, VT_LONG, {0x10003, 0x20009});
    CacheList(0x0C, OK_RANGE, VT_SHORT, {1, 99, 1});
    ControlState *two = AddState(101, 1);

    struct Case {
        ControlRecord row;
        int answer;
        LONG low;
        LONG high;
    };
    const Case kCases[] = {
        {Row(100, 1, kOneFid, 1), 1, 7, 600},    // fixed: 306
        {Row(101, 2, kTwoFids, 1), 1, 50, 240},  // fixed: 385 is selected
        {Row(102, 1, kOneFid, 2), 0, 0, 0},      // not a spin row: no list of 306
        {Row(103, 1, kListFid, 5), 1, 1, 3},     // kind 2: 1..count
        {Row(104, 1, kRangeFid, 5), 1, -20, 20}, // kind 4 by its value type
        {Row(105, 1, kCopiesFid, 5), 1, 1, 99},  // no model: no correction
    };
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.row.controlId);
        LONG low = -99;
        LONG high = -99;
        EXPECT_EQ(ui_GetControlRange(window_, &c.row, &low, &high), c.answer);
        EXPECT_EQ(low, c.answer ? c.low : -99);
        EXPECT_EQ(high, c.answer ? c.high : -99);
    }
    // Kind 6 reads 16 bits: 359 selected on a row that is not a spin row.
    two->selected = 0;
    const ControlRecord kind6 = Row(101, 2, kTwoFids, 5);
    LONG low = 0;
    LONG high = 0;
    EXPECT_EQ(ui_GetControlRange(window_, &kind6, &low, &high), 1);
    EXPECT_EQ(low, 3);
    EXPECT_EQ(high, 9);
    EXPECT_EQ(ui_GetControlRange(window_, &kind6, &low, nullptr), 0);
}

TEST_F(ControlStateTest, CreatingAndFreeingStates)
{
    DWORD baseline = qmt_LiveGlobalBlocks();
    const ControlRecord two = Row(101, 2, kTwoFids, 1);
    EXPECT_EQ(ui_CreateControlState(window_, &two), 1);
    EXPECT_EQ(ui_CreateControlState(window_, &two), 2);
    ControlState *state = ui_FindControlState(window_, 101);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->selected, UI_NO_SELECTION);
    EXPECT_EQ(state->entries[0].value.fid, 359);
    EXPECT_EQ(state->entries[1].value.fid, 385);
    EXPECT_EQ(state->entries[1].optionIndex, -1);
    EXPECT_EQ(ui_CreateSettingUiState(window_, 359, 3), 1);
    EXPECT_EQ(ui_CreateSettingUiState(window_, 359, 3), 2);
    EXPECT_EQ(ui_FindSettingUiState(window_, 359)->optionCount, 3u);
    EXPECT_EQ(ui_CreateControlState(nullptr, &two), 0);

    EXPECT_EQ(ui_FreeStates(set_), 1);
    EXPECT_EQ(ui_FindControlState(window_, 101), nullptr);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline);

    for (DWORD after = 0; after < 3; ++after) { // record, entries, node
        qmt_FailAllocations(after, 1);
        EXPECT_EQ(ui_CreateControlState(window_, &two), 0) << after;
        qmt_FailAllocations(0, 0);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline);
    }
    for (DWORD after = 0; after < 4; ++after) { // record, setting, options, node
        qmt_FailAllocations(after, 1);
        EXPECT_EQ(ui_CreateSettingUiState(window_, 359, 3), 0) << after;
        qmt_FailAllocations(0, 0);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline);
    }
}

} // namespace
