/* COM: entry counting per thread, creation of registered classes only. */
#include <objbase.h>

#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

const CLSID kClass = {0x11223344, 0x5566, 0x7788, {1, 2, 3, 4, 5, 6, 7, 8}};
const IID kInterface = {0x99AABBCC, 0xDDEE, 0xFF00, {8, 7, 6, 5, 4, 3, 2, 1}};

QmtCountedObject g_object;

HRESULT make_object(REFIID riid, void **object)
{
    if (!IsEqualIID(riid, kInterface)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    g_object.AddRef();
    *object = static_cast<IUnknown *>(&g_object);
    return S_OK;
}

TEST(Com, InitialiseCountsPerThread)
{
    EXPECT_EQ(E_INVALIDARG, CoInitialize(&g_object));
    EXPECT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_EQ(S_FALSE, CoInitialize(nullptr));
    EXPECT_EQ(2u, qmt_ComInitCount());
    std::thread([] {
        EXPECT_EQ(0u, qmt_ComInitCount());
        EXPECT_EQ(S_OK, CoInitialize(nullptr));
    }).join();
    CoUninitialize();
    CoUninitialize();
    CoUninitialize(); // unbalanced: stays at zero
    EXPECT_EQ(0u, qmt_ComInitCount());
}

TEST(Com, CreatesOnlyRegisteredClasses)
{
    void *ppv = &g_object;
    EXPECT_EQ(CO_E_NOTINITIALIZED, CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, kInterface, &ppv));
    EXPECT_EQ(nullptr, ppv);
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, kInterface, &ppv));
    EXPECT_EQ(E_POINTER, CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, kInterface, nullptr));

    qmt_RegisterComClass(kClass, make_object);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(kClass, nullptr, CLSCTX_LOCAL_SERVER, kInterface, &ppv));
    EXPECT_EQ(E_NOINTERFACE, CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, kClass, &ppv));
    EXPECT_EQ(nullptr, ppv);
    ASSERT_EQ(S_OK, CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, kInterface, &ppv));
    EXPECT_EQ(1, g_object.refs);
    EXPECT_EQ(0u, static_cast<IUnknown *>(ppv)->Release());

    qmt_RegisterComClass(kClass, nullptr);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, kInterface, &ppv));
    CoUninitialize();
}

} // namespace
