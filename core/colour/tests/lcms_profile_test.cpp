/*
 * Profiles written by Little CMS: both load (matrix and curves, and the 16-bit lookup
 * table to Lab), our input tables agree with its curves within 1/256, device white maps
 * to white and neutral ramps stay neutral and monotone.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <stdlib.h>

#include "core/colour/colour_tables.h"
#include "core/colour/tests/lcms_profiles.h"

namespace {

void WriteProfile(const char *path, const std::vector<unsigned char> &bytes)
{
    std::u16string wide;
    for (const char *c = path; *c; c++)
        wide.push_back((char16_t)*c);
    HANDLE h =
        CreateFileW((LPCWSTR)wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &done, nullptr);
    CloseHandle(h);
}

} // namespace

TEST(LittleCmsProfiles, LoadInBothModes)
{
    struct Case {
        const char *name;
        cmsHPROFILE (*make)();
        LONG mode;
    } cases[] = {{"matrix and curves", lcms_fixture::MatrixProfile, CLR_MODE_MATRIX},
                 {"lookup table to Lab", lcms_fixture::TableProfile, CLR_MODE_TABLE}};
    for (const Case &c : cases) {
        WriteProfile("C:\\lcms.icc", lcms_fixture::Save(c.make()));
        ProfileTransform t;
        ASSERT_EQ(clr_LoadProfile(&t, "C:\\lcms.icc"), 0) << c.name;
        EXPECT_EQ(t.mode, c.mode) << c.name;
        BYTE white[3] = {255, 255, 255}, out[3];
        clr_ApplyProfile(&t, white, out, 1);
        for (int i = 0; i < 3; i++)
            EXPECT_GE(out[i], 254) << c.name << " byte " << i;
        int last = -1;
        for (int v = 0; v < 256; v++) {
            BYTE grey[3] = {(BYTE)v, (BYTE)v, (BYTE)v};
            clr_ApplyProfile(&t, grey, out, 1);
            EXPECT_LE(abs(out[0] - out[1]), 2) << c.name << " at " << v;
            EXPECT_LE(abs(out[1] - out[2]), 2) << c.name << " at " << v;
            EXPECT_GE(out[1] + 1, last) << c.name << " at " << v;
            last = out[1];
        }
        clr_FreeProfile(&t);
    }
}

TEST(LittleCmsProfiles, InputTablesFollowItsCurves)
{
    cmsHPROFILE h = lcms_fixture::MatrixProfile();
    cmsToneCurve *curve = (cmsToneCurve *)cmsReadTag(h, cmsSigRedTRCTag);
    ASSERT_NE(curve, nullptr);
    std::vector<cmsUInt16Number> expect(256);
    for (int i = 0; i < 256; i++)
        expect[i] = cmsEvalToneCurve16(curve, (cmsUInt16Number)(i * 257));
    WriteProfile("C:\\lcms.icc", lcms_fixture::Save(h));
    ProfileTransform t;
    ASSERT_EQ(clr_LoadProfile(&t, "C:\\lcms.icc"), 0);
    for (int c = 0; c < 3; c++)
        for (int i = 0; i < 256; i++)
            EXPECT_LE(abs((int)t.input[c][i] - (int)expect[i]), 257) << "channel " << c << " entry " << i;
    clr_FreeProfile(&t);
}
