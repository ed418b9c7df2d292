/* The call context: a NULL context answers NULL, 0 or -1 and writes no out; the changed
 * list is replaced, the old one freed only when it is another list. */
#include "ui/driver/sheet/call_context.h"

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"

namespace {

TEST(CallContext, NullContextAnswersNothing)
{
    DriverDevmode *devmode = (DriverDevmode *)0x1;
    PrinterDataBlock *block = (PrinterDataBlock *)0x2;
    SettingsSnapshot snapshot = {};
    snapshot.markingSize = 7;
    EXPECT_EQ(ui_GetCallWindow(nullptr), nullptr);
    EXPECT_EQ(ui_GetCallOwner(nullptr), nullptr);
    EXPECT_EQ(ui_GetCallMessage(nullptr), 0u);
    EXPECT_EQ(ui_GetCallPanel(nullptr), UI_NO_PANEL);
    EXPECT_EQ(ui_GetCallKind(nullptr), -1);
    EXPECT_EQ(ui_GetCallEditable(nullptr), 0u);
    EXPECT_EQ(ui_GetCallSettings(nullptr, &devmode, &block), 0);
    EXPECT_EQ(ui_GetCallSnapshot(nullptr, &snapshot), 0);
    EXPECT_EQ(ui_GetChangedFlag(nullptr), 0u);
    EXPECT_EQ(ui_SetChangedFlag(nullptr, 1), 0);
    EXPECT_EQ(ui_GetChangedFids(nullptr), nullptr);
    EXPECT_EQ(ui_SetChangedFids(nullptr, nullptr), 0);
    EXPECT_EQ(ui_IsFidChanged(nullptr, 5), 0);
    EXPECT_EQ(ui_GetDefaultProc(nullptr), nullptr);
    EXPECT_EQ(ui_GetCallControl(nullptr), nullptr);
    EXPECT_EQ(ui_GetCallAction(nullptr), -1);
    EXPECT_EQ(ui_SetCallAction(nullptr, 2), 0);
    EXPECT_EQ(ui_GetCallResult(nullptr), 0);
    EXPECT_EQ(ui_SetCallResult(nullptr, 2), 0);
    EXPECT_EQ(ui_GetCallModelContext(nullptr), nullptr);
    EXPECT_EQ(ui_GetCallDataBlock(nullptr), nullptr);
    EXPECT_EQ(ui_MarkControlChanged(nullptr, 1, nullptr, nullptr), 0);
    EXPECT_EQ(ui_SetUnitChoice(nullptr, 1), 0);
    EXPECT_EQ(ui_SetValidatePending(nullptr, 1), 0);
    EXPECT_EQ(devmode, (DriverDevmode *)0x1);
    EXPECT_EQ(block, (PrinterDataBlock *)0x2);
    EXPECT_EQ(snapshot.markingSize, 7u);

    // A context whose window has no set gives no snapshot either.
    ItemCallContext unattached = {};
    EXPECT_EQ(ui_GetCallSnapshot(&unattached, &snapshot), 0);
    EXPECT_EQ(snapshot.markingSize, 7u);
}

WORD *NewList(std::initializer_list<WORD> fids)
{
    WORD *list = (WORD *)GlobalAlloc(GPTR, (fids.size() + 1) * sizeof(WORD));
    WORD *at = list;
    for (WORD fid : fids)
        *at++ = fid;
    return list;
}

TEST(CallContext, ChangedListsAndValues)
{
    DWORD baseline = qmt_LiveGlobalBlocks();
    ItemCallContext context = {};
    WORD *first = NewList({12, 306});
    const ControlRecord row = {100, 0, nullptr, 1, nullptr, nullptr, UI_NONE_ID, UI_NONE_ID, nullptr};
    EXPECT_EQ(ui_MarkControlChanged(&context, 1, first, &row), 1);
    EXPECT_EQ(ui_GetChangedFlag(&context), 1u);
    EXPECT_EQ(ui_GetCallControl(&context), &row);
    EXPECT_EQ(ui_IsFidChanged(&context, 306), 1);
    EXPECT_EQ(ui_IsFidChanged(&context, 359), 0);
    EXPECT_EQ(ui_IsFidChanged(&context, 0), 0);       // the terminator is no entry
    EXPECT_EQ(ui_SetChangedFids(&context, first), 1); // the same list stays
    EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline + 1);
    EXPECT_EQ(ui_MarkControlChanged(&context, 0, NewList({359}), nullptr), 1); // old list freed
    EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline + 1);
    EXPECT_EQ(ui_IsFidChanged(&context, 359), 1);
    EXPECT_EQ(ui_SetChangedFids(&context, nullptr), 1);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline);

    context.devmode = (DriverDevmode *)0x10;
    context.block = (PrinterDataBlock *)0x20;
    DriverDevmode *devmode = nullptr;
    PrinterDataBlock *block = nullptr;
    EXPECT_EQ(ui_GetCallSettings(&context, &devmode, &block), 1);
    EXPECT_EQ(devmode, context.devmode);
    EXPECT_EQ(block, context.block);
    EXPECT_EQ(ui_GetCallSettings(&context, &devmode, nullptr), 0);
    EXPECT_EQ(ui_GetCallDataBlock(&context), context.block);
    EXPECT_EQ(ui_SetCallAction(&context, 3), 1);
    EXPECT_EQ(ui_GetCallAction(&context), 3);
    EXPECT_EQ(ui_SetCallResult(&context, 2), 1);
    EXPECT_EQ(ui_GetCallResult(&context), 2);
}

TEST(CallContext, SnapshotOfTheCallWindow)
{
    SettingsSnapshotSet set = {};
    set.working.devmode = (DriverDevmode *)0x10;
    set.working.markingSize = 100;
    HWND window = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ui_AttachSnapshotSet(window, &set);
    ItemCallContext context = {};
    context.window = window;
    SettingsSnapshot snapshot = {};
    EXPECT_EQ(ui_GetCallSnapshot(&context, &snapshot), 1);
    EXPECT_EQ(snapshot.devmode, set.working.devmode);
    EXPECT_EQ(snapshot.markingSize, 100u);
    EXPECT_EQ(ui_GetCallSnapshot(&context, nullptr), 0);
    DestroyWindow(window);
}

} // namespace
