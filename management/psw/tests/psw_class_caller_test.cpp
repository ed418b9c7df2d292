/*
 * The exported option classes as an outside C++ program uses them: linked against the
 * deliverable alone (no library object of its own), it makes the objects on its stack and
 * with new, derives from them, copies and assigns them, asks their type and calls their
 * virtual and protected operations. Every name it needs must come from the export list.
 */
#include <gtest/gtest.h>

#include <cstring>
#include <typeinfo>

#include "management/devices/psw_marl_option.h"
#include "management/devices/psw_plugin_usm.h"

namespace {

/* The caller's own settings object: the built-in user's values. */
class CallerSettings final : public IPSWPluginUSM
{
public:
    void load(int32_t, PSWUSMParams) override {}
    void release() override {}
    int32_t version() override
    {
        return 0;
    }
    const char *user_name() override
    {
        return "Vdrivers";
    }
    int32_t security_level() override
    {
        return 0;
    }
    int32_t auth_protocol() override
    {
        return 0;
    }
    int32_t priv_protocol() override
    {
        return 0;
    }
    const char *auth_pass_phrase() override
    {
        return "";
    }
    const char *priv_pass_phrase() override
    {
        return "";
    }
    const char *extension_text() override
    {
        return "";
    }
};

/* A derived class of the caller's, reaching the protected operations. */
class CallerOption : public CPSWMarlOption
{
public:
    void sizes(int32_t *size, int32_t *direction, int32_t *percent)
    {
        int32_t maximum = 0;
        MediaDimensionToMediumSize(4, 297000, 210000, size, direction);
        ConvertMediumLevel(8, 500, 250, &maximum, percent);
    }
    bool device_10() const
    {
        return has_device_index(10);
    }
    void clear()
    {
        initialize_data();
    }
    int32_t version_numbers()
    {
        return parse_version_value();
    }
};

TEST(PswClassCaller, OptionObjectsLiveOnTheCallersStack)
{
    CallerSettings settings;
    CPSWMarlOption option;
    option.SetCommunityStr("public");
    /* Protocol 3 is served by nothing: refused before anything is sent. */
    EXPECT_EQ(-2, option.Init(3, "127.0.0.1", &settings, 100, 0, 0));
    EXPECT_TRUE(option.is_supported_OID(nullptr));
    bool flag = true;
    EXPECT_EQ(0, option.get_option("Scanner", &flag, 0));
    EXPECT_FALSE(flag);
    EXPECT_EQ(-5, option.get_option("scanner", &flag, 0));
    int32_t number = -1;
    EXPECT_EQ(0, option.get_option("MemorySizeInKByte", &number, 0));
    EXPECT_EQ(0, number);
    uint32_t unsigned_number = 0;
    EXPECT_EQ(-5, option.get_option("MemorySizeInKByte", &unsigned_number, 0));
    const char *text = nullptr;
    EXPECT_EQ(0, option.get_option("SysName", &text, 0));
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ("", text);

    CPSWMarlOption copy(option);
    CPSWMarlOption assigned;
    assigned = copy;
    EXPECT_TRUE(assigned.is_supported_OID(nullptr));
    IPSWDeviceOption *as_interface = &assigned;
    EXPECT_NE(nullptr, dynamic_cast<CPSWDevCommOption *>(as_interface));
    EXPECT_TRUE(typeid(*as_interface) == typeid(CPSWMarlOption));
}

TEST(PswClassCaller, ObjectsMadeWithNewEndThroughDestroy)
{
    CallerSettings settings;
    CPSWMarlOption *option = new CPSWMarlOption();
    ASSERT_NE(nullptr, option);
    EXPECT_EQ(-2, option->Init(3, "127.0.0.1", &settings, 100, 0, 0));
    option->destroy();
    CPSWDevCommOption *derived = new CallerOption();
    ASSERT_NE(nullptr, derived);
    delete derived;
}

TEST(PswClassCaller, DerivedClassesReachTheProtectedOperations)
{
    CallerOption option;
    int32_t size = 0, direction = 0, percent = 0;
    option.sizes(&size, &direction, &percent);
    EXPECT_EQ(25, size);
    EXPECT_EQ(3, direction);
    EXPECT_EQ(50, percent);
    EXPECT_FALSE(option.device_10());
    option.clear();
    /* An empty controller version text does not have the form. */
    EXPECT_EQ(-1, option.version_numbers());
    CallerOption other(option);
    EXPECT_FALSE(other.device_10());
}

} // namespace
