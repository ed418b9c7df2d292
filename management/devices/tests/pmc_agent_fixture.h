/*
 * The fixture of the tests against a real agent: snmpd in the test's own network
 * namespace, its printer objects served by the fixture program from a file each test
 * writes (see testing/netns/run-in-netns.sh --agent).
 */
#ifndef MANAGEMENT_DEVICES_TESTS_PMC_AGENT_FIXTURE_H
#define MANAGEMENT_DEVICES_TESTS_PMC_AGENT_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "management/devices/psw_plugin_usm.h"
#include "management/tests/pmc_net_fixture.h"

/* usm_params: a settings record of one SNMPv3 user. */
inline PSWUSMParams usm_params(const char *user, int32_t level, int32_t auth, int32_t priv, const char *auth_pass,
                               const char *priv_pass)
{
    PSWUSMParams params = {};
    std::snprintf(params.user_name, sizeof params.user_name, "%s", user);
    params.security_level = level;
    params.auth_protocol = auth;
    params.priv_protocol = priv;
    std::snprintf(params.auth_pass_phrase, sizeof params.auth_pass_phrase, "%s", auth_pass);
    std::snprintf(params.priv_pass_phrase, sizeof params.priv_pass_phrase, "%s", priv_pass);
    return params;
}

/* The settings record of the user shaaes (SHA, AES). */
inline PSWUSMParams shaaes_params()
{
    return usm_params("shaaes", 2, 2, 2, "authpass123", "privpass123");
}

/* AgentFixture: skips (fails under CI) without an agent; m_dir is the agent's directory. */
class AgentFixture : public NetTest
{
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        const char *dir = std::getenv("QM_SNMP_AGENT_DIR");
        if (!dir) {
            if (std::getenv("CI"))
                FAIL() << "no SNMP agent: testing/netns/run-in-netns.sh --agent did not start snmpd";
            GTEST_SKIP() << "no SNMP agent (needs root, snmpd and snmpget; run through "
                            "testing/netns/run-in-netns.sh --agent)";
        }
        m_dir = dir;
    }
    /* write_fixture: replaces the served objects (a new file, so the program re-reads it). */
    void write_fixture(const std::string &text)
    {
        std::string temporary = m_dir + "/fixture.new";
        std::ofstream(temporary) << text;
        std::rename(temporary.c_str(), (m_dir + "/fixture.txt").c_str());
        std::ofstream(m_dir + "/sets.txt", std::ios::trunc);
    }
    std::string recorded_sets()
    {
        std::ifstream in(m_dir + "/sets.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string m_dir;
};

#endif /* MANAGEMENT_DEVICES_TESTS_PMC_AGENT_FIXTURE_H */
