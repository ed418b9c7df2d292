/*
 * The printer memory model: the edge cases, and long random sequences checked after
 * every step against the invariants and the query's promise.
 */
#include "render/pdl/memory/printer_memory.h"

#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\MEMORY_TEST_LOG.txt");
}

namespace {

// Checks the invariants: links agree both ways, sizes are granules, the blocks cover
// [0, total) without overlap. Returns the blocks front to back.
std::vector<MemoryBlock> CheckInvariants(const PrinterMemory *memory)
{
    std::vector<MemoryBlock> blocks;
    const MemoryBlock *prev = nullptr;
    for (const MemoryBlock *b = memory->front; b; b = b->next) {
        EXPECT_EQ(b->prev, prev);
        EXPECT_EQ(b->size % MEM_GRANULE, 0u);
        EXPECT_GT(b->size, 0u);
        blocks.push_back(*b);
        prev = b;
    }
    EXPECT_EQ(memory->back, prev);
    std::vector<MemoryBlock> sorted = blocks;
    std::sort(
        sorted.begin(), sorted.end(), [](const MemoryBlock &a, const MemoryBlock &b) { return a.address < b.address; });
    DWORD at = 0;
    for (const MemoryBlock &b : sorted) {
        EXPECT_EQ(b.address, at) << "a gap or an overlap";
        at = b.address + b.size;
    }
    EXPECT_EQ(at, memory->total);
    return blocks;
}

class PrinterMemoryTest : public testing::Test
{
protected:
    void Create(DWORD size)
    {
        ASSERT_EQ(mem_CreatePrinterMemory(&memory_, size), MEM_OK);
    }
    void TearDown() override
    {
        if (memory_) {
            EXPECT_EQ(mem_DestroyPrinterMemory(memory_), MEM_OK);
        }
        qmt_FailAllocations(0, 0);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), blocks_) << "a block leaked";
    }
    // Allocates with the keys (key, 0, 0); returns the address or ~0 on failure.
    DWORD Allocate(WORD key, DWORD size)
    {
        DWORD at = 0;
        return mem_AllocateDownload(memory_, key, 0, 0, &at, nullptr, size, TRUE) == MEM_OK ? at : ~(DWORD)0;
    }
    PrinterMemory *memory_ = nullptr;
    DWORD blocks_ = qmt_LiveGlobalBlocks();
};

TEST_F(PrinterMemoryTest, SizesAndRefusals)
{
    Create(64 * 100 + 63);
    EXPECT_EQ(memory_->total, 6400u);
    DWORD at = 7;
    WORD word = 9;
    EXPECT_EQ(mem_AllocateDownload(memory_, 1, 0, 0, &at, &word, 6400, TRUE), MEM_NO_ROOM) << "the whole memory";
    EXPECT_EQ(mem_AllocateDownload(memory_, 1, 0, 0, &at, &word, 6337, FALSE), MEM_NO_ROOM) << "rounds up to 6400";
    EXPECT_EQ(word, 0);
    EXPECT_EQ(Allocate(1, 1), 6336u) << "one byte takes a granule at the high end";
    EXPECT_EQ(memory_->front->size, 64u);
    EXPECT_EQ(mem_AllocateDownload(nullptr, 1, 0, 0, &at, &word, 1, TRUE), MEM_NO_ROOM);
    EXPECT_EQ(mem_FindDownload(nullptr, 1, 0, 0, &at), MEM_NO_MANAGER);
    EXPECT_EQ(mem_FindDownload(memory_, 0, 0, 0, &at), MEM_NOT_FOUND) << "empty blocks are no download";
    EXPECT_EQ(mem_DestroyPrinterMemory(nullptr), MEM_NO_ROOM);
    CheckInvariants(memory_);
}

TEST_F(PrinterMemoryTest, LookupMovesToTheFrontAndEvictionTakesTheLeastRecent)
{
    Create(64 * 3);
    DWORD a = Allocate(1, 64), b = Allocate(2, 64);
    DWORD at = 0;
    ASSERT_EQ(mem_FindDownload(memory_, 1, 0, 0, &at), MEM_OK);
    EXPECT_EQ(at, a);
    EXPECT_EQ(memory_->front->key1, 1);
    Allocate(3, 64); // the last free granule
    EXPECT_EQ(Allocate(4, 64), b) << "B was used least recently";
    EXPECT_EQ(mem_FindDownload(memory_, 2, 0, 0, &at), MEM_NOT_FOUND);
    EXPECT_EQ(mem_FindDownload(memory_, 1, 0, 0, &at), MEM_OK);
    CheckInvariants(memory_);
}

TEST_F(PrinterMemoryTest, KeysAreComparedAllThree)
{
    Create(64 * 8);
    DWORD at = 0;
    ASSERT_EQ(mem_AllocateDownload(memory_, 1, 2, 3, &at, nullptr, 64, TRUE), MEM_OK);
    DWORD found = 0;
    EXPECT_EQ(mem_FindDownload(memory_, 1, 2, 3, &found), MEM_OK);
    EXPECT_EQ(found, at);
    EXPECT_EQ(mem_FindDownload(memory_, 1, 2, 4, &found), MEM_NOT_FOUND);
    EXPECT_EQ(mem_FindDownload(memory_, 2, 1, 3, &found), MEM_NOT_FOUND);
}

// Two adjacent small blocks at the back merge for a request neither holds alone.
TEST_F(PrinterMemoryTest, NeighboursMergeForALargerRequest)
{
    Create(64 * 3);
    DWORD x = Allocate(1, 64), y = Allocate(2, 64);
    EXPECT_EQ(x, 128u);
    EXPECT_EQ(y, 64u);
    // Now: [0,64) empty at the back, [64,128) key 2, [128,192) key 1.
    DWORD at = 0;
    WORD word = 1;
    ASSERT_EQ(mem_AllocateDownload(memory_, 3, 0, 0, &at, &word, 128, FALSE), MEM_OK);
    EXPECT_EQ(at, 0u);
    EXPECT_EQ(Allocate(3, 128), 0u);
    std::vector<MemoryBlock> blocks = CheckInvariants(memory_);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].size, 128u);
    EXPECT_EQ(blocks[0].key1, 3);
    EXPECT_EQ(mem_FindDownload(memory_, 2, 0, 0, &at), MEM_NOT_FOUND) << "merged away";
    EXPECT_EQ(mem_FindDownload(memory_, 1, 0, 0, &at), MEM_OK);
}

// A refused request merges nothing: the list, front to back, keeps every block with its
// address, size and keys, and the downloads are still found.
TEST_F(PrinterMemoryTest, ARefusedRequestLeavesTheListAsItWas)
{
    Create(64 * 4);
    Allocate(1, 64);
    Allocate(2, 64);
    Allocate(3, 64);
    // Now: [0,64) empty at the back, then keys 3, 2 and 1 at 64, 128 and 192.
    std::vector<MemoryBlock> before = CheckInvariants(memory_);
    for (DWORD size : {64u * 4, 64u * 4 - 1, 64u * 5}) {
        DWORD at = 7;
        EXPECT_EQ(mem_AllocateDownload(memory_, 9, 0, 0, &at, nullptr, size, TRUE), MEM_NO_ROOM) << size;
        EXPECT_EQ(at, 7u) << "no address for a refused request";
        std::vector<MemoryBlock> after = CheckInvariants(memory_);
        ASSERT_EQ(after.size(), before.size()) << size;
        for (size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(after[i].address, before[i].address) << size << " block " << i;
            EXPECT_EQ(after[i].size, before[i].size) << size << " block " << i;
            EXPECT_EQ(after[i].key1, before[i].key1) << size << " block " << i;
        }
    }
    DWORD at = 0;
    for (WORD key : {1, 2, 3})
        EXPECT_EQ(mem_FindDownload(memory_, key, 0, 0, &at), MEM_OK) << key;
}

// Host memory refused while splitting answers 2 and leaves the memory consistent.
TEST_F(PrinterMemoryTest, HostMemoryFailureWhileSplitting)
{
    Create(64 * 8);
    qmt_FailAllocations(0, 1);
    DWORD at = 0;
    EXPECT_EQ(mem_AllocateDownload(memory_, 1, 0, 0, &at, nullptr, 64, TRUE), MEM_NO_HOST_MEMORY);
    qmt_FailAllocations(0, 0);
    CheckInvariants(memory_);
    Allocate(1, 128);
    Allocate(2, 128);
    Allocate(3, 128);
    // [0,128) empty at the back and no block of 3 granules: the back block grows over
    // [128,256) and the split of the rest needs a node.
    qmt_FailAllocations(0, 1);
    EXPECT_EQ(mem_AllocateDownload(memory_, 4, 0, 0, &at, nullptr, 64 * 3, TRUE), MEM_NO_HOST_MEMORY);
    qmt_FailAllocations(0, 0);
    CheckInvariants(memory_);
}

// Random allocations and lookups: after every step the invariants hold, the query
// answers what the commit then takes, and the block just used is at the front.
TEST_F(PrinterMemoryTest, RandomSequencesKeepTheInvariants)
{
    for (unsigned seed = 1; seed <= 4; ++seed) {
        if (memory_)
            mem_DestroyPrinterMemory(memory_);
        Create(64 * 200 + 17 * seed);
        std::mt19937 random(seed);
        std::vector<WORD> placed;
        for (int step = 0; step < 1500; ++step) {
            if (!placed.empty() && random() % 3 == 0) {
                WORD key = placed[random() % placed.size()];
                DWORD at = 0;
                if (mem_FindDownload(memory_, key, 7, 1, &at) == MEM_OK) {
                    EXPECT_EQ(memory_->front->key1, key);
                }
            } else {
                WORD key = (WORD)(step + 1);
                DWORD size = 1 + random() % (random() % 8 == 0 ? 64 * 40 : 64 * 3);
                DWORD asked = 1, taken = 2;
                WORD query = mem_AllocateDownload(memory_, key, 7, 1, &asked, nullptr, size, FALSE);
                WORD commit = mem_AllocateDownload(memory_, key, 7, 1, &taken, nullptr, size, TRUE);
                ASSERT_EQ(query, commit) << "seed " << seed << " step " << step;
                if (commit == MEM_OK) {
                    ASSERT_EQ(asked, taken) << "seed " << seed << " step " << step;
                    EXPECT_EQ(memory_->front->key1, key);
                    EXPECT_EQ(memory_->front->address, taken);
                    EXPECT_GE(memory_->front->size, size);
                    placed.push_back(key);
                }
            }
            CheckInvariants(memory_);
            if (HasFailure())
                return;
        }
    }
}

} // namespace
