/* Queries over description data: model class, fax output, COM probe, value range, model
 * minimum, feature level and host-application records, over models compiled in memory. */
#include "core/ddd/model_query.h"

#include "core/ddd/tests/ddd_test_support.h"
#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"
#include "testing/settings_areas.h"

#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <string>

namespace {

using ddd_test::Compile;
using ddd_test::Pair;
using ddd_test::Source;

const unsigned kFormat = 8192;

std::unique_ptr<Pair> open_model(const std::string &entries, const std::string &records = "")
{
    auto pair = std::make_unique<Pair>(Compile(Source(kFormat, entries, records)));
    EXPECT_EQ(DDD_OK, pair->status);
    return pair;
}

using Areas = TestSettingsAreas;

TEST(ModelQuery, ClassAndFaxOutput)
{
    struct Case {
        const char *entries;
        WORD modelClass;
        BOOL class3Or4;
        BOOL fax334is5;
        BOOL fax334is1;
    };
    static const Case kCases[] = {
        {"  23: 0\n", 1, FALSE, FALSE, FALSE},
        {"  23: 1\n", 2, FALSE, TRUE, TRUE}, // a fax model: always fax
        {"  23: 2\n", 3, TRUE, FALSE, FALSE},
        {"  23: 3\n", 4, TRUE, TRUE, FALSE}, // fax when the job type says so
        {"  23: 4\n", 0, FALSE, FALSE, FALSE},
        {"  5: 1\n", 0, FALSE, FALSE, FALSE}, // no entry 23
    };
    for (const Case &c : kCases) {
        auto pair = open_model(c.entries);
        EXPECT_EQ(c.modelClass, ddd_GetModelClass(&pair->model)) << c.entries;
        EXPECT_EQ(c.class3Or4, ddd_IsModelClass3Or4(&pair->model)) << c.entries;
        auto areas = std::make_unique<Areas>();
        areas->set(334, 5);
        FaxOutputRequest request = {&pair->model, &areas->devmode};
        EXPECT_EQ(c.fax334is5, dma_IsFaxOutput(&request)) << c.entries;
        areas->set(334, 1);
        EXPECT_EQ(c.fax334is1, dma_IsFaxOutput(&request)) << c.entries;
    }
    EXPECT_EQ(0, ddd_GetModelClass(nullptr));
    EXPECT_FALSE(dma_IsFaxOutput(nullptr));
}

const CLSID kDeviceConfigClass = {0xF2A5AEC9, 0x686E, 0x4C95, {0xBD, 0x6D, 0xDD, 0x58, 0xDD, 0x40, 0xE3, 0xA7}};
const IID kDeviceConfigInterface = {0xF8CEAD2F, 0xBF3E, 0x4DA0, {0xA9, 0x61, 0x29, 0x74, 0x14, 0xCF, 0xCA, 0x4C}};

QmtCountedObject g_server;

HRESULT make_server(REFIID riid, void **object)
{
    if (!IsEqualIID(riid, kDeviceConfigInterface))
        return E_NOINTERFACE;
    g_server.AddRef();
    *object = static_cast<IUnknown *>(&g_server);
    return S_OK;
}

TEST(ModelQuery, ComServerProbe)
{
    struct Case {
        const char *entries;
        bool registered;
        DWORD comBefore;
        DWORD available;
    };
    static const Case kCases[] = {
        {"  26: 0\n  39: [0x800]\n", true, 0, 1},  // capability bit 43 and the class
        {"  26: 0\n  39: [0x800]\n", true, 1, 1},  // the thread was in COM already
        {"  26: 0\n  39: [0x800]\n", false, 0, 0}, // class not registered
        {"  26: 0\n  39: [0x0]\n", true, 0, 0},    // no capability: COM is not asked
    };
    for (const Case &c : kCases) {
        auto pair = open_model(c.entries);
        qmt_RegisterComClass(kDeviceConfigClass, c.registered ? make_server : nullptr);
        for (DWORD i = 0; i < c.comBefore; i++)
            CoInitialize(nullptr);
        ComServerRequest request = {&pair->model, 0};
        EXPECT_TRUE(util_IsComServerAvailable(&request));
        EXPECT_EQ(c.available, request.available) << c.entries << c.registered;
        EXPECT_EQ(c.comBefore, qmt_ComInitCount()) << "the thread's COM entries are as they were";
        EXPECT_EQ(0, g_server.refs) << "the object is released";
        for (DWORD i = 0; i < c.comBefore; i++)
            CoUninitialize();
    }
    qmt_ResetComClasses();
    EXPECT_FALSE(util_IsComServerAvailable(nullptr));
}

const char *const kRangeRecords =
    "  - {type: 4, key: 12, caption: C, control: 4, default: 3, options: [121, 122, 123]}\n"
    "  - {type: 14, key: 121, caption: Min, value: {type: 2, value: -5}}\n"
    "  - {type: 14, key: 122, caption: Max, value: {type: 2, value: 999}}\n"
    "  - {type: 14, key: 123, caption: Def, value: {type: 2, value: 1}}\n"
    "  - {type: 4, key: 8205, caption: F, control: 4, default: 1, options: [8251, 8252]}\n"
    "  - {type: 14, key: 8251, caption: Lo, value: {type: 5, value: 70000}}\n"
    "  - {type: 14, key: 8252, caption: Hi, value: {type: 5, value: 90000}}\n"
    "  - {type: 4, key: 16, caption: D, control: 2, default: 1, options: [161]}\n"
    "  - {type: 14, key: 161, caption: One, value: {type: 2, value: 1}}\n"
    "  - {type: 4, key: 32794, caption: M, control: 2, default: 1, options: [32795]}\n"
    "  - {type: 14, key: 32795, caption: Five, value: {type: 3, value: 5}}\n";

TEST(ModelQuery, ValueRangeOfTheFirstTwoOptions)
{
    auto pair = open_model("  5: 1\n", kRangeRecords);
    LONG low = 0, high = 0;
    ASSERT_EQ(DDD_OK, ddd_GetValueRange(12, &pair->model, &pair->base, &low, &high));
    EXPECT_EQ(-5, low); // 16-bit, signed
    EXPECT_EQ(999, high);
    ASSERT_EQ(DDD_OK, ddd_GetValueRange(8205, &pair->model, &pair->base, &low, &high));
    EXPECT_EQ(70000, low); // 32-bit
    EXPECT_EQ(90000, high);
    low = high = 77;
    EXPECT_NE(DDD_OK, ddd_GetValueRange(16, &pair->model, &pair->base, &low, &high)); // one option
    EXPECT_NE(DDD_OK, ddd_GetValueRange(20, &pair->model, &pair->base, &low, &high)); // no definition
    EXPECT_EQ(77, low);
    EXPECT_EQ(77, high);
}

TEST(ModelQuery, ModelMinimum)
{
    struct Case {
        const char *entries;
        LONG option4365;
        int result;
    };
    // Capability bit 62 is bit 30 of the second word; the minimum (default of 0x801A) is 5.
    static const Case kCases[] = {
        {"  26: 0\n  39: [0x40000000]\n", 3, 999},
        {"  26: 0\n  39: [0x40000000]\n", 5, 0},
        {"  26: 0\n  39: [0x40000000]\n", 6, 0},
        {"  26: 0\n  39: [0x0]\n", 3, 0}, // without the capability nothing is checked
    };
    for (const Case &c : kCases) {
        auto pair = open_model(c.entries, kRangeRecords);
        auto areas = std::make_unique<Areas>();
        areas->set(4365, c.option4365);
        ModelMinimumRequest request = {&areas->devmode, &areas->block, &pair->model, &pair->base, 0};
        EXPECT_TRUE(dma_CheckModelMinimum(&request));
        EXPECT_EQ(c.result, request.result) << c.entries << c.option4365;
    }
}

TEST(ModelQuery, DeviceFeatureLevel)
{
    struct Case {
        DWORD caps;
        LONG option8211, option4099;
        DWORD option8205;
        WORD level;
    };
    static const Case kCases[] = {
        {0x30000, 1, 0, 0x2000000, 1}, // 8211 is 1
        {0x10000, 0, 0, 0x2000000, 1}, // capability 0x20000 missing
        {0x30000, 0, 1, 0x2000000, 1}, // 4099 on
        {0x30000, 0, 0, 0x1010903, 2},
        {0x30000, 0, 0, 0x1010902, 3},
        {0x20000, 0, 0, 0x2000000, 3}, // capability 0x10000 missing
    };
    for (const Case &c : kCases) {
        auto areas = std::make_unique<Areas>();
        areas->set(8211, c.option8211);
        areas->set(4099, c.option4099);
        areas->set(8205, (LONG)c.option8205);
        ModelCapabilities caps = {{c.caps, 0}};
        EXPECT_EQ(c.level, dma_GetDeviceFeatureLevel(&areas->devmode, &areas->block, &caps))
            << std::hex << c.caps << " " << c.option8205;
    }
}

TEST(ModelQuery, HostApplicationRecords)
{
    auto pair = open_model("  5: 1\n",
                           "  - {type: 24, key: 1, text: \"WORD.EXE\", rows: [{function: 7, type: 2, value: 2}]}\n"
                           "  - {type: 24, key: 2, text: \"*PAD\", rows: [{function: 7, type: 2, value: 1}]}\n");
    struct Case {
        const WCHAR *commandLine;
        WORD index;
    };
    static const Case kCases[] = {
        {TEXT("\"C:\\Office\\word.exe\" /p"), 1},    // equal without case
        {TEXT("C:\\WINDOWS\\notepad.exe x.txt"), 2}, // "*PAD" inside the upper-cased name
        {TEXT("C:\\WINDOWS\\pad"), 2},
        {TEXT("excel.exe"), 0},
        {TEXT("wordpad.exe"), 2}, // not equal to WORD.EXE, but holds PAD
    };
    for (const Case &c : kCases) {
        qmt_PinCommandLine(c.commandLine);
        EXPECT_EQ(c.index, util_FindHostAppRecord(&pair->model, &pair->base));
    }
    qmt_PinCommandLine(nullptr);
    auto none = open_model("  5: 1\n");
    EXPECT_EQ(0, util_FindHostAppRecord(&none->model, &none->base));
}

} // namespace
