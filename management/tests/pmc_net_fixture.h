/*
 * The fixture of the network-layer tests: every test starts with nothing bound, no
 * address factory, no injected adapters or tables and no hidden module or export, records
 * the "socket" logger's lines, and must leave the Winsock start-up count and the process
 * heap's blocks as it found them.
 */
#ifndef MANAGEMENT_TESTS_PMC_NET_FIXTURE_H
#define MANAGEMENT_TESTS_PMC_NET_FIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "management/network/pmc_address_factory.h"
#include "management/network/pmc_local_network_info.h"
#include "management/network/pmc_socket_api.h"
#include "management/tests/pmc_test_support.h"
#include "platform/testing/qm_testing_net.h"

class NetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        reset();
        before = live_blocks();
        startups = qmt_WinsockStartups();
        sockets = qmt_OpenSockets();
        IPmcLogger *logger = pmc_static_logger(PMC_LOGGER_SOCKET);
        logger->add_output(&out);
        logger->set_level_mask(PMC_LOG_ALL);
        logger->set_header_flags(0);
    }
    void TearDown() override
    {
        EXPECT_EQ(startups, qmt_WinsockStartups());
        EXPECT_EQ(sockets, qmt_OpenSockets());
        reset();
        EXPECT_EQ(before, live_blocks());
    }
    /* Forgets bindings, factory, route lookup, loggers and every injected condition. */
    static void reset()
    {
        pmc_local_network_info_destroy();
        pmc_address_factory_destroy();
        pmc_socket_api_unload();
        pmc_log_shutdown();
        qmt_FailModuleLoad(nullptr);
        qmt_HideExport(nullptr);
        qmt_ResetAdapters();
        qmt_ResetIpTables();
    }
    /* Whether a recorded line contains `text`. */
    bool logged(const std::string &text) const
    {
        return out.has(text);
    }
    LONG startups = 0;
    LONG sockets = 0;
    DWORD before = 0;
    RecordingOutput out;
};

#endif /* MANAGEMENT_TESTS_PMC_NET_FIXTURE_H */
