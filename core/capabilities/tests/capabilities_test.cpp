/*
 * Device capabilities over the sample printer: a sweep over every index with counts,
 * buffers and guard bytes, the fixed answers without preparation, papers by description
 * and by the device paper list, trays and their constraints, and the inputs DEVMODEs.
 */
#include "core/capabilities/capabilities.h"

#include "core/rules/tests/rules_fixture.h"
#include "core/stored/stored.h"
#include "core/util/resource_module.h"
#include "platform/testing/qm_testing.h"

#include <string.h>

#include <map>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\CAPABILITIES_TEST_LOG.txt");
}

namespace {

using rules_test::RulesFixture;

class CapabilitiesTest : public RulesFixture
{
public:
    /* The sample (or a variant of it, by file name) with the forms printer initialisation
       adds for its papers. */
    void OpenPrinter(const rules_test::Patches &patches = {}, const char *variant = nullptr, bool withSlotForm = true)
    {
        std::string source =
            variant ? std::string(QM_VARIANT_SOURCES "/") + variant : std::string(QM_SAMPLE_SOURCES "/QM50C1.yaml");
        std::u16string name = variant ? std::u16string(variant, variant + strlen(variant)) : u"Sample";
        ASSERT_NE(nullptr, OpenSample(patches, (const WCHAR *)name.c_str(), source));
        WCHAR slotForm[CUSTOM_SLOT_NAME_CHARS] = {};
        util_FormatUserDefinedName(0, slotForm, CUSTOM_SLOT_NAME_CHARS);
        slotName_ = slotForm;
        if (withSlotForm && !formAdded_) /* forms belong to the print server, not to one printer */
            AddPrinterForm(slotForm, 100000, 150000);
        formAdded_ = true;
        CloseSample();
    }
    LONG Ask(WORD index, void *output = nullptr, const DEVMODEW *input = nullptr)
    {
        return dc_DeviceCapabilities(printer_, TEXT("Sample"), index, output, input);
    }
    /* A list answer into a buffer of count elements with guard bytes behind it. */
    std::vector<BYTE> List(WORD index, DWORD element, LONG *count, const DEVMODEW *input = nullptr)
    {
        *count = Ask(index, nullptr, input);
        std::vector<BYTE> buffer((*count > 0 ? *count : 0) * element + 16, 0xCD);
        LONG again = Ask(index, buffer.data(), input);
        EXPECT_EQ(*count, again) << index;
        for (size_t i = buffer.size() - 16; i < buffer.size(); ++i)
            EXPECT_EQ(0xCD, buffer[i]) << index;
        buffer.resize(buffer.size() - 16);
        return buffer;
    }
    std::u16string slotName_;
    bool formAdded_ = false;
};

/* What a query may leave behind: blocks, open files, modules and printer handles. */
struct Leaks {
    DWORD blocks = qmt_LiveGlobalBlocks();
    DWORD handles = qmt_LiveHandles(QMT_HANDLE_ANY);
    DWORD modules = qmt_LiveModules();
    DWORD printers = qmt_LivePrinterHandles();
    void Expect(WORD index) const
    {
        EXPECT_EQ(blocks, qmt_LiveGlobalBlocks()) << index;
        EXPECT_EQ(handles, qmt_LiveHandles(QMT_HANDLE_ANY)) << index;
        EXPECT_EQ(modules, qmt_LiveModules()) << index;
        EXPECT_EQ(printers, qmt_LivePrinterHandles()) << index;
    }
};

TEST_F(CapabilitiesTest, SweepOverEveryIndex)
{
    OpenPrinter();
    std::map<WORD, LONG> values;
    for (WORD index = 0; index <= 40; ++index) {
        Leaks leaks;
        values[index] = Ask(index);
        leaks.Expect(index);
    }
    const std::map<WORD, LONG> expected = {
        {DC_FIELDS, -2}, /* replaced below */
        {DC_PAPERS, 5},
        {DC_PAPERSIZE, 5},
        {DC_MINEXTENT, MAKELONG(1000, 1500)},
        {DC_MAXEXTENT, MAKELONG(2159, 3556)},
        {DC_BINS, 4},
        {DC_DUPLEX, 0},
        {DC_SIZE, 220},
        {DC_EXTRA, 1384},
        {DC_VERSION, 1025},
        {DC_DRIVER, 8644},
        {DC_BINNAMES, 4},
        {DC_ENUMRESOLUTIONS, 3},
        {DC_FILEDEPENDENCIES, 0},
        {DC_TRUETYPE, 6},
        {DC_PAPERNAMES, 5},
        {DC_ORIENTATION, 90},
        {DC_COPIES, 999},
        {DC_COLLATE, 1},
        {DC_PRINTRATE, 0},
        {DC_PRINTRATEUNIT, 1},
        {DC_MEDIAREADY, 6},
        {DC_STAPLE, 0},
        {DC_PRINTRATEPPM, 0},
        {DC_COLORDEVICE, 0},
    };
    for (WORD index = 0; index <= 40; ++index) {
        auto e = expected.find(index);
        if (index == DC_FIELDS) {
            EXPECT_NE(-1, values[index]);
            continue;
        }
        EXPECT_EQ(e == expected.end() ? -1 : e->second, values[index]) << index;
    }
}

TEST_F(CapabilitiesTest, ListsIntoBuffers)
{
    OpenPrinter();
    DWORD blocks = qmt_LiveGlobalBlocks();
    LONG count = 0;
    std::vector<BYTE> papers = List(DC_PAPERS, 2, &count);
    std::vector<WORD> numbers((WORD *)papers.data(), (WORD *)papers.data() + count);
    EXPECT_EQ((std::vector<WORD>{1, 9, 11, 5, 119}), numbers);
    std::vector<BYTE> sizes = List(DC_PAPERSIZE, 8, &count);
    const LONG *s = (const LONG *)sizes.data();
    std::vector<LONG> flat(s, s + 2 * count);
    EXPECT_EQ((std::vector<LONG>{2159, 2794, 2100, 2970, 1480, 2100, 2159, 3556, 1000, 1500}), flat);
    std::vector<BYTE> names = List(DC_PAPERNAMES, 128, &count);
    const WCHAR *n = (const WCHAR *)names.data();
    EXPECT_EQ(u"Letter", std::u16string(n));
    EXPECT_EQ(u"A5", std::u16string(n + 2 * 64));
    EXPECT_EQ(slotName_, std::u16string(n + 4 * 64)); /* the slot's name setting: its default */

    std::vector<BYTE> bins = List(DC_BINS, 2, &count);
    std::vector<WORD> trays((WORD *)bins.data(), (WORD *)bins.data() + count);
    EXPECT_EQ((std::vector<WORD>{7, 257, 258, 4}), trays);
    std::vector<BYTE> binNames = List(DC_BINNAMES, 48, &count);
    EXPECT_EQ(u"Tray 1", std::u16string((const WCHAR *)binNames.data() + 24));

    std::vector<BYTE> resolutions = List(DC_ENUMRESOLUTIONS, 8, &count);
    const LONG *r = (const LONG *)resolutions.data();
    EXPECT_EQ((std::vector<LONG>{300, 300, 600, 600, 1200, 1200}), std::vector<LONG>(r, r + 2 * count));

    std::vector<BYTE> media = List(DC_MEDIAREADY, 128, &count);
    EXPECT_EQ(u"Legal", std::u16string((const WCHAR *)media.data() + 3 * 64));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
}

TEST_F(CapabilitiesTest, ColourDeviceByEntry5AndATrayNameCutAtItsCarriageReturn)
{
    struct Case {
        const char *entry;
        LONG expected;
    };
    static const Case cases[] = {{"  5: 2 ", 1}, {"  5: 18 ", 1}, {"  5: 3 ", -1}, {"  5: 0 ", -1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entry);
        std::string printer = std::string("P") + c.entry;
        std::u16string name(printer.begin(), printer.end());
        ASSERT_NE(nullptr,
                  OpenSample({{"  5: 1 ", c.entry}, {"caption: \"Bypass tray\"", "caption: \"Bypass\\rtray\""}},
                             (const WCHAR *)name.c_str()));
        CloseSample();
        EXPECT_EQ(c.expected, dc_DeviceCapabilities(printer_, nullptr, DC_COLORDEVICE, nullptr, nullptr));
        std::vector<WCHAR> names(4 * 24 + 8, u'#');
        ASSERT_EQ(4, dc_DeviceCapabilities(printer_, nullptr, DC_BINNAMES, names.data(), nullptr));
        EXPECT_EQ(u"Bypass", std::u16string(names.data() + 3 * 24));
        EXPECT_EQ(u'#', names[4 * 24]);
    }
}

TEST_F(CapabilitiesTest, FixedAnswersOpenNothing)
{
    HANDLE none = nullptr;
    for (WORD index : {DC_TRUETYPE, DC_ORIENTATION, DC_FILEDEPENDENCIES}) {
        DWORD blocks = qmt_LiveGlobalBlocks();
        WCHAR out[4] = {u'x', u'x', u'x', u'x'};
        LONG expected = index == DC_TRUETYPE ? 6 : index == DC_ORIENTATION ? 90 : 0;
        EXPECT_EQ(expected, dc_DeviceCapabilities(none, nullptr, index, out, nullptr));
        EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
        if (index == DC_FILEDEPENDENCIES) {
            EXPECT_EQ(0, out[0]);
        }
    }
    /* Without a printer whose model can be opened, every preparing row answers -1. */
    EXPECT_EQ(-1, dc_DeviceCapabilities(none, nullptr, DC_PAPERS, nullptr, nullptr));
    EXPECT_EQ(-1, dc_DeviceCapabilities(none, nullptr, DC_PRINTRATEUNIT, nullptr, nullptr));
    EXPECT_EQ(-1, dc_DeviceCapabilities(none, nullptr, 19, nullptr, nullptr));
}

TEST_F(CapabilitiesTest, InputDevmodesSetFieldsAndTheUserSize)
{
    OpenPrinter({{"  26: 0x00400001", "  26: 0x00400001"}});
    auto input = std::make_unique<DriverDevmode>(areas_->devmode);
    input->dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    input->dm.dmPaperSize = 11;
    std::vector<BYTE> publicOnly((BYTE *)input.get(), (BYTE *)input.get() + 156);
    ((DEVMODEW *)publicOnly.data())->dmSize = 156;
    ((DEVMODEW *)publicOnly.data())->dmDriverExtra = 0;
    LONG plain = Ask(DC_FIELDS);
    EXPECT_EQ(plain, Ask(DC_FIELDS, nullptr, (DEVMODEW *)publicOnly.data()));
    EXPECT_NE(-1, Ask(DC_FIELDS, nullptr, &input->dm));
}

/* DC_COPIES: entry 4, or 999 with capability bit 62 while 4365 (0 by default) lies below
 * the model minimum of 5; entry 4 again once the stored printer data holds 4365 at 5.
 * DC_DUPLEX follows the stored 4103. */
TEST_F(CapabilitiesTest, CopiesWithAndWithoutTheModelMinimum)
{
    OpenPrinter({}, "QMCAPCP.yaml");
    EXPECT_EQ(250, Ask(DC_COPIES));
    EXPECT_EQ(1, Ask(DC_PRINTRATEUNIT));
    OpenPrinter({}, "QMCAP62.yaml");
    EXPECT_EQ(999, Ask(DC_COPIES));
    EXPECT_EQ(0, Ask(DC_DUPLEX));

    /* Stored printer data with 4365 at the minimum and the duplex option on. */
    HANDLE admin = nullptr;
    PRINTER_DEFAULTSW rights = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(::OpenPrinterW((LPWSTR)TEXT("QMCAP62.yaml"), &admin, &rights));
    DriverContext *context = ddd_OpenContext(admin);
    ASSERT_NE(nullptr, context);
    Set(FID_MODEL_MINIMUM_VALUE, 5);
    Set(FID_OPTION_DUPLEX, 1);
    EXPECT_TRUE(pd_StorePrinterData(admin, &areas_->block, context, 1));
    ddd_CloseContext(context);
    ClosePrinter(admin);
    EXPECT_EQ(250, Ask(DC_COPIES));
    EXPECT_EQ(1, Ask(DC_DUPLEX));
    EXPECT_EQ(1, Ask(DC_PRINTRATEUNIT));
    EXPECT_EQ(-1, Ask(0));
    EXPECT_EQ(-1, Ask(19));
}

/* Papers 311 and 312 are never listed, though the media names hold them; the user size
 * is listed (as 256) once setting 5200 is on. */
TEST_F(CapabilitiesTest, PapersLeftOutAndTheUserSizeSwitch)
{
    OpenPrinter({}, "QMCAPPS.yaml");
    Leaks leaks;
    LONG count = 0;
    std::vector<BYTE> papers = List(DC_PAPERS, 2, &count);
    std::vector<WORD> numbers((WORD *)papers.data(), (WORD *)papers.data() + count);
    EXPECT_EQ((std::vector<WORD>{1, 9, 11, 5, 256, 119}), numbers);
    std::vector<BYTE> names = List(DC_PAPERNAMES, 128, &count);
    ASSERT_EQ(6, count);
    EXPECT_EQ(u"User defined size", std::u16string((const WCHAR *)names.data() + 4 * 64));
    std::vector<BYTE> sizes = List(DC_PAPERSIZE, 8, &count);
    EXPECT_EQ(6, count);
    std::vector<BYTE> media = List(DC_MEDIAREADY, 128, &count);
    ASSERT_EQ(8, count);
    EXPECT_EQ(u"Envelope A", std::u16string((const WCHAR *)media.data() + 6 * 64));
    EXPECT_EQ(u"Envelope B", std::u16string((const WCHAR *)media.data() + 7 * 64));
    leaks.Expect(DC_PAPERS);

    /* With 5200 off (the sample) the user size stays out. */
    OpenPrinter();
    EXPECT_EQ(5, Ask(DC_PAPERS));
}

/* A printer whose description file is missing: the rows that prepare answer -1, the fixed
 * rows their constants, and no query leaves anything open. */
TEST_F(CapabilitiesTest, AMissingModelFile)
{
    HANDLE printer = driver_files::InstallPrinter(TEXT("Lost"), u"C:\\drv\\QMLOST.DDD");
    ASSERT_NE(nullptr, printer);
    const std::map<WORD, LONG> fixed = {{DC_TRUETYPE, 6}, {DC_ORIENTATION, 90}, {DC_FILEDEPENDENCIES, 0}};
    for (WORD index = 0; index <= 40; ++index) {
        Leaks leaks;
        WCHAR out[4] = {u'x', u'x', u'x', u'x'};
        auto f = fixed.find(index);
        EXPECT_EQ(f == fixed.end() ? -1 : f->second, dc_DeviceCapabilities(printer, nullptr, index, nullptr, nullptr))
            << index;
        EXPECT_EQ(f == fixed.end() ? -1 : f->second, dc_DeviceCapabilities(printer, nullptr, index, out, nullptr))
            << index;
        leaks.Expect(index);
    }
    ClosePrinter(printer);
}

/* Input DEVMODEs held in buffers of exactly their declared size, public parts of every
 * length from the oldest to the full one and none behind them: each query reads within
 * them (the sanitizer build checks) and answers as without input where they hold nothing
 * of ours. */
TEST_F(CapabilitiesTest, ShortInputsAreReadWithinTheirSize)
{
    OpenPrinter();
    const LONG papers = Ask(DC_PAPERS);
    const LONG fields = Ask(DC_FIELDS);
    for (WORD size : {(WORD)72, (WORD)84, (WORD)120, (WORD)156}) {
        std::vector<BYTE> buffer(size, 0);
        DEVMODEW *input = (DEVMODEW *)buffer.data();
        memcpy(input, &areas_->devmode.dm, size);
        input->dmSize = size;
        input->dmDriverExtra = 0;
        Leaks leaks;
        for (WORD index : {DC_FIELDS, DC_PAPERS, DC_PAPERSIZE, DC_BINS, DC_COPIES, DC_MINEXTENT, DC_STAPLE}) {
            LONG answer = Ask(index, nullptr, input);
            EXPECT_NE(-1, answer) << size << " " << index;
            if (index == DC_PAPERS) {
                EXPECT_EQ(papers, answer) << size;
            }
        }
        if (size == 156) {
            EXPECT_EQ(fields, Ask(DC_FIELDS, nullptr, input));
        }
        leaks.Expect(size);
    }
}

/* Trays: one that conflicts with the default orientation is left out of both lists (and
 * their counts); under a field map whose "bin" table gives Tray 1 (private 257) the
 * Windows value 15, with the map's switch on, Tray 1 is listed as 15 under its own name,
 * the bypass tray (private 4) as the first built-in pair of 4 gives it. */
TEST_F(CapabilitiesTest, TraysUnderConstraintsAndTheBinMap)
{
    driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg", "[DME,1]\r\nbin.WindowsValue=1\r\nbin.TRAY4=15\r\n");
    OpenPrinter({}, "QMCAPBN.yaml");
    Leaks leaks;
    LONG count = 0;
    std::vector<BYTE> bins = List(DC_BINS, 2, &count);
    std::vector<WORD> trays((WORD *)bins.data(), (WORD *)bins.data() + count);
    EXPECT_EQ((std::vector<WORD>{7, 15, 5}), trays); /* the built-in pairs give manual 4 first as 5 */
    std::vector<BYTE> names = List(DC_BINNAMES, 48, &count);
    ASSERT_EQ(3, count);
    const WCHAR *n = (const WCHAR *)names.data();
    EXPECT_EQ(u"Automatic", std::u16string(n));
    EXPECT_EQ(u"Tray 1", std::u16string(n + 24));
    EXPECT_EQ(u"Bypass tray", std::u16string(n + 48));
    leaks.Expect(DC_BINS);
}

/* Stapling with 4101 and 5134 on, duplex with 4103 on; the tray name ending in the mark
 * before its carriage return loses the mark too once the resource module holds it. */
TEST_F(CapabilitiesTest, StaplingDuplexAndTheTrayNameMark)
{
    OpenPrinter({}, "QMCAPSD.yaml");
    EXPECT_EQ(1, Ask(DC_STAPLE));
    EXPECT_EQ(1, Ask(DC_DUPLEX));
    std::vector<WCHAR> names(4 * 24, u'#');
    ASSERT_EQ(4, Ask(DC_BINNAMES, names.data()));
    EXPECT_EQ(u"Bypass tray -", std::u16string(names.data() + 3 * 24));

    driver_files::CopyIn(driver_files::HostFile(QM_CAP_MODULE), u"qmcaptest.xrs");
    ASSERT_EQ(4, Ask(DC_BINNAMES, names.data()));
    EXPECT_EQ(u"Bypass tray", std::u16string(names.data() + 3 * 24));
    util_ReleaseResourceModule();
}

/* The custom slot's paper is shown through string 5174 with its name and its form's size
 * in millimetres when the resource module holds it, else by its name alone. */
TEST_F(CapabilitiesTest, TheCustomPaperNameWithItsFrame)
{
    driver_files::CopyIn(driver_files::HostFile(QM_CAP_MODULE), u"qmcaptest.xrs");
    OpenPrinter();
    EXPECT_EQ(u"Own size1", slotName_); /* the slot's form takes the module's name */
    LONG count = 0;
    std::vector<BYTE> names = List(DC_PAPERNAMES, 128, &count);
    ASSERT_EQ(5, count);
    EXPECT_EQ(Text(FID_SLOT_NAME) + u" (100 x 150 mm)", std::u16string((const WCHAR *)names.data() + 4 * 64));
    util_ReleaseResourceModule();
}

/* With the device paper list in use ("formdb.mode=1", 5201 on) the papers come from it:
 * the form numbers of the model's papers, 256 for the user size, then the printer's other
 * forms inside the custom range. */
TEST_F(CapabilitiesTest, PapersFromTheDevicePaperList)
{
    driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg", "[DME,1]\r\nformdb.mode=1\r\n");
    OpenPrinter({}, "QMCAPBN.yaml");
    AddPrinterForm(TEXT("Custom size"), 150000, 200000);
    Leaks leaks;
    LONG count = 0;
    std::vector<BYTE> papers = List(DC_PAPERS, 2, &count);
    std::vector<WORD> numbers((WORD *)papers.data(), (WORD *)papers.data() + count);
    EXPECT_EQ((std::vector<WORD>{1, 9, 11, 256, 120, 5, 2, 6}), numbers);
    std::vector<BYTE> sizes = List(DC_PAPERSIZE, 8, &count);
    const LONG *s = (const LONG *)sizes.data();
    EXPECT_EQ((std::vector<LONG>{
                  2159, 2794, 2100, 2970, 1480, 2100, 2100, 2970, 1500, 2000, 2159, 3556, 2159, 2794, 1397, 2159}),
              std::vector<LONG>(s, s + 2 * count));
    std::vector<BYTE> names = List(DC_PAPERNAMES, 128, &count);
    EXPECT_EQ(u"Statement", std::u16string((const WCHAR *)names.data() + 7 * 64));
    leaks.Expect(DC_PAPERS);
}

/* A device paper list that cannot be built (a model paper without its form) leaves the
 * answers to the description's paper items. */
TEST_F(CapabilitiesTest, PapersFallBackWhenTheListCannotBeBuilt)
{
    driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg", "[DME,1]\r\nformdb.mode=1\r\n");
    OpenPrinter({}, "QMCAPBN.yaml");
    LONG count = 0;
    std::vector<BYTE> papers = List(DC_PAPERS, 2, &count);
    std::vector<WORD> numbers((WORD *)papers.data(), (WORD *)papers.data() + count);
    EXPECT_EQ((std::vector<WORD>{1, 9, 11, 5, 119}), numbers);
}

/* The user size (256, listed with 5200 on) takes the input DEVMODE's width and length when
 * they lie in the size range of paper 262 (900 x 1480 to 2159 x 3556), else its record's
 * smallest size; an input of another model and one of this model with another paper
 * alike, since only their public fields count. */
TEST_F(CapabilitiesTest, TheUserSizeFollowsTheInput)
{
    OpenPrinter({}, "QMCAPPS.yaml");
    struct Case {
        const char *what;
        bool foreign;
        SHORT width, length;
        LONG shownWidth, shownHeight;
    };
    static const Case cases[] = {
        {"inside", false, 1200, 1800, 1200, 1800},
        {"too narrow", false, 500, 1800, 900, 1480},
        {"too long", false, 1200, 4000, 900, 1480},
        {"inside, another model", true, 2000, 3000, 2000, 3000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.foreign)
            areas_->set_text(FID_MODEL_NAME, TEXT("Another model"));
        auto input = std::make_unique<DriverDevmode>(areas_->devmode);
        input->dm.dmFields |= DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH;
        input->dm.dmPaperSize = 11; /* another paper than the printer's */
        input->dm.dmPaperWidth = c.width;
        input->dm.dmPaperLength = c.length;
        LONG count = 0;
        std::vector<BYTE> sizes = List(DC_PAPERSIZE, 8, &count, &input->dm);
        ASSERT_EQ(6, count);
        const LONG *s = (const LONG *)sizes.data();
        EXPECT_EQ(c.shownWidth, s[2 * 4]);
        EXPECT_EQ(c.shownHeight, s[2 * 4 + 1]);
        /* the smallest width and height over the papers: the custom slot's form is 1000 x 1500 */
        EXPECT_EQ(MAKELONG(c.shownWidth < 1000 ? c.shownWidth : 1000, c.shownHeight < 1500 ? c.shownHeight : 1500),
                  Ask(DC_MINEXTENT, nullptr, &input->dm));
    }
}

/* Collation by the device feature level: 1 (the sample) and 2 collate, 3 does not. */
TEST_F(CapabilitiesTest, CollationByTheDeviceFeatureLevel)
{
    OpenPrinter({}, "QMCAPL3.yaml");
    EXPECT_EQ(0, Ask(DC_COLLATE));
    EXPECT_EQ(1, Ask(DC_PRINTRATEUNIT));
    OpenPrinter({}, "QMCAPL2.yaml");
    EXPECT_EQ(1, Ask(DC_COLLATE));
    EXPECT_EQ(1, Ask(DC_PRINTRATEUNIT));
}

/* Without the form printer initialisation adds for the custom slot, its paper has no
 * number and is left out of all three lists, which stay aligned. */
TEST_F(CapabilitiesTest, APaperWithoutItsFormIsLeftOut)
{
    OpenPrinter({}, nullptr, false);
    LONG count = 0;
    std::vector<BYTE> papers = List(DC_PAPERS, 2, &count);
    EXPECT_EQ((std::vector<WORD>{1, 9, 11, 5}),
              std::vector<WORD>((WORD *)papers.data(), (WORD *)papers.data() + count));
    std::vector<BYTE> sizes = List(DC_PAPERSIZE, 8, &count);
    ASSERT_EQ(4, count);
    EXPECT_EQ(2159, ((const LONG *)sizes.data())[6]);
    EXPECT_EQ(3556, ((const LONG *)sizes.data())[7]);
    std::vector<BYTE> names = List(DC_PAPERNAMES, 128, &count);
    ASSERT_EQ(4, count);
    EXPECT_EQ(u"Legal", std::u16string((const WCHAR *)names.data() + 3 * 64));
    EXPECT_EQ(MAKELONG(1480, 2100), Ask(DC_MINEXTENT));
}

} // namespace
