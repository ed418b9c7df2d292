/*
 * The worker of DrvConvertDevMode (its sizes, modes and errors) and the upgrade of a
 * DEVMODE kept with both parts.
 */
#include "core/devmode_upgrade/devmode_upgrade.h"

#include "core/devmode_upgrade/tests/upgrade_fixture.h"

#include <string.h>

namespace {

using namespace upgrade_test;

class ConvertDevmodeTest : public UpgradeTest
{
protected:
    Header Current(WORD version, WORD driverExtra = 1384)
    {
        std::unique_ptr<DriverDevmode> defaults = Defaults();
        return Header{version, 8644, nullptr, 220, defaults->dm.dmSpecVersion, driverExtra};
    }
};

TEST_F(ConvertDevmodeTest, SizesModesAndErrors)
{
    DriverContext *context = Context();
    std::unique_ptr<DriverDevmode> defaults = Defaults();
    Input input = MakeInput(*defaults, Current(0x5100));
    std::vector<BYTE> buffer(DM_FULL_SIZE, 0xEE);
    DEVMODEW *output = (DEVMODEW *)buffer.data();

    SetLastError(0);
    EXPECT_EQ(DMC_FAILED, dm_ConvertDevMode(TEXT("P"), context, input.get(), output, nullptr, 1));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());

    DWORD size = 1000;
    SetLastError(0);
    EXPECT_EQ(DMC_BUFFER_TOO_SMALL, dm_ConvertDevMode(TEXT("P"), context, input.get(), output, &size, 1));
    EXPECT_EQ(1604u, size);
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(0xEE, buffer[0]);
    size = 1000;
    EXPECT_EQ(DMC_BUFFER_TOO_SMALL, dm_ConvertDevMode(TEXT("P"), context, nullptr, output, &size, 4));
    EXPECT_EQ(1604u, size);

    struct Case {
        const char *why;
        WORD version;
        LONG result;
    };
    static const Case cases[] = {
        {"recent: converted", 0x5100, DMC_CONVERTED},
        {"current: copied", 0x5220, DMC_COPIED},
        {"newer: defaults", 0x5221, DMC_DEFAULTS},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        Input in = MakeInput(*defaults, Current(c.version));
        std::fill(buffer.begin(), buffer.end(), 0xEE);
        size = DM_FULL_SIZE;
        EXPECT_EQ(c.result, dm_ConvertDevMode(TEXT("P"), context, in.get(), output, &size, 1));
        EXPECT_EQ(1604u, size);
        EXPECT_EQ(0xEE, buffer[DM_SHORT_SIZE]);
    }

    /* Mode 4: the driver's defaults as the first part. */
    std::fill(buffer.begin(), buffer.end(), 0xEE);
    size = DM_SHORT_SIZE;
    EXPECT_EQ(DMC_DEFAULTS, dm_ConvertDevMode(TEXT("P"), context, nullptr, output, &size, 4));
    EXPECT_EQ(FirstPart(defaults.get()), FirstPart(output));
    EXPECT_EQ(0xEE, buffer[DM_SHORT_SIZE]);

    /* Other modes, a missing buffer or context. */
    for (DWORD mode : {0u, 2u, 3u, 5u}) {
        size = DM_FULL_SIZE;
        EXPECT_EQ(DMC_FAILED, dm_ConvertDevMode(TEXT("P"), context, input.get(), output, &size, mode)) << mode;
    }
    size = DM_FULL_SIZE;
    EXPECT_EQ(DMC_FAILED, dm_ConvertDevMode(TEXT("P"), context, nullptr, output, &size, 1));
    EXPECT_EQ(DMC_FAILED, dm_ConvertDevMode(TEXT("P"), context, input.get(), nullptr, &size, 1));
    EXPECT_EQ(DMC_FAILED, dm_ConvertDevMode(TEXT("P"), nullptr, input.get(), output, &size, 1));
}

/* A full DEVMODE whose second part is recognisable, cut to size bytes. */
static Bytes FullInput(const DriverDevmode &source, WORD version, DWORD size)
{
    DriverDevmode full = source;
    memcpy(full.priv.bytes, &version, 2);
    for (DWORD i = 2; i < sizeof(full.second); ++i)
        full.second.bytes[i] = (BYTE)(i * 7 + 1);
    memcpy(full.second.bytes, "\x34\x12", 2); /* setting 1793 of an older driver */
    Bytes bytes((const BYTE *)&full, (const BYTE *)&full + size);
    return bytes;
}

TEST_F(ConvertDevmodeTest, FullDevmodesKeepTheirSecondPart)
{
    HANDLE printer = Install(kPlainModel).printer;
    std::unique_ptr<DriverDevmode> defaults = Defaults();
    /* The defaults for the printer's own name. */
    DriverDevmode named;
    ASSERT_TRUE(opt_SetAllDefaults(Context(), &named, nullptr, (const WCHAR *)Install(kPlainModel).name.c_str()));
    const BYTE *second = (const BYTE *)&named.second;

    /* Same version, 3000 bytes given: the second part as far as it goes, then defaults. */
    Bytes same = FullInput(*defaults, 0x5220, 3000);
    std::unique_ptr<BYTE[]> exact(new BYTE[same.size()]);
    memcpy(exact.get(), same.data(), same.size());
    DriverDevmode output;
    memset(&output, 0xAB, sizeof(output));
    ASSERT_EQ(DMU_COPIED, dm_UpgradeFullDevmode(printer, (const DEVMODEW *)exact.get(), 3000, &output));
    EXPECT_EQ(Bytes(same.begin(), same.begin() + 1604), FirstPart(&output));
    EXPECT_EQ(Bytes(same.begin() + 1604, same.end()), Bytes(output.second.bytes, output.second.bytes + 1396));
    EXPECT_EQ(Bytes(second + 1396, second + 4268), Bytes(output.second.bytes + 1396, output.second.bytes + 4268));

    /* Recent: its own second part with 1793 reset. */
    Bytes recent = FullInput(*defaults, 0x5100, DM_FULL_SIZE);
    ASSERT_EQ(DMU_CONVERTED, dm_UpgradeFullDevmode(printer, (const DEVMODEW *)recent.data(), DM_FULL_SIZE, &output));
    EXPECT_EQ(Bytes(recent.begin() + 1606, recent.end()), Bytes(output.second.bytes + 2, output.second.bytes + 4268));
    EXPECT_EQ(Number(&named, nullptr, 1793), Number(&output, nullptr, 1793));
    EXPECT_NE(0x1234u, Number(&output, nullptr, 1793));

    /* Foreign: both parts of the defaults. */
    Bytes newer = FullInput(*defaults, 0x5221, DM_FULL_SIZE);
    ASSERT_EQ(DMU_DEFAULTS, dm_UpgradeFullDevmode(printer, (const DEVMODEW *)newer.data(), DM_FULL_SIZE, &output));
    EXPECT_EQ(0, memcmp(&named, &output, sizeof(output)));

    /* A size below what the DEVMODE claims: nothing of it is read. */
    Bytes claimed = FullInput(*defaults, 0x5220, 1000);
    ASSERT_EQ(DMU_DEFAULTS, dm_UpgradeFullDevmode(printer, (const DEVMODEW *)claimed.data(), 1000, &output));
    EXPECT_EQ(0, memcmp(&named, &output, sizeof(output)));

    /* No printer: no context. */
    EXPECT_EQ(DMU_FAILED, dm_UpgradeFullDevmode(nullptr, (const DEVMODEW *)recent.data(), DM_FULL_SIZE, &output));
}

} // namespace
