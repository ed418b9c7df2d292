/*
 * Main of every test program: runs the tests on a platform root of their own (a fresh
 * temporary directory named by QM_ROOT), so that tests never share stored state and can
 * run in parallel. QM_TEST_KEEP_ROOT=1 keeps the directory for inspection. Under Windows
 * (the 64-bit build run under Wine) the system itself holds the state: no root there, and
 * the single tests listed as host-only (QM_HOST_ONLY_CASES) are neither listed nor run.
 */
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

int main(int argc, char **argv)
{
#ifdef _WIN32
    /* Before the command line, which may name a filter of its own. */
    if (QM_HOST_ONLY_CASES[0] != '\0')
        GTEST_FLAG_SET(filter, std::string("-") + QM_HOST_ONLY_CASES);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
#else
    testing::InitGoogleTest(&argc, argv);
    std::string root;
    const char *tmp = getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/qmtest.XXXXXX";
    if (!mkdtemp(templ.data())) {
        perror("mkdtemp");
        return 2;
    }
    root = templ;
    setenv("QM_ROOT", root.c_str(), 1);
    int rc = RUN_ALL_TESTS();
    const char *keep = getenv("QM_TEST_KEEP_ROOT");
    if (keep && *keep == '1') {
        fprintf(stderr, "test root kept: %s\n", root.c_str());
    } else {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    return rc;
#endif
}
