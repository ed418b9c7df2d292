/*
 * The DEVMODE merge over the sample printer: inputs placed at the very end of their
 * allocation and left untouched, short and public-only inputs, a full DEVMODE of this
 * model, the public fields one by one, and the field map of the traced merge.
 */
#include "core/devmode_merge/devmode_merge.h"

#include "core/rules/tests/rules_fixture.h"
#include "core/trace/trace.h"

#include <string.h>

namespace {

using rules_test::RulesFixture;

const WCHAR kLogPath[] = TEXT("C:\\DEBUG_LOG\\WIN2000\\MERGE_TEST_LOG.txt");

/* An input of dmSize + dmDriverExtra bytes at the end of its own allocation. */
struct Input {
    std::vector<BYTE> bytes;
    DEVMODEW *dm()
    {
        return (DEVMODEW *)bytes.data();
    }
    Input(const DriverDevmode &from, WORD dmSize, WORD driverExtra)
    {
        bytes.assign((const BYTE *)&from, (const BYTE *)&from + dmSize + driverExtra);
        dm()->dmSize = dmSize;
        dm()->dmDriverExtra = driverExtra;
    }
};

class MergeTest : public RulesFixture
{
public:
    void Config(const std::string &text)
    {
        driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg", text);
    }
    BOOL Merge(Input &input, WORD command = HC_VALIDATE, bool traced = false)
    {
        std::vector<BYTE> before = input.bytes;
        BOOL result =
            traced ? dm_MergeDevmodeTraced(context_, output_.get(), input.dm(), &areas_->block, printer_, command)
                   : dm_MergeDevmode(context_, output_.get(), input.dm(), &areas_->block, printer_, command);
        EXPECT_EQ(before, input.bytes); /* the caller's input stays as it was */
        return result;
    }
    LONG Out(WORD functionId)
    {
        return Get(functionId, output_.get());
    }
    void Prepare()
    {
        output_ = std::make_unique<DriverDevmode>(areas_->devmode);
    }
    std::unique_ptr<DriverDevmode> output_;
};

TEST_F(MergeTest, PublicFieldsWhenSupportedAnnouncedAndValid)
{
    ASSERT_NE(nullptr, OpenSample());
    Prepare();
    const DriverDevmode defaults = areas_->devmode;
    struct Case {
        const char *what;
        WORD functionId;
        LONG value;
        DWORD announced;
        LONG expected;
    };
    static const Case cases[] = {
        {"copies announced", FID_COPIES, 5, DM_COPIES, 5},
        {"copies 0 refused", FID_COPIES, 0, DM_COPIES, 1},
        {"copies not announced", FID_COPIES, 5, DM_ORIENTATION, 1},
        {"orientation", FID_ORIENTATION, 2, DM_ORIENTATION, 2},
        {"duplex out of its options", FID_DUPLEX, 9, DM_DUPLEX, 1},
        {"collate", FID_COLLATE, 0, DM_COLLATE, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        areas_->devmode = defaults;
        *output_ = defaults;
        Set(c.functionId, c.value);
        SetText(FID_MODEL_NAME, TEXT("Another model")); /* a foreign model */
        Set(FID_FIELDS, (LONG)c.announced);
        Input input(areas_->devmode, 220, 0);
        ASSERT_TRUE(Merge(input));
        EXPECT_EQ(c.expected, Out(c.functionId));
    }
}

TEST_F(MergeTest, ShortInputsAreNotMergedButEnforcedSettingsApply)
{
    Config("[Model_50_C_1]\r\nColorMode.enforced=gray\r\n");
    ASSERT_NE(nullptr, OpenSample());
    Set(FID_COLOR_MODE, 2);
    Prepare();
    Set(FID_COPIES, 5);
    Set(FID_FIELDS, DM_COPIES);
    for (WORD dmSize : {(WORD)156, (WORD)200}) {
        SCOPED_TRACE(dmSize);
        output_->dm.dmCopies = 1;
        Input input(areas_->devmode, dmSize, 0);
        ASSERT_TRUE(Merge(input));
        EXPECT_EQ(dmSize >= 188 ? 5 : 1, Out(FID_COPIES));
        EXPECT_EQ(1, Out(FID_COLOR_MODE)); /* enforced gray */
    }
    EXPECT_TRUE(dm_MergeDevmode(context_, output_.get(), nullptr, &areas_->block, printer_, HC_VALIDATE));
    EXPECT_FALSE(dm_MergeDevmode(context_, nullptr, &areas_->devmode.dm, &areas_->block, printer_, HC_VALIDATE));
    EXPECT_FALSE(dm_MergeDevmode(context_, output_.get(), &areas_->devmode.dm, nullptr, printer_, HC_VALIDATE));
}

TEST_F(MergeTest, AFullDevmodeOfThisModelBringsItsPrivatePart)
{
    ASSERT_NE(nullptr, OpenSample());
    Prepare();
    Set(FID_SOURCE_CHOICE, 1);
    Set(FID_COLOR_345, 1);
    Set(FID_FIELDS, 0);
    Set(FID_SCALE, 50);
    Input full(areas_->devmode, 220, 1384);
    /* Its 258 differs from the output's: the output keeps its own. */
    ((WORD *)(full.bytes.data() + 222))[0] = 1234;
    ASSERT_TRUE(Merge(full));
    EXPECT_EQ(1, Out(FID_SOURCE_CHOICE));
    EXPECT_EQ(1, Out(FID_COLOR_345));
    EXPECT_EQ(8644, Out(FID_LAYOUT_ID));

    /* A same-model input with 1324 off loses DM_SCALE; a foreign one keeps it. */
    Set(FID_SCALE, 100);
    Prepare();
    Set(FID_SCALE, 50);
    Set(FID_FIELDS, DM_SCALE);
    Set(FID_SCALE_ANNOUNCED, 0);
    Input scaled(areas_->devmode, 220, 1384);
    ASSERT_TRUE(Merge(scaled));
    EXPECT_EQ(100, Out(FID_SCALE));
    Prepare();
    SetText(FID_MODEL_NAME, TEXT("Another model"));
    Input foreign(areas_->devmode, 220, 1384);
    ASSERT_TRUE(Merge(foreign));
    EXPECT_EQ(50, Out(FID_SCALE));
    Prepare();
    Input publicOnly(areas_->devmode, 220, 0);
    ASSERT_TRUE(Merge(publicOnly));
    EXPECT_EQ(50, Out(FID_SCALE));
}

TEST_F(MergeTest, TheTracedMergeTranslatesThroughTheMap)
{
    Config("[DME,1]\r\nbin.WindowsValue=1\r\n");
    ASSERT_NE(nullptr, OpenSample());
    ASSERT_NE(nullptr, context_->fieldMap);
    EXPECT_EQ(1u, context_->fieldMap->active);
    Prepare();
    SetText(FID_MODEL_NAME, TEXT("Another model"));
    Set(FID_DEFAULT_SOURCE, 14); /* DMBIN_CASSETTE */
    Set(FID_FIELDS, DM_DEFAULTSOURCE);
    Input input(areas_->devmode, 220, 0);

    /* 5201 off: the map is not in use; 14 is no option of the source: refused. */
    Set(FID_FIELD_MAP_SWITCH, 0);
    ASSERT_TRUE(Merge(input, HC_VALIDATE, true));
    EXPECT_EQ(7, Out(FID_DEFAULT_SOURCE));

    /* 5201 on: 14 becomes private 1, which the active map lets through. */
    Set(FID_FIELD_MAP_SWITCH, 1);
    ASSERT_TRUE(Merge(input, HC_VALIDATE, true));
    EXPECT_EQ(1, Out(FID_DEFAULT_SOURCE));

    /* Tracing is off: the traced merge wrote nothing. */
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(kLogPath));

    /* The plain merge never translates; the handler of dmDefaultSource still consults the
       active map, so 14 goes through as it is. */
    output_->dm.dmDefaultSource = 7;
    ASSERT_TRUE(Merge(input));
    EXPECT_EQ(14, Out(FID_DEFAULT_SOURCE));
}

TEST_F(MergeTest, TheTracedMergeDumpsInputAndOutput)
{
    driver_files::WriteFileBytes(u"C:\\drv\\qmkelv.cfg", "[LOG]\r\nLog=0xF\r\n");
    Config("[default]\r\n");
    ASSERT_NE(nullptr, OpenSample());
    Prepare();
    Input input(areas_->devmode, 220, 0);
    ASSERT_TRUE(Merge(input, HC_VALIDATE, true));
    HANDLE file = CreateFileW(kLogPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::string text(65536, '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), (DWORD)text.size(), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    size_t in = text.find("Input DEVMODE(Public)");
    size_t fields = text.find("Input DEVMODE(dmFields)");
    size_t privatePart = text.find("Input DEVMODE(Private)");
    size_t out = text.find("Output DEVMODE(Public)");
    size_t outPrivate = text.find("Output DEVMODE(Private)");
    ASSERT_NE(std::string::npos, in);
    EXPECT_LT(in, fields);
    EXPECT_LT(fields, privatePart);
    EXPECT_LT(privatePart, out);
    EXPECT_LT(out, outPrivate);
    EXPECT_NE(std::string::npos, outPrivate);
}

} // namespace
