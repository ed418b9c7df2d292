/* The special cases of settings the description data cannot express: stamps over the
 * per-user stamp store of an installed printer, the outside COM component, security
 * marking and the operating system. */
#include "core/constraints/tests/constraints_test_support.h"

#include "core/util/caches.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_registry.h"

#include <gtest/gtest.h>

namespace {

const CLSID kDeviceConfigClass = {0xF2A5AEC9, 0x686E, 0x4C95, {0xBD, 0x6D, 0xDD, 0x58, 0xDD, 0x40, 0xE3, 0xA7}};
const IID kDeviceConfigInterface = {0xF8CEAD2F, 0xBF3E, 0x4DA0, {0xA9, 0x61, 0x29, 0x74, 0x14, 0xCF, 0xCA, 0x4C}};

QmtCountedObject g_server;

HRESULT make_server(REFIID riid, void **object)
{
    if (!IsEqualIID(riid, kDeviceConfigInterface))
        return E_NOINTERFACE;
    g_server.AddRef();
    *object = static_cast<IUnknown *>(&g_server);
    return S_OK;
}

enum Os { NT4, XP, VISTA };

void PinOs(Os os)
{
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwPlatformId = 2;
    info.dwMajorVersion = os == NT4 ? 4 : (os == XP ? 5 : 6);
    info.dwMinorVersion = os == XP ? 1 : 0;
    qmt_PinOsVersion(&info);
    util_ResetCaches();
}

/* The printer's stamp store before a case: no stamps key (made on first use), none that
 * can be made (a write fault while seeding), or a key holding stored stamps. */
enum Store { kEmpty, kUncountable, kFive, kThirtyTwo, kOverFull, kSecret };

void Prepare(Store store, StampPrinter &printer, DriverContext *context)
{
    std::vector<std::u16string> names;
    switch (store) {
    case kEmpty:
    case kUncountable: printer.Remove(context); return;
    case kFive: names = {u"A", u"B", u"C", u"D", u"E"}; break;
    case kThirtyTwo:
    case kOverFull:
        for (int i = 0; i < (store == kThirtyTwo ? 32 : 33); ++i)
            names.push_back(u"Stamp " + std::u16string(1, (char16_t)(u'A' + i)));
        break;
    case kSecret: names = {u"Other", u"Secret"}; break;
    }
    printer.Store(names, context);
}

struct Case {
    const char *what;
    WORD functionId;
    bool hasValue;
    LONG value;
    const WCHAR *stamp;
    LONG mode321;
    LONG com5186;
    Os os;
    bool com;
    Store store;
    WORD startKind;
    WORD status;
    WORD kind;
    std::vector<WORD> touched;
};

TEST(SpecialCases, EveryRowUnderPinnedSystemComponentAndStampStore)
{
    const WCHAR *S = TEXT("Secret");
    const Case kCases[] = {
        {"paper 307 with a stamp", 8, true, 307, S, 2, 0, XP, true, kEmpty, 0, 0, 3, {297}},
        {"paper 310 with a stamp", 8, true, 310, S, 2, 0, XP, true, kEmpty, 0, 0, 3, {297}},
        {"paper 9 with a stamp", 8, true, 9, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {}},
        {"paper 307 without stamp", 8, true, 307, TEXT(""), 2, 0, XP, true, kEmpty, 0, 0, 0, {}},
        {"321 = 1 with a stamp", 321, true, 1, S, 2, 0, XP, true, kEmpty, 0, 0, 3, {297}},
        {"321 = 2 with a stamp", 321, true, 2, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {}},
        {"293 = 3 on the old system", 293, true, 3, S, 2, 0, NT4, true, kEmpty, 0, 0, 1, {}},
        {"293 = 3 on a newer system", 293, true, 3, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {}},
        {"293 = 2 on the old system", 293, true, 2, S, 2, 0, NT4, true, kEmpty, 0, 0, 0, {}},
        {"1284", 1284, false, 0, S, 2, 0, XP, true, kEmpty, 0, 0, 6, {}},
        {"1284 trial under its own kind 6", 1284, true, 1, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {}},
        {"1333", 1333, false, 0, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {}},
        {"5138", 5138, false, 0, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {}},
        {"1341 on Vista", 1341, false, 0, S, 2, 0, VISTA, true, kEmpty, 0, 0, 6, {}},
        {"1341 on XP", 1341, false, 0, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {}},
        {"1341 proposed on Vista", 1341, true, 1, S, 2, 0, VISTA, true, kEmpty, 0, 0, 0, {}},
        {"1286 with 321 = 1", 1286, false, 0, S, 1, 0, XP, true, kEmpty, 0, 0, 1, {296, 297}},
        {"1286 stamp and 321 = 2", 1286, false, 0, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {296, 297}},
        {"1286 no stamp", 1286, false, 0, TEXT(""), 2, 0, XP, true, kEmpty, 0, 0, 1, {296, 297}},
        {"1286 proposed", 1286, true, 1, S, 1, 0, XP, true, kEmpty, 0, 0, 0, {296, 297}},
        {"36866 with 321 = 1", 36866, false, 0, S, 1, 0, XP, true, kEmpty, 0, 0, 1, {296, 297}},
        {"36865 uncountable store", 36865, false, 0, S, 2, 0, XP, true, kUncountable, 0, 1, 0, {}},
        {"36865 with 321 = 1", 36865, false, 0, S, 1, 0, XP, true, kFive, 0, 0, 1, {296, 297}},
        {"36865 five stored", 36865, false, 0, S, 2, 0, XP, true, kFive, 0, 0, 0, {296, 297}},
        {"36865 32 stored", 36865, false, 0, S, 2, 0, XP, true, kThirtyTwo, 0, 0, 8, {297, 296}},
        {"36865 full store", 36865, false, 0, S, 2, 0, XP, true, kOverFull, 0, 0, 8, {297, 296}},
        {"36867 stored stamp", 36867, false, 0, S, 2, 0, XP, true, kSecret, 0, 0, 0, {296, 297}},
        {"36867 stamp not stored", 36867, false, 0, S, 2, 0, XP, true, kEmpty, 0, 0, 1, {296, 297}},
        {"36867 built-in stamp", 36867, false, 0, TEXT("Draft"), 2, 0, XP, true, kSecret, 0, 0, 1, {296, 297}},
        {"36867 no stamp", 36867, false, 0, TEXT(""), 2, 0, XP, true, kSecret, 0, 0, 1, {296, 297}},
        {"36867 with 321 = 1", 36867, false, 0, S, 1, 0, XP, true, kSecret, 0, 0, 1, {296, 297}},
        {"5163 with the component", 5163, false, 0, S, 2, 1, XP, true, kEmpty, 0, 0, 1, {5186}},
        {"5163 without it", 5163, false, 0, S, 2, 1, XP, false, kEmpty, 0, 0, 0, {5186}},
        {"5163 with 5186 = 0", 5163, false, 0, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {5186}},
        {"5204 with the component", 5204, false, 0, S, 2, 1, XP, true, kEmpty, 0, 0, 1, {5186}},
        {"5204 while hidden", 5204, false, 0, S, 2, 1, XP, true, kEmpty, 6, 0, 0, {5186}},
        {"5186 without the component", 5186, false, 0, S, 2, 1, XP, false, kEmpty, 0, 0, 6, {}},
        {"5186 with it", 5186, false, 0, S, 2, 1, XP, true, kEmpty, 0, 0, 0, {}},
        {"36903 without marking", 36903, false, 0, S, 2, 0, XP, true, kEmpty, 0, 0, 6, {}},
        {"36903 proposed", 36903, true, 1, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {}},
        {"272 touches its related settings", 272, false, 0, S, 2, 0, XP, true, kEmpty, 0, 0, 0, {271, 270, 293, 1314}},
    };
    // Capability bit 43: the component may be asked; entry 30: the per-user keys' base.
    Engine engine("", "  26: 0\n  30: \"Software\\\\Qm\\\\Cst\"\n  39: [0x800]\n");
    StampPrinter printer;
    engine.printer = printer.handle;
    for (const Case &c : kCases) {
        engine.areas->set_text(297, c.stamp);
        engine.areas->set(321, c.mode321);
        engine.areas->set(5186, c.com5186);
        PinOs(c.os);
        qmt_RegisterComClass(kDeviceConfigClass, c.com ? make_server : nullptr);
        Prepare(c.store, printer, &engine.driver);
        qmt_FailRegistryValue(c.store == kUncountable ? TEXT("Stamp Version") : nullptr, 0);
        ConflictState state = {};
        state.kind = c.startKind;
        EXPECT_EQ(c.status, engine.Query(c.functionId, c.hasValue ? &c.value : nullptr, &state)) << c.what;
        if (c.status == 0) {
            EXPECT_EQ(c.kind, state.kind) << c.what;
            EXPECT_EQ(c.touched, List(state, 3)) << c.what;
        }
        qmt_FailRegistryValue(nullptr, 0);
        cst_ClearConflictState(&state);
    }
    qmt_ResetComClasses();
    qmt_PinOsVersion(nullptr);
    util_ResetCaches();
}

} // namespace
