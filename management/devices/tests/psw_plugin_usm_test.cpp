/* SNMPv3 settings: defaults, the load rules and fields without their NUL. */
#include "management/devices/psw_plugin_usm.h"

#include <gtest/gtest.h>

#include <cstring>

#include "management/tests/pmc_test_support.h"

namespace {

struct UsmGuard {
    UsmGuard() : usm(pmc_create_plugin_usm(nullptr)) {}
    ~UsmGuard()
    {
        usm->release();
    }
    IPSWPluginUSM *usm;
};

void expect_defaults_but_numbers(IPSWPluginUSM *usm)
{
    EXPECT_STREQ("Vdrivers", usm->user_name());
    EXPECT_STREQ("Wq8rNz2kLp5vBt7yHd3m", usm->auth_pass_phrase());
    EXPECT_STREQ("Fs6jKc1xQe9uGa4oPb0n", usm->priv_pass_phrase());
    EXPECT_STREQ("", usm->extension_text());
}

TEST(PluginUsmTest, DefaultsAndAllZeroRecord)
{
    UsmGuard g;
    EXPECT_EQ(-1, g.usm->version());
    EXPECT_EQ(2, g.usm->security_level());
    EXPECT_EQ(1, g.usm->auth_protocol());
    EXPECT_EQ(1, g.usm->priv_protocol());
    expect_defaults_but_numbers(g.usm);

    PSWUSMParams zero;
    std::memset(&zero, 0, sizeof zero);
    g.usm->load(0, zero);
    EXPECT_EQ(0, g.usm->version());
    EXPECT_EQ(0, g.usm->security_level());
    EXPECT_EQ(0, g.usm->auth_protocol());
    EXPECT_EQ(0, g.usm->priv_protocol());
    expect_defaults_but_numbers(g.usm);
}

TEST(PluginUsmTest, OutOfRangeNumbersKeepDefaults)
{
    UsmGuard g;
    PSWUSMParams p;
    std::memset(&p, 0, sizeof p);
    p.security_level = -1;
    p.auth_protocol = 3;
    p.priv_protocol = 2;
    g.usm->load(7, p);
    EXPECT_EQ(-1, g.usm->version());
    EXPECT_EQ(2, g.usm->security_level());
    EXPECT_EQ(1, g.usm->auth_protocol());
    EXPECT_EQ(2, g.usm->priv_protocol());
}

TEST(PluginUsmTest, EmptyTextsKeepBuiltInsAndReloadResets)
{
    UsmGuard g;
    const char *user = g.usm->user_name();
    PSWUSMParams p;
    std::memset(&p, 0, sizeof p);
    std::strcpy(p.user_name, "operator");
    std::strcpy(p.auth_pass_phrase, "first phrase");
    std::strcpy(p.extension, "ext");
    g.usm->load(2, p);
    EXPECT_STREQ("operator", user); /* the same pointer sees the new text */
    EXPECT_STREQ("ext", g.usm->extension_text());

    std::memset(&p, 0, sizeof p);
    std::strcpy(p.auth_pass_phrase, "second phrase");
    g.usm->load(2, p);
    EXPECT_STREQ("Vdrivers", g.usm->user_name());
    EXPECT_STREQ("second phrase", g.usm->auth_pass_phrase());
    EXPECT_STREQ("Fs6jKc1xQe9uGa4oPb0n", g.usm->priv_pass_phrase());
    EXPECT_STREQ("", g.usm->extension_text());
}

/* A field filled to its end without a NUL is cut, never read or written past. */
TEST(PluginUsmTest, FieldsWithoutNulAreCut)
{
    UsmGuard g;
    PSWUSMParams p;
    std::memset(&p, 'x', sizeof p);
    p.security_level = 1;
    p.auth_protocol = 2;
    p.priv_protocol = 0;
    g.usm->load(1, p);
    EXPECT_EQ(63u, std::strlen(g.usm->user_name()));
    EXPECT_EQ(63u, std::strlen(g.usm->auth_pass_phrase()));
    EXPECT_EQ(63u, std::strlen(g.usm->priv_pass_phrase()));
    EXPECT_EQ(511u, std::strlen(g.usm->extension_text()));
    EXPECT_EQ(1, g.usm->security_level());
}

TEST(PluginUsmTest, CreationWithoutMemory)
{
    int status = 0;
    {
        RefuseAllocations refuse;
        EXPECT_EQ(nullptr, pmc_create_plugin_usm(&status));
    }
    EXPECT_EQ(-3, status);
}

} // namespace
