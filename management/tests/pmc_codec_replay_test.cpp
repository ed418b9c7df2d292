/*
 * Replays the fuzz entry over its seed corpus and every saved finding (crash-*, leak-*,
 * timeout-* and any other file in the findings folder), so a fixed finding stays fixed
 * in the normal and sanitizer builds.
 */
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "management/codec/tests/pmc_codec_messages.h"
#include "management/logging/pmc_log.h"
#include "management/tests/pmc_test_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

std::vector<std::string> files_in(const std::string &folder)
{
    std::vector<std::string> out;
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return out;
    while (dirent *entry = readdir(dir)) {
        if (entry->d_name[0] != '.')
            out.push_back(folder + "/" + entry->d_name);
    }
    closedir(dir);
    return out;
}

void replay(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DWORD before = live_blocks();
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    EXPECT_EQ(before, live_blocks()) << path;
}

TEST(CodecReplay, SeedCorpusAndFindings)
{
    pmc_static_logger(PMC_LOGGER_SNMP); /* made on first use: not counted as a leak */
    std::vector<std::string> seeds = files_in(QM_CODEC_FUZZ_DIR "/corpus");
    EXPECT_EQ(sizeof kSeedMessages / sizeof kSeedMessages[0], seeds.size());
    for (const std::string &path : seeds)
        replay(path);
    for (const std::string &path : files_in(QM_CODEC_FUZZ_DIR "/findings"))
        replay(path);
    for (const MalformedMessage &m : kMalformed) {
        DWORD before = live_blocks();
        LLVMFuzzerTestOneInput(m.bytes, m.size);
        EXPECT_EQ(before, live_blocks()) << m.name;
    }
}

} // namespace
