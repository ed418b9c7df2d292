/*
 * The fixture of the runtime tests: the test program plays the driver module, so that the
 * resource module named by its string 32767 (qmkelvir.xrs beside it) is the one loaded.
 */
#ifndef QM_UI_DRIVER_RUNTIME_TESTS_RUNTIME_FIXTURE_H
#define QM_UI_DRIVER_RUNTIME_TESTS_RUNTIME_FIXTURE_H

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "core/util/module.h"
#include "core/util/resource_module.h"
#include "platform/testing/qm_testing.h"

/* The host path of a built file as the platform's Windows path (drive Z:). */
inline std::u16string WindowsPath(const char *host)
{
    std::u16string path = u"Z:";
    for (const char *p = host; *p; ++p)
        path.push_back(*p == '/' ? u'\\' : (char16_t)(unsigned char)*p);
    return path;
}

class RuntimeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        util_SetModuleHandle(GetModuleHandleW(nullptr));
        ASSERT_NE(nullptr, util_GetResourceModule());
    }
    void TearDown() override
    {
        qmt_PinAnsiCodePage(0);
        util_ReleaseResourceModule(); // the use the first lookup took
        util_SetModuleHandle(nullptr);
    }
};

#endif /* QM_UI_DRIVER_RUNTIME_TESTS_RUNTIME_FIXTURE_H */
