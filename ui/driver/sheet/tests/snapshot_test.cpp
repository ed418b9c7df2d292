/* Settings snapshots: information-block copies and their size limit, Cancel after and
 * without Apply, and every allocation failure of a copy or a set leaving nothing behind. */
#include "ui/driver/sheet/snapshot.h"

#include <gtest/gtest.h>
#include <string.h>

#include "platform/testing/qm_testing.h"

namespace {

// A byte of the DEVMODE's private part and of the block marks which copy a snapshot holds.
const size_t kDevmodeMark = 400;
const size_t kBlockMark = 1000;

void Mark(SettingsSnapshot *snapshot, BYTE value)
{
    ((BYTE *)snapshot->devmode)[kDevmodeMark] = value;
    ((BYTE *)snapshot->block)[kBlockMark] = value;
}

BYTE DevmodeMark(const SettingsSnapshot *snapshot)
{
    return ((const BYTE *)snapshot->devmode)[kDevmodeMark];
}

BYTE BlockMark(const SettingsSnapshot *snapshot)
{
    return ((const BYTE *)snapshot->block)[kBlockMark];
}

BYTE *NewBlock(DWORD size, BYTE fill)
{
    BYTE *block = (BYTE *)GlobalAlloc(GMEM_FIXED, size ? size : 1);
    memset(block, fill, size ? size : 1);
    return block;
}

TEST(Snapshot, InformationBlocksAndTheirLimit)
{
    struct Case {
        DWORD markingSize;
        DWORD secondSize;
        int answer;
        DWORD copiedMarking; // sizes the destination holds afterwards
        DWORD copiedSecond;
    };
    static const Case kCases[] = {
        {100, 100, 1, 100, 100},
        {0, 100, 1, 0, 100},     // an empty block copies as none
        {65535, 0, 1, 65535, 0}, // the largest block accepted
        {65536, 100, 0, 0, 0},   // refused: nothing half copied
        {100, 65536, 0, 0, 0},
    };
    DWORD baseline = qmt_LiveGlobalBlocks();
    for (const Case &c : kCases) {
        SCOPED_TRACE(testing::Message() << c.markingSize << "/" << c.secondSize);
        SettingsSnapshot source, destination;
        ASSERT_EQ(ui_InitSnapshot(&source), 1);
        ASSERT_EQ(ui_InitSnapshot(&destination), 1);
        Mark(&source, 7);
        source.markingSize = c.markingSize;
        source.markingInfo = NewBlock(c.markingSize, 0x11);
        source.secondSize = c.secondSize;
        source.secondInfo = NewBlock(c.secondSize, 0x22);
        destination.markingSize = 5; // an old block of the destination is always replaced
        destination.markingInfo = NewBlock(5, 0x33);

        EXPECT_EQ(ui_CopySnapshot(&destination, &source), c.answer);
        EXPECT_EQ(DevmodeMark(&destination), 7);
        EXPECT_EQ(BlockMark(&destination), 7);
        EXPECT_EQ(destination.markingSize, c.copiedMarking);
        EXPECT_EQ(destination.markingInfo != nullptr, c.copiedMarking != 0);
        EXPECT_EQ(destination.secondSize, c.copiedSecond);
        EXPECT_EQ(destination.secondInfo != nullptr, c.copiedSecond != 0);
        if (c.copiedMarking) {
            EXPECT_EQ(destination.markingInfo[c.copiedMarking - 1], 0x11);
        }
        if (c.copiedSecond) {
            EXPECT_EQ(destination.secondInfo[c.copiedSecond - 1], 0x22);
        }

        ui_FreeSnapshot(&source);
        ui_FreeSnapshot(&destination);
        EXPECT_EQ(destination.devmode, nullptr);
        EXPECT_EQ(destination.markingSize, 0u);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline);
    }
}

TEST(Snapshot, MissingBuffersAndNullArguments)
{
    SettingsSnapshot valid, empty = {};
    ASSERT_EQ(ui_InitSnapshot(&valid), 1);
    EXPECT_EQ(ui_IsSnapshotValid(&valid), 1);
    EXPECT_EQ(ui_IsSnapshotValid(&empty), 0);
    EXPECT_EQ(ui_IsSnapshotValid(nullptr), 0);
    EXPECT_EQ(ui_CopySnapshot(&empty, &valid), 0);
    EXPECT_EQ(ui_CopySnapshot(&valid, &empty), 0);
    EXPECT_EQ(ui_CopySnapshot(&valid, nullptr), 0);
    EXPECT_EQ(ui_InitSnapshot(nullptr), 0);
    EXPECT_EQ(ui_FreeSnapshot(nullptr), 0);
    EXPECT_EQ(ui_FreeSnapshotSet(nullptr), 0);
    SettingsSnapshotSet *none = nullptr;
    EXPECT_EQ(ui_FreeSnapshotSet(&none), 1);
    EXPECT_EQ(ui_CreateSnapshotSet(nullptr, nullptr, &empty, nullptr), nullptr);
    EXPECT_EQ(ui_RestoreSnapshot(nullptr, 0), 0);
    EXPECT_EQ(ui_SaveApplySnapshot(nullptr), 0);
    ui_FreeSnapshot(&valid);
}

class SnapshotSet : public testing::Test
{
protected:
    void SetUp() override
    {
        baseline_ = qmt_LiveGlobalBlocks();
        ASSERT_EQ(ui_InitSnapshot(&source_), 1);
        Mark(&source_, 1);
        source_.markingSize = 100;
        source_.markingInfo = NewBlock(100, 0x11);
    }
    void TearDown() override
    {
        ui_FreeSnapshot(&source_);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline_);
    }
    SettingsSnapshot source_;
    DWORD baseline_ = 0;
};

TEST_F(SnapshotSet, CancelRestoresTheOpeningOrTheLastApply)
{
    SheetContext sheet = {};
    SettingsSnapshotSet *set = ui_CreateSnapshotSet((HWND)0x10, &sheet, &source_, nullptr);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->sheet, &sheet);
    EXPECT_EQ(set->owner, (HWND)0x10);
    EXPECT_EQ(ui_IsSnapshotValid(&set->lastApply), 0);
    EXPECT_EQ(set->working.markingSize, 100u);
    ASSERT_NE(set->states, nullptr);
    EXPECT_NE(set->states->controls, nullptr);
    EXPECT_NE(set->aux[2], nullptr);

    // Cancel without Apply: the opening copy comes back.
    Mark(&set->working, 2);
    EXPECT_EQ(ui_RestoreSnapshot(set, 0), 1);
    EXPECT_EQ(DevmodeMark(&set->working), 1);
    EXPECT_EQ(BlockMark(&set->working), 1);

    // Apply (not OK), further edits, Cancel: the applied values come back.
    Mark(&set->working, 3);
    EXPECT_EQ(ui_SaveApplySnapshot(set), 1);
    EXPECT_EQ(DevmodeMark(&set->lastApply), 3);
    Mark(&set->working, 4);
    EXPECT_EQ(ui_RestoreSnapshot(set, 0), 1);
    EXPECT_EQ(DevmodeMark(&set->working), 3);
    EXPECT_EQ(set->working.markingSize, 100u);
    // A second Apply reuses the copy; forcing the opening copy ignores it.
    EXPECT_EQ(ui_SaveApplySnapshot(set), 1);
    EXPECT_EQ(ui_RestoreSnapshot(set, 1), 1);
    EXPECT_EQ(DevmodeMark(&set->working), 1);
    EXPECT_EQ(DevmodeMark(&set->opening), 1);

    EXPECT_EQ(ui_FreeSnapshotSet(&set), 1);
    EXPECT_EQ(set, nullptr);
}

TEST_F(SnapshotSet, SecondSourceGivesTheLastApplyCopy)
{
    SettingsSnapshot second;
    ASSERT_EQ(ui_InitSnapshot(&second), 1);
    Mark(&second, 9);
    SettingsSnapshotSet *set = ui_CreateSnapshotSet(nullptr, nullptr, &source_, &second);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(DevmodeMark(&set->lastApply), 9);
    EXPECT_EQ(DevmodeMark(&set->working), 1);
    Mark(&set->working, 5);
    EXPECT_EQ(ui_RestoreSnapshot(set, 0), 1);
    EXPECT_EQ(DevmodeMark(&set->working), 9);
    ui_FreeSnapshotSet(&set);
    ui_FreeSnapshot(&second);

    // An invalid second source leaves the last-Apply copy empty.
    SettingsSnapshot empty = {};
    set = ui_CreateSnapshotSet(nullptr, nullptr, &source_, &empty);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->lastApply.devmode, nullptr);
    ui_FreeSnapshotSet(&set);
}

TEST_F(SnapshotSet, EveryAllocationFailureLeavesNothing)
{
    SettingsSnapshot second;
    ASSERT_EQ(ui_InitSnapshot(&second), 1);
    second.secondSize = 100;
    second.secondInfo = NewBlock(100, 0x22);
    DWORD before = qmt_LiveGlobalBlocks();
    int failures = 0;
    for (DWORD after = 0;; ++after) {
        qmt_FailAllocations(after, 1);
        SettingsSnapshotSet *set = ui_CreateSnapshotSet(nullptr, nullptr, &source_, &second);
        qmt_FailAllocations(0, 0);
        if (set) {
            ui_FreeSnapshotSet(&set);
            break;
        }
        ++failures;
        EXPECT_EQ(qmt_LiveGlobalBlocks(), before) << "failure after " << after;
    }
    EXPECT_GE(failures, 12); // three copies of four buffers, five lists and the pair

    // A copy whose information block cannot be allocated answers 0 with none left.
    SettingsSnapshot destination;
    ASSERT_EQ(ui_InitSnapshot(&destination), 1);
    before = qmt_LiveGlobalBlocks();
    qmt_FailAllocations(0, 1);
    EXPECT_EQ(ui_CopySnapshot(&destination, &source_), 0);
    qmt_FailAllocations(0, 0);
    EXPECT_EQ(destination.markingInfo, nullptr);
    EXPECT_EQ(destination.markingSize, 0u);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), before);
    ui_FreeSnapshot(&destination);
    ui_FreeSnapshot(&second);
}

} // namespace
