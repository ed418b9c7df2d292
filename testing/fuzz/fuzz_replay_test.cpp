/*
 * The replay test of a fuzz target: runs its entry over every file of the target's seed
 * corpus and saved findings (QM_FUZZ_DIR/corpus, QM_FUZZ_DIR/findings), in name order, so
 * that the seeds stay accepted and a fixed finding stays fixed in every host build. The
 * entry itself aborts on anything an input leaves behind (fuzz_CheckCounts); the
 * sanitizer build adds its own checks.
 */
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

/* The files of a folder (names starting with '.' left aside), sorted. */
std::vector<std::string> FilesIn(const std::string &folder)
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
    std::sort(out.begin(), out.end());
    return out;
}

void Replay(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good()) << path;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    /* Named first, so that an input that aborts the program is known. */
    printf("replay %s (%zu bytes)\n", path.c_str(), bytes.size());
    fflush(stdout);
    /* libFuzzer hands a buffer of exactly the input's size; so does the replay. */
    uint8_t *copy = new uint8_t[bytes.size()];
    std::copy(bytes.begin(), bytes.end(), copy);
    EXPECT_EQ(0, LLVMFuzzerTestOneInput(copy, bytes.size())) << path;
    delete[] copy;
}

TEST(FuzzReplay, QM_FUZZ_TEST)
{
    /* The empty input first: an entry's one-time set-up happens there. */
    uint8_t none = 0;
    EXPECT_EQ(0, LLVMFuzzerTestOneInput(&none, 0));
    std::vector<std::string> seeds = FilesIn(QM_FUZZ_DIR "/corpus");
    EXPECT_FALSE(seeds.empty()) << "no seed in " QM_FUZZ_DIR "/corpus";
    for (const std::string &path : seeds)
        Replay(path);
    for (const std::string &path : FilesIn(QM_FUZZ_DIR "/findings"))
        Replay(path);
}

} // namespace
