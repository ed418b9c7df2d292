/*
 * The host-application settings: exact and "*" records, the switch 1356, the index 466
 * already set, no record, and a record naming a setting of the second part against a
 * short DEVMODE.
 */
#include "core/rules/tests/rules_fixture.h"

#include "core/devmode_helpers/devmode_helpers.h"

#include <string.h>

namespace {

using rules_test::RulesFixture;

/* The sample's first host-application record, and what the tests put in its place. */
const char kSampleRecord[] = "  - {type: 24, key: 1, text: \"WORDPAD.EXE\", rows: [{function: 12, type: 2, value: 1}]}";
const char kWordRecord[] = "  - {type: 24, key: 1, text: \"WORD.EXE\", rows: [{function: 7, type: 2, value: 2}, "
                           "{function: 12, type: 2, value: 3}]}";

/* A record row naming dmPaperLength (9) with the value 31323, rewritten in the compiled
   file to name the custom width (1863), a setting of the second part, which the compiler
   refuses in host-application records. */
const char kSecondPartRecord[] =
    "  - {type: 24, key: 1, text: \"WORD.EXE\", rows: [{function: 9, type: 2, value: 31323}]}";

class HostAppTest : public RulesFixture
{
public:
    void ModelBytes(dddc::Bytes &bytes) override
    {
        if (!rewriteRow_)
            return;
        int found = 0;
        for (size_t i = 4; i + 1 < bytes.size(); ++i) {
            if (bytes[i] != 0x5B || bytes[i + 1] != 0x7A)
                continue;
            for (size_t back = 1; back <= 6; ++back) {
                if (bytes[i - back] == 9 && bytes[i - back + 1] == 0) {
                    bytes[i - back] = 1863 & 0xFF;
                    bytes[i - back + 1] = 1863 >> 8;
                    ++found;
                    break;
                }
            }
        }
        EXPECT_EQ(1, found);
    }
    BOOL Apply(DriverDevmode *devmode)
    {
        HostAppRequest request = {context_, devmode, &areas_->block};
        return opt_ApplyHostAppSettings(&request);
    }
    bool rewriteRow_ = false;
};

TEST_F(HostAppTest, RecordsByProgramName)
{
    ASSERT_NE(nullptr, OpenSample({{kSampleRecord, kWordRecord}}));
    const DriverDevmode defaults = areas_->devmode;
    struct Case {
        const char *what;
        const WCHAR *commandLine;
        LONG on1356;
        LONG index466;
        LONG orientation, copies, index;
    };
    static const Case cases[] = {
        {"exact name", TEXT("\"C:\\Office\\word.exe\" /p"), 1, 0, 2, 3, 1},
        {"\"*\" record", TEXT("C:\\WINDOWS\\notepad.exe x.txt"), 1, 0, 2, 1, 2}, /* "*NOTE" */
        {"switch off", TEXT("word.exe"), 0, 0, 1, 1, 0},
        {"already applied", TEXT("word.exe"), 1, 2, 1, 1, 2},
        {"no record", TEXT("excel.exe"), 1, 0, 1, 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        areas_->devmode = defaults;
        qmt_PinCommandLine(c.commandLine);
        Set(FID_HOST_APP_SETTINGS_ON, c.on1356);
        Set(FID_HOST_APP_INDEX, c.index466);
        DWORD blocks = qmt_LiveGlobalBlocks();
        EXPECT_TRUE(Apply(&areas_->devmode));
        EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
        EXPECT_EQ(c.orientation, Get(FID_ORIENTATION));
        EXPECT_EQ(c.copies, Get(FID_COPIES));
        EXPECT_EQ(c.index, Get(FID_HOST_APP_INDEX));
    }
    EXPECT_FALSE(opt_ApplyHostAppSettings(nullptr));
}

TEST_F(HostAppTest, ASecondPartSettingIsRefusedOnAShortDevmode)
{
    rewriteRow_ = true;
    ASSERT_NE(nullptr, OpenSample({{kSampleRecord, kSecondPartRecord}}));
    qmt_PinCommandLine(TEXT("word.exe"));
    Set(FID_HOST_APP_SETTINGS_ON, 1);
    const size_t guard = 64;
    std::vector<BYTE> buffer(DM_SHORT_SIZE + guard, 0xAB);
    memcpy(buffer.data(), &areas_->devmode, DM_SHORT_SIZE);
    DriverDevmode *shortForm = (DriverDevmode *)buffer.data();
    EXPECT_FALSE(Apply(shortForm));
    for (size_t i = DM_SHORT_SIZE; i < buffer.size(); ++i)
        ASSERT_EQ(0xAB, buffer[i]) << i;
    EXPECT_EQ(0, Get(FID_HOST_APP_INDEX, shortForm));
}

} // namespace
