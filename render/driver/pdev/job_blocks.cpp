/*
 * Records of job control: their sizes and clearing.
 */
#include "render/driver/pdev/job_blocks.h"

#include <string.h>

static_assert(sizeof(PaperRecord) == 32, "a paper record is 32 bytes");
static_assert(sizeof(PageSetupSnapshot) == PAGE_SETUP_SNAPSHOT_SIZE, "the snapshot is 1356 bytes");
static_assert(sizeof(PageBlock) == PAGE_BLOCK_SIZE, "the page block is 188 bytes");

void jc_ClearPageSetupBlock(PageSetupSnapshot *snapshot)
{
    if (snapshot)
        memset(snapshot, 0, sizeof(*snapshot));
}

void jc_ClearPageBlock(PageBlock *block)
{
    if (block)
        memset(block, 0, sizeof(*block));
}
