/*
 * The option object without a printer: what each option name answers for a given device
 * table and tray list, unknown and wrong-case names, tray indexes out of range, and Init's
 * checks of protocol and arguments.
 */
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "management/base/pmc_status.h"
#include "management/devices/psw_dev_comm_option.h"
#include "management/devices/psw_marl_option.h"
#include "management/devices/psw_plugin_usm.h"
#include "management/network/pmc_address_text.h"

namespace {

/* An option object whose device table and trays a test sets directly. */
class OptionProbe : public CPSWMarlOption
{
public:
    void set_devices(const std::vector<int32_t> &indexes)
    {
        m_device_count = 0;
        for (int32_t index : indexes)
            m_devices[m_device_count++] = {index, 2, "device"};
    }
    void set_trays(int32_t count)
    {
        m_input_tray_count = count;
        for (int32_t i = 0; i < count; ++i) {
            m_input_trays[i].index = i + 1;
            m_input_trays[i].max_capacity = 100 * (i + 1);
            std::snprintf(m_input_trays[i].name, sizeof m_input_trays[i].name, "Tray %d", (int)i + 1);
        }
    }
};

const char *const kBooleanNames[] = {"Scanner",
                                     "Copier",
                                     "HardDisk",
                                     "DuplexModule",
                                     "InTrayMSI",
                                     "InTrayHCF2",
                                     "InTrayHCFA3",
                                     "InTrayHCFA3_2",
                                     "OutTrayHCS",
                                     "Finisher",
                                     "FinisherStaple",
                                     "FinisherPunch",
                                     "FinisherPunchHole2_4",
                                     "FinisherPunchHole2_3",
                                     "FinisherPunchHole3",
                                     "FinisherPunchHole4",
                                     "FinisherBooklet",
                                     "FinisherFolder",
                                     "TrimmerSquareFold"};

TEST(OptionNames, BooleanOptionsFollowTheDeviceTable)
{
    struct Case {
        std::vector<int32_t> devices;
        std::set<std::string> true_names; /* every other Boolean name answers false */
    } cases[] = {
        {{}, {}},
        {{102, 103, 11}, {"Scanner", "Copier", "HardDisk"}},
        {{133, 136, 167, 161}, {"InTrayHCF2", "InTrayHCFA3", "InTrayHCFA3_2", "OutTrayHCS"}},
        {{123, 121, 124, 127, 165},
         {"Finisher", "FinisherStaple", "FinisherBooklet", "FinisherFolder", "TrimmerSquareFold"}},
        {{122, 129}, {"FinisherPunch", "FinisherPunchHole2_4"}},
        {{122, 128}, {"FinisherPunch", "FinisherPunchHole2_3", "FinisherPunchHole3"}},
        {{128}, {"FinisherPunch", "FinisherPunchHole3"}},
        {{129}, {"FinisherPunch", "FinisherPunchHole4"}},
        {{122}, {"FinisherPunch"}},
        {{10, 105, 108, 1, 2}, {}}, /* devices that answer no option */
    };
    for (const Case &c : cases) {
        OptionProbe option;
        option.set_devices(c.devices);
        for (const char *name : kBooleanNames) {
            bool value = !c.true_names.count(name);
            EXPECT_EQ(PMC_OK, option.get_option(name, &value, 0)) << name;
            EXPECT_EQ(c.true_names.count(name) == 1, value) << name << " with " << c.devices.size() << " devices";
        }
        int32_t finisher_type = -1;
        EXPECT_EQ(PMC_OK, option.get_option("FinisherType", &finisher_type, 0));
        EXPECT_EQ(c.true_names.count("Finisher") ? 5 : 0, finisher_type);
    }
}

TEST(OptionNames, UnknownNamesAndTrayIndexesOutOfRange)
{
    OptionProbe option;
    option.set_trays(3);
    bool flag = true;
    int32_t number = 7;
    uint32_t unsigned_number = 7;
    const char *text = "unchanged";
    /* Names are compared exactly. */
    for (const char *name : {"scanner", "SCANNER", "Scanner ", "", "Unknown", "MemorySizeInKByte"})
        EXPECT_EQ(PMC_E_UNSUPPORTED, option.get_option(name, &flag, 0)) << name;
    for (const char *name : {"numberofinputtray", "InputTrayindex", "Scanner", "SysName"})
        EXPECT_EQ(PMC_E_UNSUPPORTED, option.get_option(name, &number, 0)) << name;
    for (const char *name : {"sysname", "InputTrayname", "NumberOfInputTray"})
        EXPECT_EQ(PMC_E_UNSUPPORTED, option.get_option(name, &text, 0)) << name;
    /* No option has an unsigned value. */
    for (const char *name : {"NumberOfInputTray", "MemorySizeInKByte", "x"})
        EXPECT_EQ(PMC_E_UNSUPPORTED, option.get_option(name, &unsigned_number, 0)) << name;
    EXPECT_EQ(7, number);
    EXPECT_STREQ("unchanged", text);

    /* Per-tray names: index 0 .. count - 1 only. */
    const char *const tray_numbers[] = {"InputTrayIndex",
                                        "InputTrayType",
                                        "InputTrayMediaSize",
                                        "InputTrayMediaDirection",
                                        "InputTrayMaxCapacityInSheets",
                                        "InputTrayCurrentLevelInPercent",
                                        "InputTrayMediaDimFeedDirChosen",
                                        "InputTrayMediaDimXFeedDirChosen"};
    for (const char *name : tray_numbers) {
        for (int32_t index : {-1, 3, 20, 1000})
            EXPECT_EQ(-11, option.get_option(name, &number, index)) << name << " " << index;
        EXPECT_EQ(PMC_OK, option.get_option(name, &number, 2)) << name;
    }
    for (const char *name : {"InputTrayName", "InputTrayDescription", "InputTrayMediaType"}) {
        for (int32_t index : {-1, 3})
            EXPECT_EQ(-11, option.get_option(name, &text, index)) << name << " " << index;
        EXPECT_EQ(PMC_OK, option.get_option(name, &text, 2)) << name;
    }
    ASSERT_EQ(PMC_OK, option.get_option("InputTrayName", &text, 2));
    EXPECT_STREQ("Tray 3", text);
    ASSERT_EQ(PMC_OK, option.get_option("InputTrayMaxCapacityInSheets", &number, 1));
    EXPECT_EQ(200, number);
    ASSERT_EQ(PMC_OK, option.get_option("InputTrayIndex", &number, 0));
    EXPECT_EQ(1, number);

    /* Null names and values, through the object and through its interface. */
    IPSWDeviceOption &device = option;
    EXPECT_EQ(PMC_E_ARG, device.get_option(nullptr, &flag, 0));
    EXPECT_EQ(PMC_E_ARG, device.get_option("Scanner", (bool *)nullptr, 0));
    EXPECT_EQ(PMC_E_ARG, device.get_option(nullptr, &number, 0));
    EXPECT_EQ(PMC_E_ARG, device.get_option("NumberOfInputTray", (int32_t *)nullptr, 0));
    EXPECT_EQ(PMC_E_ARG, device.get_option(nullptr, &unsigned_number, 0));
    EXPECT_EQ(PMC_E_ARG, device.get_option(nullptr, &text, 0));
    EXPECT_EQ(PMC_E_ARG, device.get_option("SysName", (const char **)nullptr, 0));
}

TEST(OptionNames, NewObjectAnswersFalseZeroAndEmpty)
{
    CPSWMarlOption *option = new CPSWMarlOption();
    ASSERT_NE(nullptr, option);
    for (const char *name : kBooleanNames) {
        bool value = true;
        EXPECT_EQ(PMC_OK, option->get_option(name, &value, 0));
        EXPECT_FALSE(value) << name;
    }
    for (const char *name : {"MemorySizeInKByte", "NumberOfInputTray", "PrinterRomVersionMajor", "FinisherType"}) {
        int32_t value = 7;
        EXPECT_EQ(PMC_OK, option->get_option(name, &value, 0));
        EXPECT_EQ(0, value) << name;
    }
    int32_t number = 0;
    EXPECT_EQ(-11, option->get_option("InputTrayType", &number, 0));
    for (const char *name : {"PrinterRomVersion", "SysName", "NetWareSAPUnitName"}) {
        const char *text = nullptr;
        EXPECT_EQ(PMC_OK, option->get_option(name, &text, 0));
        EXPECT_STREQ("", text) << name;
    }
    EXPECT_TRUE(option->is_supported_OID(nullptr));
    EXPECT_TRUE(option->is_supported_OID(""));
    EXPECT_FALSE(option->is_supported_OID("1.3.6"));
    option->destroy();
}

TEST(OptionNames, InitChecksProtocolAndArguments)
{
    IPSWPluginUSM *usm = pmc_create_plugin_usm(nullptr);
    ASSERT_NE(nullptr, usm);
    OptionProbe option;
    CPSWDevCommOption &common = option;
    EXPECT_EQ(PMC_E_ARG, common.CPSWDevCommOption::Init(3, "10.0.0.1", usm, 1000, 1, 0));
    EXPECT_EQ(PMC_E_ARG, common.CPSWDevCommOption::Init(0, "10.0.0.1", usm, 1000, 1, 0));
    EXPECT_EQ(PMC_E_ARG, common.CPSWDevCommOption::Init(PMC_PROTOCOL_IPV4, nullptr, usm, 1000, 1, 0));
    EXPECT_EQ(PMC_E_ARG, common.CPSWDevCommOption::Init(PMC_PROTOCOL_IPV4, "10.0.0.1", nullptr, 1000, 1, 0));
    for (int protocol : {PMC_PROTOCOL_IPV4, PMC_PROTOCOL_IPX, PMC_PROTOCOL_IPV6})
        EXPECT_EQ(PMC_OK, common.CPSWDevCommOption::Init(protocol, "10.0.0.1", usm, 1000, 1, 0)) << protocol;
    /* The model check of the derived object runs only after the inherited Init passed. */
    EXPECT_EQ(PMC_E_ARG, option.Init(3, "10.0.0.1", usm, 1000, 1, 0));
    usm->release();
}

} // namespace
