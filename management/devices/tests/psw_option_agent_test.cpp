/*
 * The option object against a real agent: a printer with a finisher punching 2 and 4
 * holes, a second high-capacity feeder, a 500-sheet A4 tray half full, a manual feeder,
 * duplex and a booklet unit answers every option name, over version 1 and SNMPv3; the
 * model check at Init; a controller description of another form; a missing object.
 */
#include <string>
#include <vector>

#include "management/base/pmc_status.h"
#include "management/devices/psw_device_status.h"
#include "management/devices/psw_marl_option.h"
#include "management/devices/tests/pmc_agent_fixture.h"
#include "management/logging/pmc_log.h"
#include "management/network/pmc_address_text.h"

namespace {

/* The devices: controller, hard disk, finisher with 2/4 hole punch, HCF2, booklet unit;
 * columns index (.1), type (.2), description (.3), status (.5). */
const char kDevices[] = ".1.3.6.1.2.1.25.3.2.1.1.10 integer 10\n"
                        ".1.3.6.1.2.1.25.3.2.1.1.11 integer 11\n"
                        ".1.3.6.1.2.1.25.3.2.1.1.105 integer 105\n"
                        ".1.3.6.1.2.1.25.3.2.1.1.122 integer 122\n"
                        ".1.3.6.1.2.1.25.3.2.1.1.123 integer 123\n"
                        ".1.3.6.1.2.1.25.3.2.1.1.124 integer 124\n"
                        ".1.3.6.1.2.1.25.3.2.1.1.129 integer 129\n"
                        ".1.3.6.1.2.1.25.3.2.1.1.133 integer 133\n"
                        ".1.3.6.1.2.1.25.3.2.1.2.10 objectid .1.3.6.1.2.1.25.3.1.3\n"
                        ".1.3.6.1.2.1.25.3.2.1.2.11 objectid .1.3.6.1.2.1.25.3.1.6\n"
                        ".1.3.6.1.2.1.25.3.2.1.2.105 objectid .1.3.6.1.4.1.99941.8.52.2.105\n"
                        ".1.3.6.1.2.1.25.3.2.1.2.122 objectid .1.3.6.1.4.1.99941.8.52.2.1\n"
                        ".1.3.6.1.2.1.25.3.2.1.2.123 objectid .1.3.6.1.4.1.99941.8.52.2.1\n"
                        ".1.3.6.1.2.1.25.3.2.1.2.124 objectid .1.3.6.1.4.1.99941.8.52.2.1\n"
                        ".1.3.6.1.2.1.25.3.2.1.2.129 objectid .1.3.6.1.4.1.99941.8.52.2.1\n"
                        ".1.3.6.1.2.1.25.3.2.1.2.133 objectid .1.3.6.1.4.1.99941.8.52.2.1\n"
                        "@CONTROLLER@"
                        ".1.3.6.1.2.1.25.3.2.1.3.11 string Hard Disk\n"
                        ".1.3.6.1.2.1.25.3.2.1.3.105 string Network Interface\n"
                        ".1.3.6.1.2.1.25.3.2.1.3.122 string Punch Unit 2 Holes\n"
                        ".1.3.6.1.2.1.25.3.2.1.3.123 string Finisher\n"
                        ".1.3.6.1.2.1.25.3.2.1.3.124 string Booklet Unit\n"
                        ".1.3.6.1.2.1.25.3.2.1.3.129 string Punch Unit 4 Holes\n"
                        ".1.3.6.1.2.1.25.3.2.1.3.133 string High Capacity Feeder 2\n"
                        ".1.3.6.1.2.1.25.3.2.1.5.10 integer 2\n"
                        ".1.3.6.1.2.1.25.3.2.1.5.11 integer 2\n"
                        ".1.3.6.1.2.1.25.3.2.1.5.105 integer 2\n"
                        ".1.3.6.1.2.1.25.3.2.1.5.122 integer 2\n"
                        ".1.3.6.1.2.1.25.3.2.1.5.123 integer 2\n"
                        ".1.3.6.1.2.1.25.3.2.1.5.124 integer 2\n"
                        ".1.3.6.1.2.1.25.3.2.1.5.129 integer 2\n"
                        ".1.3.6.1.2.1.25.3.2.1.5.133 integer 3\n";

const char kController[] = ".1.3.6.1.2.1.25.3.2.1.3.10 string Printer Controller v1.2.3 - Processor\n";

/* The input trays (prtInputTable columns 2-13, 18, 21, 22): the 500-sheet A4 tray at 250,
 * the manual feeder (type 5, nothing known), the high-capacity feeder in another unit. */
const char kInputTrays[] = ".1.3.6.1.2.1.43.8.2.1.2.1.1 integer 4\n"
                           ".1.3.6.1.2.1.43.8.2.1.2.1.2 integer 5\n"
                           ".1.3.6.1.2.1.43.8.2.1.2.1.3 integer 4\n"
                           ".1.3.6.1.2.1.43.8.2.1.3.1.1 integer 4\n"
                           ".1.3.6.1.2.1.43.8.2.1.3.1.2 integer 4\n"
                           ".1.3.6.1.2.1.43.8.2.1.3.1.3 integer 3\n"
                           ".1.3.6.1.2.1.43.8.2.1.4.1.1 integer 297000\n"
                           ".1.3.6.1.2.1.43.8.2.1.4.1.2 integer -1\n"
                           ".1.3.6.1.2.1.43.8.2.1.4.1.3 integer 110000\n"
                           ".1.3.6.1.2.1.43.8.2.1.5.1.1 integer 210000\n"
                           ".1.3.6.1.2.1.43.8.2.1.5.1.2 integer -1\n"
                           ".1.3.6.1.2.1.43.8.2.1.5.1.3 integer 85000\n"
                           ".1.3.6.1.2.1.43.8.2.1.6.1.1 integer 297000\n"
                           ".1.3.6.1.2.1.43.8.2.1.6.1.2 integer -1\n"
                           ".1.3.6.1.2.1.43.8.2.1.6.1.3 integer 110000\n"
                           ".1.3.6.1.2.1.43.8.2.1.7.1.1 integer 210000\n"
                           ".1.3.6.1.2.1.43.8.2.1.7.1.2 integer -1\n"
                           ".1.3.6.1.2.1.43.8.2.1.7.1.3 integer 85000\n"
                           ".1.3.6.1.2.1.43.8.2.1.8.1.1 integer 8\n"
                           ".1.3.6.1.2.1.43.8.2.1.8.1.2 integer 8\n"
                           ".1.3.6.1.2.1.43.8.2.1.8.1.3 integer 13\n"
                           ".1.3.6.1.2.1.43.8.2.1.9.1.1 integer 500\n"
                           ".1.3.6.1.2.1.43.8.2.1.9.1.2 integer 100\n"
                           ".1.3.6.1.2.1.43.8.2.1.9.1.3 integer 2000\n"
                           ".1.3.6.1.2.1.43.8.2.1.10.1.1 integer 250\n"
                           ".1.3.6.1.2.1.43.8.2.1.10.1.2 integer -3\n"
                           ".1.3.6.1.2.1.43.8.2.1.10.1.3 integer 1000\n"
                           ".1.3.6.1.2.1.43.8.2.1.11.1.1 integer 0\n"
                           ".1.3.6.1.2.1.43.8.2.1.11.1.2 integer 0\n"
                           ".1.3.6.1.2.1.43.8.2.1.11.1.3 integer 0\n"
                           ".1.3.6.1.2.1.43.8.2.1.12.1.1 string A4\n"
                           ".1.3.6.1.2.1.43.8.2.1.12.1.2 string unknown\n"
                           ".1.3.6.1.2.1.43.8.2.1.12.1.3 string Letter\n"
                           ".1.3.6.1.2.1.43.8.2.1.13.1.1 string Tray 1\n"
                           ".1.3.6.1.2.1.43.8.2.1.13.1.2 string Bypass\n"
                           ".1.3.6.1.2.1.43.8.2.1.13.1.3 string HCF\n"
                           ".1.3.6.1.2.1.43.8.2.1.18.1.1 string Tray 1 (500 sheets)\n"
                           ".1.3.6.1.2.1.43.8.2.1.18.1.2 string Manual feeder\n"
                           ".1.3.6.1.2.1.43.8.2.1.18.1.3 string High capacity feeder\n"
                           ".1.3.6.1.2.1.43.8.2.1.21.1.1 string stationery\n"
                           ".1.3.6.1.2.1.43.8.2.1.21.1.2 string thick\n"
                           ".1.3.6.1.2.1.43.8.2.1.21.1.3 string recycled\n"
                           ".1.3.6.1.2.1.43.8.2.1.22.1.1 string white\n"
                           ".1.3.6.1.2.1.43.8.2.1.22.1.2 string white\n"
                           ".1.3.6.1.2.1.43.8.2.1.22.1.3 string white\n";

/* System, memory, output trays (columns 2, 6, 7, 12, 24), supplies (one toner and the
 * finisher's staples), media paths (one duplex), and the private objects. */
const char kRest[] = ".1.3.6.1.2.1.1.2.0 objectid .1.3.6.1.4.1.99953.1.11.93.1.33.5.1\n"
                     ".1.3.6.1.2.1.1.5.0 string ornet-7701\n"
                     ".1.3.6.1.2.1.25.2.2.0 integer 786432\n"
                     ".1.3.6.1.2.1.43.9.2.1.2.1.1 integer 3\n"
                     ".1.3.6.1.2.1.43.9.2.1.2.1.2 integer 3\n"
                     ".1.3.6.1.2.1.43.9.2.1.6.1.1 integer 0\n"
                     ".1.3.6.1.2.1.43.9.2.1.6.1.2 integer 0\n"
                     ".1.3.6.1.2.1.43.9.2.1.7.1.1 string Center Tray\n"
                     ".1.3.6.1.2.1.43.9.2.1.7.1.2 string Finisher Tray\n"
                     ".1.3.6.1.2.1.43.9.2.1.12.1.1 string Center output\n"
                     ".1.3.6.1.2.1.43.9.2.1.12.1.2 string Finisher output\n"
                     ".1.3.6.1.2.1.43.9.2.1.24.1.1 integer 4\n"
                     ".1.3.6.1.2.1.43.9.2.1.24.1.2 integer 3\n"
                     ".1.3.6.1.2.1.43.11.1.1.5.1.1 integer 3\n"
                     ".1.3.6.1.2.1.43.11.1.1.5.1.2 integer 32\n"
                     ".1.3.6.1.2.1.43.11.1.1.6.1.1 string Black Toner\n"
                     ".1.3.6.1.2.1.43.11.1.1.6.1.2 string Staple Cartridge\n"
                     ".1.3.6.1.2.1.43.11.1.1.7.1.1 integer 13\n"
                     ".1.3.6.1.2.1.43.11.1.1.7.1.2 integer 4\n"
                     ".1.3.6.1.2.1.43.11.1.1.8.1.1 integer 100\n"
                     ".1.3.6.1.2.1.43.11.1.1.8.1.2 integer 5000\n"
                     ".1.3.6.1.2.1.43.11.1.1.9.1.1 integer 60\n"
                     ".1.3.6.1.2.1.43.11.1.1.9.1.2 integer -3\n"
                     ".1.3.6.1.2.1.43.13.4.1.9.1.1 integer 5\n"
                     ".1.3.6.1.2.1.43.13.4.1.9.1.2 integer 3\n"
                     ".1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.1 integer 2\n"
                     ".1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.2 integer 1\n"
                     ".1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.5 integer 8\n"
                     ".1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.6 integer 1\n"
                     ".1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.7 integer -1\n"
                     ".1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.10 integer 7\n"
                     ".1.3.6.1.4.1.99941.8.53.13.2.1.6.1.1.11 integer 9\n"
                     ".1.3.6.1.4.1.99941.8.53.13.2.1.8.124.6.1 string Max Impression = 50\n"
                     ".1.3.6.1.2.1.43.18.1.1.2.1.1 integer 3\n"
                     ".1.3.6.1.2.1.43.18.1.1.2.1.2 integer 4\n"
                     ".1.3.6.1.2.1.43.18.1.1.4.1.1 integer 8\n"
                     ".1.3.6.1.2.1.43.18.1.1.4.1.2 integer 11\n"
                     ".1.3.6.1.2.1.43.18.1.1.5.1.1 integer 1\n"
                     ".1.3.6.1.2.1.43.18.1.1.5.1.2 integer 1\n"
                     ".1.3.6.1.2.1.43.18.1.1.6.1.1 integer 0\n"
                     ".1.3.6.1.2.1.43.18.1.1.6.1.2 integer 0\n"
                     ".1.3.6.1.2.1.43.18.1.1.7.1.1 integer 808\n"
                     ".1.3.6.1.2.1.43.18.1.1.7.1.2 integer 1104\n"
                     ".1.3.6.1.2.1.43.18.1.1.8.1.1 string Tray 1 is empty\n"
                     ".1.3.6.1.2.1.43.18.1.1.8.1.2 string Toner low\n"
                     "@NETWARE@";

const char kNetWare[] = ".1.3.6.1.4.1.99941.8.64.4.2.1.7.10.19159104 string ORNET_7701\n";

/* replace: the text with its first `mark` replaced. */
std::string replace(std::string text, const std::string &mark, const std::string &by)
{
    size_t at = text.find(mark);
    return at == std::string::npos ? text : text.replace(at, mark.size(), by);
}

/* The scenario printer; its controller line and NetWare line can be swapped. */
std::string printer(const std::string &controller = kController, const std::string &netware = kNetWare)
{
    return replace(replace(kDevices, "@CONTROLLER@", controller) + kInputTrays + kRest, "@NETWARE@", netware);
}

/* The option object with the finisher's supply flags in view. */
class OptionView : public CPSWMarlOption
{
public:
    int32_t read_supplies()
    {
        return refresh_prt_marker_supplies_table();
    }
    bool staples() const
    {
        return m_staple_supply;
    }
    bool no_staples() const
    {
        return m_no_staple_supply;
    }
};

class OptionAgentTest : public AgentFixture
{
protected:
    void SetUp() override
    {
        AgentFixture::SetUp();
        IPmcLogger *log = pmc_static_logger(PMC_LOGGER_PSW);
        log->add_output(&m_psw);
        log->set_level_mask(PMC_LOG_ALL);
        log->set_header_flags(0);
        m_usm = pmc_create_plugin_usm(nullptr);
    }
    void TearDown() override
    {
        if (m_usm)
            m_usm->release();
        AgentFixture::TearDown();
    }
    RecordingOutput m_psw;
    IPSWPluginUSM *m_usm = nullptr;
};

/* The SNMPv3 users of the agent, and version 1. */
struct Version {
    const char *label;
    int32_t version;
    PSWUSMParams params;
};

std::vector<Version> versions()
{
    PSWUSMParams vdrivers = usm_params("Vdrivers", 2, 1, 1, "Wq8rNz2kLp5vBt7yHd3m", "Fs6jKc1xQe9uGa4oPb0n");
    return {{"v1", -1, PSWUSMParams()}, {"Vdrivers", 2, vdrivers}, {"shaaes", 2, shaaes_params()}};
}

TEST_F(OptionAgentTest, ScenarioAnswersEveryOptionName)
{
    write_fixture(printer());
    struct BooleanCase {
        const char *name;
        bool value;
    } booleans[] = {
        {"Scanner", false},
        {"Copier", false},
        {"HardDisk", true},
        {"DuplexModule", true},
        {"InTrayMSI", true},
        {"InTrayHCF2", true},
        {"InTrayHCFA3", false},
        {"InTrayHCFA3_2", false},
        {"OutTrayHCS", false},
        {"Finisher", true},
        {"FinisherStaple", false},
        {"FinisherPunch", true},
        {"FinisherPunchHole2_4", true},
        {"FinisherPunchHole2_3", false},
        {"FinisherPunchHole3", false},
        {"FinisherPunchHole4", false},
        {"FinisherBooklet", true},
        {"FinisherFolder", false},
        {"TrimmerSquareFold", false},
    };
    struct IntegerCase {
        const char *name;
        int32_t index;
        int32_t value;
    } integers[] = {
        {"MemorySizeInKByte", 0, 786432},
        {"MemorySizeInMByte", 0, 768},
        {"NumberOfInputTray", 0, 3},
        {"InputTrayIndex", 0, 1},
        {"InputTrayType", 0, 4},
        {"InputTrayMediaSize", 0, 25},
        {"InputTrayMediaDirection", 0, 3},
        {"InputTrayMaxCapacityInSheets", 0, 500},
        {"InputTrayCurrentLevelInPercent", 0, 50},
        {"InputTrayMediaDimFeedDirChosen", 0, 297000},
        {"InputTrayMediaDimXFeedDirChosen", 0, 210000},
        {"InputTrayIndex", 1, 2},
        {"InputTrayType", 1, 5},
        {"InputTrayMediaSize", 1, 10000}, /* nothing known */
        {"InputTrayMediaDirection", 1, 1},
        {"InputTrayMaxCapacityInSheets", 1, 100},
        {"InputTrayCurrentLevelInPercent", 1, -1}, /* current -3 */
        {"InputTrayMediaDimFeedDirChosen", 1, -1},
        {"InputTrayIndex", 2, 3},
        {"InputTrayMediaSize", 2, 10000}, /* unit 3: no size */
        {"InputTrayMediaDirection", 2, 1},
        {"InputTrayMaxCapacityInSheets", 2, -1}, /* capacity unit 13 */
        {"InputTrayCurrentLevelInPercent", 2, -1},
        {"InputTrayMediaDimXFeedDirChosen", 2, 85000},
        {"PrinterRomVersionMajor", 0, 1},
        {"PrinterRomVersionMinor", 0, 2},
        {"PrinterRomVersionRevision", 0, 3},
        {"PaperSizeGroupSetting", 0, 2},
        {"PaperSize8KSetting", 0, 1},
        {"FinisherBookletImpression", 0, 50},
        {"FinisherType", 0, 5},
        {"UserPromptSetting", 0, 1},
        {"MinPasswordLength", 0, 8},
        {"PrintLimitedOffCoating1", 0, 0},           /* -1 leaves it */
        {"TrimmingShiftValueStationaryPaper", 0, 0}, /* only with a trimmer unit */
        {"TrimmingShiftValueThickPaper", 0, 0},
    };
    struct TextCase {
        const char *name;
        int32_t index;
        const char *value;
    } texts[] = {
        {"PrinterRomVersion", 0, "Printer Controller v1.2.3 - Processor"},
        {"SysName", 0, "ornet-7701"},
        {"NetWareSAPUnitName", 0, "ORNET_7701"},
        {"InputTrayName", 0, "Tray 1"},
        {"InputTrayDescription", 0, "Tray 1 (500 sheets)"},
        {"InputTrayMediaType", 0, "stationery"},
        {"InputTrayName", 1, "Bypass"},
        {"InputTrayDescription", 2, "High capacity feeder"},
        {"InputTrayMediaType", 2, "recycled"},
    };
    for (const Version &v : versions()) {
        m_usm->load(v.version, v.params);
        CPSWMarlOption *option = new CPSWMarlOption();
        ASSERT_NE(nullptr, option);
        ASSERT_EQ(PMC_OK, option->Init(PMC_PROTOCOL_IPV4, "127.0.0.1", m_usm, 1000, 1, 0)) << v.label;
        ASSERT_EQ(PMC_OK, option->refresh_options()) << v.label;
        for (const BooleanCase &c : booleans) {
            bool value = !c.value;
            EXPECT_EQ(PMC_OK, option->get_option(c.name, &value, 0)) << v.label << " " << c.name;
            EXPECT_EQ(c.value, value) << v.label << " " << c.name;
        }
        for (const IntegerCase &c : integers) {
            int32_t value = -12345;
            EXPECT_EQ(PMC_OK, option->get_option(c.name, &value, c.index)) << v.label << " " << c.name;
            EXPECT_EQ(c.value, value) << v.label << " " << c.name << " " << c.index;
        }
        for (const TextCase &c : texts) {
            const char *value = nullptr;
            ASSERT_EQ(PMC_OK, option->get_option(c.name, &value, c.index)) << v.label << " " << c.name;
            EXPECT_STREQ(c.value, value) << v.label << " " << c.name << " " << c.index;
        }
        int32_t unused = 0;
        EXPECT_EQ(-11, option->get_option("InputTrayType", &unused, 3)) << v.label;
        /* A second refresh starts from empty data and reads the same. */
        ASSERT_EQ(PMC_OK, option->refresh_options()) << v.label;
        EXPECT_EQ(PMC_OK, option->get_option("NumberOfInputTray", &unused, 0));
        EXPECT_EQ(3, unused);
        option->destroy();
    }
    EXPECT_TRUE(m_psw.lines.empty());
}

TEST_F(OptionAgentTest, FinisherSuppliesTellStaplesFromOthers)
{
    write_fixture(printer());
    OptionView option;
    ASSERT_EQ(PMC_OK, option.Init(PMC_PROTOCOL_IPV4, "127.0.0.1", m_usm, 1000, 1, 0));
    EXPECT_EQ(PMC_OK, option.read_supplies()); /* no finisher known yet: nothing read */
    EXPECT_FALSE(option.staples());
    EXPECT_FALSE(option.no_staples());
    ASSERT_EQ(PMC_OK, option.refresh_options());
    EXPECT_EQ(PMC_OK, option.read_supplies());
    EXPECT_TRUE(option.staples());
    EXPECT_FALSE(option.no_staples());
    write_fixture(
        replace(printer(), ".1.3.6.1.2.1.43.11.1.1.5.1.2 integer 32", ".1.3.6.1.2.1.43.11.1.1.5.1.2 integer 4"));
    EXPECT_EQ(PMC_OK, option.read_supplies());
    EXPECT_FALSE(option.staples());
    EXPECT_TRUE(option.no_staples());
}

TEST_F(OptionAgentTest, ModelCheckAtInit)
{
    struct Case {
        const char *sys_object_id;
        int protocol;
        int32_t code;
        const char *stored; /* the sysObjectID kept, null when none was read */
    } cases[] = {
        {".1.3.6.1.4.1.99953.1.11.93.1.33.5.1", PMC_PROTOCOL_IPV4, PMC_OK, "1.3.6.1.4.1.99953.1.11.93.1.33.5.1"},
        {".1.3.6.1.4.1.99953.1.11.93.1.33.7.1", PMC_PROTOCOL_IPV4, PMC_OK, "1.3.6.1.4.1.99953.1.11.93.1.33.7.1"},
        {".1.3.6.1.4.1.99953.1.11.93.1.33.5.1.4.2",
         PMC_PROTOCOL_IPV4,
         PMC_OK,
         "1.3.6.1.4.1.99953.1.11.93.1.33.5.1.4.2"},
        {".1.3.6.1.4.1.99953.1.11.93.1.33.5.10", PMC_PROTOCOL_IPV4, PMC_E_ARG, "1.3.6.1.4.1.99953.1.11.93.1.33.5.10"},
        {".1.3.6.1.4.1.99953.1.11.93.1.33.6.1", PMC_PROTOCOL_IPV4, PMC_E_ARG, "1.3.6.1.4.1.99953.1.11.93.1.33.6.1"},
        {".1.3.6.1.4.1.99953.1.11.93.1.33", PMC_PROTOCOL_IPV4, PMC_E_ARG, "1.3.6.1.4.1.99953.1.11.93.1.33"},
        /* An IPv4 address given as IPv6: refused before anything is read. */
        {".1.3.6.1.4.1.99953.1.11.93.1.33.5.1", PMC_PROTOCOL_IPV6, PMC_E_ARG, nullptr},
    };
    for (const Case &c : cases) {
        write_fixture(std::string(".1.3.6.1.2.1.1.2.0 objectid ") + c.sys_object_id + "\n");
        CPSWMarlOption *option = new CPSWMarlOption();
        ASSERT_NE(nullptr, option);
        EXPECT_EQ(c.code, option->Init(c.protocol, "127.0.0.1", m_usm, 1000, 1, 0)) << c.sys_object_id;
        if (c.stored) {
            EXPECT_TRUE(option->is_supported_OID(c.stored)) << c.sys_object_id;
            EXPECT_FALSE(option->is_supported_OID((std::string(c.stored) + ".1").c_str())) << c.sys_object_id;
        } else {
            EXPECT_FALSE(option->is_supported_OID("1")) << c.sys_object_id;
        }
        EXPECT_TRUE(option->is_supported_OID(nullptr));
        option->destroy();
    }
    /* A printer that does not answer the object: the request's code. */
    write_fixture(".1.3.6.1.2.1.1.5.0 string no-identifier\n");
    CPSWMarlOption *option = new CPSWMarlOption();
    EXPECT_EQ(-7, option->Init(PMC_PROTOCOL_IPV4, "127.0.0.1", m_usm, 1000, 1, 0));
    EXPECT_TRUE(m_psw.has("pGetData->get_data()"));
    option->destroy();
}

TEST_F(OptionAgentTest, ControllerDescriptionOfAnotherFormFailsAfterTheDeviceTable)
{
    write_fixture(printer(".1.3.6.1.2.1.25.3.2.1.3.10 string Printer Controller 1.2.3 - Processor\n"));
    CPSWMarlOption *option = new CPSWMarlOption();
    ASSERT_EQ(PMC_OK, option->Init(PMC_PROTOCOL_IPV4, "127.0.0.1", m_usm, 1000, 1, 0));
    EXPECT_EQ(PMC_E_FAIL, option->refresh_options());
    EXPECT_TRUE(m_psw.has("invalid PrinterROMVersion format"));
    bool present = false;
    EXPECT_EQ(PMC_OK, option->get_option("InTrayHCF2", &present, 0));
    EXPECT_TRUE(present); /* every row after the controller's was still handled */
    const char *text = nullptr;
    EXPECT_EQ(PMC_OK, option->get_option("PrinterRomVersion", &text, 0));
    EXPECT_STREQ("Printer Controller 1.2.3 - Processor", text);
    EXPECT_EQ(PMC_OK, option->get_option("SysName", &text, 0));
    EXPECT_STREQ("ornet-7701", text);
    int32_t number = -1;
    EXPECT_EQ(PMC_OK, option->get_option("NumberOfInputTray", &number, 0));
    EXPECT_EQ(0, number); /* the later steps did not run */

    /* A description longer than the version text is cut to 63 characters and still read. */
    std::string long_text = "Printer Controller v4.5.6 - Processor " + std::string(60, 'x');
    write_fixture(printer(".1.3.6.1.2.1.25.3.2.1.3.10 string " + long_text + "\n"));
    EXPECT_EQ(PMC_OK, option->refresh_options());
    EXPECT_EQ(PMC_OK, option->get_option("PrinterRomVersion", &text, 0));
    EXPECT_EQ(long_text.substr(0, 63), text);
    EXPECT_EQ(PMC_OK, option->get_option("PrinterRomVersionRevision", &number, 0));
    EXPECT_EQ(6, number);
    option->destroy();
}

TEST_F(OptionAgentTest, MissingObjectFailsTheRefreshAndKeepsWhatWasRead)
{
    write_fixture(printer(kController, ""));
    CPSWMarlOption *option = new CPSWMarlOption();
    ASSERT_EQ(PMC_OK, option->Init(PMC_PROTOCOL_IPV4, "127.0.0.1", m_usm, 1000, 1, 0));
    EXPECT_EQ(-7, option->refresh_options());
    EXPECT_TRUE(m_psw.has("pGetData->get_data()"));
    int32_t number = 0;
    EXPECT_EQ(PMC_OK, option->get_option("MemorySizeInKByte", &number, 0));
    EXPECT_EQ(786432, number);
    EXPECT_EQ(PMC_OK, option->get_option("PaperSizeGroupSetting", &number, 0));
    EXPECT_EQ(0, number); /* a later step */
    bool duplex = false;
    EXPECT_EQ(PMC_OK, option->get_option("DuplexModule", &duplex, 0));
    EXPECT_TRUE(duplex);
    option->destroy();
}

/* With a community set, every step asks with it: the "printer" view hides the system
 * group, so the first step already finds no value. */
TEST_F(OptionAgentTest, CommunityIsUsedByEveryStep)
{
    write_fixture(printer());
    CPSWDevCommOption *option = new CPSWMarlOption();
    ASSERT_EQ(PMC_OK, option->Init(PMC_PROTOCOL_IPV4, "127.0.0.1", m_usm, 1000, 1, 0));
    option->SetCommunityStr("printer");
    EXPECT_NE(PMC_OK, option->refresh_options());
    option->SetCommunityStr("public");
    EXPECT_EQ(PMC_OK, option->refresh_options());
    option->destroy();
}

/* The same printer's status tables, record by record. */
TEST_F(OptionAgentTest, StatusTablesOfTheScenarioEqualTheirGoldenRecords)
{
    write_fixture(printer());
    PSWDeviceInfo devices[] = {{3, 2, "Printer Controller v1.2.3 - Processor"},
                               {6, 2, "Hard Disk"},
                               {105, 2, "Network Interface"},
                               {0, 2, "Punch Unit 2 Holes"}};
    PSWInputTrayInfo trays[3];
    std::memset(trays, 0, sizeof trays);
    trays[0] = {4,
                4,
                297000,
                210000,
                297000,
                210000,
                8,
                500,
                250,
                0,
                "A4",
                "Tray 1",
                "Tray 1 (500 sheets)",
                "stationery",
                "white"};
    trays[1] = {5, 4, -1, -1, -1, -1, 8, 100, -3, 0, "unknown", "Bypass", "Manual feeder", "thick", "white"};
    PSWOutputTrayInfo outputs[] = {{3, 0, "Center Tray", "Center output"}, {3, 0, "Finisher Tray", "Finisher output"}};
    PSWAlertInfo alerts[] = {{3, 8, 1, 0, 808, "Tray 1 is empty"}, {4, 11, 1, 0, 1104, "Toner low"}};
    struct Table {
        PSWStatusTable table;
        int32_t count;
        const void *golden;
        uint32_t golden_count;
        size_t size;
    } tables[] = {
        {PSW_TABLE_DEVICE, 8, devices, 4, sizeof(PSWDeviceInfo)},
        {PSW_TABLE_INPUT_TRAY, 3, trays, 2, sizeof(PSWInputTrayInfo)},
        {PSW_TABLE_OUTPUT_TRAY, 2, outputs, 2, sizeof(PSWOutputTrayInfo)},
        {PSW_TABLE_ALERT, 2, alerts, 2, sizeof(PSWAlertInfo)},
    };
    for (const Version &v : versions()) {
        m_usm->load(v.version, v.params);
        CPSWDeviceStatus *status = new CPSWDeviceStatus();
        ASSERT_EQ(PMC_OK, status->setup(PMC_PROTOCOL_IPV4, "127.0.0.1", m_usm, 1000, 1, 0));
        for (const Table &t : tables) {
            int32_t count = -1;
            ASSERT_EQ(PMC_OK, status->read_table(t.table, &count)) << v.label << " table " << t.table;
            EXPECT_EQ(t.count, count) << v.label << " table " << t.table;
            std::vector<uint8_t> record(t.size);
            for (uint32_t i = 0; i < t.golden_count; ++i) {
                std::memset(record.data(), 0xCC, t.size);
                ASSERT_EQ(PMC_OK, status->get_record(t.table, (int32_t)i, record.data()));
                EXPECT_EQ(0, std::memcmp((const uint8_t *)t.golden + i * t.size, record.data(), t.size))
                    << v.label << " table " << t.table << " row " << i;
            }
        }
        delete status;
    }
}

/* A job whose identifier index holds a sub-identifier above 255 is no job identifier. */
TEST_F(OptionAgentTest, JobIdentifierAbove255IsRefused)
{
    const std::string row = ".1.3.6.1.4.1.99941.8.59.6.1.1.3.1.1 string job-1\n"
                            ".1.3.6.1.4.1.99941.8.59.6.1.1.4.1.1 objectid .1.3.6.1.4.1.99941.8.58.2.2\n"
                            ".1.3.6.1.4.1.99941.8.59.6.1.1.5.1.1 integer 4\n"
                            ".1.3.6.1.4.1.99941.8.59.6.1.1.6.1.1 integer 5\n"
                            ".1.3.6.1.4.1.99941.8.59.6.1.1.9.1.1 integer 3\n"
                            ".1.3.6.1.4.1.99941.8.59.6.1.1.10.1.1 integer 10\n"
                            ".1.3.6.1.4.1.99941.8.59.10.1.1.7.1.1.@ID@ integer 6\n"
                            ".1.3.6.1.4.1.99941.8.59.10.1.1.10.1.1.@ID@ octet 07 D9 0C 1F 17\n"
                            ".1.3.6.1.4.1.99941.8.59.16.1.1.4.1.1 octet 07 D9 0C 1F 17 3B 3A 00\n"
                            ".1.3.6.1.4.1.99941.8.59.16.1.1.5.1.1 integer 100\n"
                            ".1.3.6.1.4.1.99941.8.59.16.1.1.6.1.1 integer 7\n"
                            ".1.3.6.1.4.1.99941.8.59.16.1.1.7.1.1 string x\n"
                            ".1.3.6.1.4.1.99941.8.51.3.1.1.1.1 integer 2\n"
                            ".1.3.6.1.4.1.99941.8.51.4.1.1.7.1.2 integer 17\n"
                            ".1.3.6.1.4.1.99941.8.51.5.1.1.4.1.4.17 string Print\n"
                            ".1.3.6.1.4.1.99941.8.51.5.1.1.4.1.5.17 string Copy\n"
                            ".1.3.6.1.4.1.99941.8.51.5.1.1.4.1.6.17 string User\n";
    CPSWDeviceStatus *status = new CPSWDeviceStatus();
    ASSERT_EQ(PMC_OK, status->setup(PMC_PROTOCOL_IPV4, "127.0.0.1", m_usm, 1000, 1, 0));
    int32_t count = -1;
    write_fixture(replace(replace(row, "@ID@", "255.98.99.0.0.0.0.0"), "@ID@", "255.98.99.0.0.0.0.0"));
    ASSERT_EQ(PMC_OK, status->read_jobs(0, &count));
    ASSERT_EQ(1, count);
    PSWJobInfo job;
    ASSERT_EQ(PMC_OK, status->get_record(PSW_TABLE_JOB, 0, &job));
    EXPECT_STREQ("\xff"
                 "bc",
                 job.job_id);
    PSWDateTime zero = {};
    EXPECT_EQ(0, std::memcmp(&zero, &job.time_1, sizeof zero)); /* a 5-octet DateAndTime */
    EXPECT_EQ(2009, job.time_2.year);
    write_fixture(replace(replace(row, "@ID@", "256.98.99.0.0.0.0.0"), "@ID@", "256.98.99.0.0.0.0.0"));
    EXPECT_EQ(PMC_E_INDEX, status->read_jobs(0, &count));
    delete status;
}

/* Refused allocations at every point of a refresh: each fails with the memory code or
 * succeeds, and nothing stays allocated (the fixture counts the heap's blocks). */
TEST_F(OptionAgentTest, RefusedAllocationsLeaveNothingBehind)
{
    write_fixture(printer());
    OptionView option;
    ASSERT_EQ(PMC_OK, option.Init(PMC_PROTOCOL_IPV4, "127.0.0.1", m_usm, 1000, 1, 0));
    {
        RefuseAllocations refuse;
        EXPECT_EQ(PMC_E_MEMORY, option.refresh_options());
    }
    EXPECT_TRUE(m_psw.has("pmc_create_get_data()"));
    bool succeeded = false;
    for (DWORD after = 1; after < 1000000 && !succeeded; after = after * 5 / 4 + 1) {
        RefuseAllocations refuse(after);
        int32_t code = option.refresh_options();
        EXPECT_TRUE(code == PMC_OK || code == PMC_E_MEMORY) << after << ": " << code;
        succeeded = code == PMC_OK;
    }
    EXPECT_TRUE(succeeded);
}

} // namespace
