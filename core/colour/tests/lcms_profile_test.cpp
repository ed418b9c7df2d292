/*
 * Profiles written by Little CMS: both load (matrix and curves, and the 16-bit lookup
 * table to Lab), our input tables agree with its curves within 1/256, device white maps
 * to white and neutral ramps stay neutral and monotone.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <math.h>
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

namespace {

// The output matrix's inverse (linear output RGB to XYZ with Y of white 1), from the
// output chromaticities and white: C * diag(C^-1 * W).
void OutputToXyz(double m[9])
{
    const double chroma[3][3] = {{0.7465, 0.2535, 0.0}, {-5.9428, 6.914, 0.0288}, {0.1748, 0.0044, 0.8208}};
    double c[9];
    for (int col = 0; col < 3; col++)
        for (int row = 0; row < 3; row++)
            c[row * 3 + col] = chroma[col][row];
    double w[3] = {0.3127 * 3.0393, 1.0, (1.0 - 0.3127 - 0.3290) * 3.0393};
    double det =
        c[0] * (c[4] * c[8] - c[5] * c[7]) - c[1] * (c[3] * c[8] - c[5] * c[6]) + c[2] * (c[3] * c[7] - c[4] * c[6]);
    double ci[9] = {(c[4] * c[8] - c[5] * c[7]) / det,
                    (c[2] * c[7] - c[1] * c[8]) / det,
                    (c[1] * c[5] - c[2] * c[4]) / det,
                    (c[5] * c[6] - c[3] * c[8]) / det,
                    (c[0] * c[8] - c[2] * c[6]) / det,
                    (c[2] * c[3] - c[0] * c[5]) / det,
                    (c[3] * c[7] - c[4] * c[6]) / det,
                    (c[1] * c[6] - c[0] * c[7]) / det,
                    (c[0] * c[4] - c[1] * c[3]) / det};
    for (int r = 0; r < 3; r++) {
        double s = ci[r * 3] * w[0] + ci[r * 3 + 1] * w[1] + ci[r * 3 + 2] * w[2];
        for (int row = 0; row < 3; row++)
            m[row * 3 + r] = c[row * 3 + r] * s;
    }
}

const double kD50[3] = {0.9642, 1.0, 0.8249};
const double kD65[3] = {0.3127 / 0.3290, 1.0, (1.0 - 0.3127 - 0.3290) / 0.3290};

} // namespace

// At every 17^3 grid point, the connection-space values our tables hold (recovered before
// the white scaling) agree with Little CMS's within 0.5 % of full scale.
TEST(LittleCmsProfiles, DeviceToConnectionSpaceAgrees)
{
    double toXyz[9];
    OutputToXyz(toXyz);
    for (bool table : {false, true}) {
        cmsHPROFILE h = table ? lcms_fixture::TableProfile() : lcms_fixture::MatrixProfile();
        double rowSum[3] = {0, 0, 0};
        if (!table) {
            const cmsTagSignature tags[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
            for (int c = 0; c < 3; c++) {
                const cmsCIEXYZ *x = (const cmsCIEXYZ *)cmsReadTag(h, tags[c]);
                rowSum[0] += x->X;
                rowSum[1] += x->Y;
                rowSum[2] += x->Z;
            }
        }
        cmsHPROFILE xyz = cmsCreateXYZProfile();
        cmsHTRANSFORM t = cmsCreateTransform(h, TYPE_RGB_16, xyz, TYPE_XYZ_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
        WriteProfile("C:\\lcms.icc", lcms_fixture::Save(h));
        ProfileTransform ours;
        ASSERT_EQ(clr_LoadProfile(&ours, "C:\\lcms.icc"), 0);
        double worst = 0;
        int compared = 0;
        for (int i = 0; i <= 16; i++)
            for (int j = 0; j <= 16; j++)
                for (int k = 0; k <= 16; k++) {
                    double rgb[3];
                    if (table) {
                        const WORD *e = ours.table + (((size_t)i * 17 + j) * 17 + k) * 3;
                        bool clamped = false;
                        for (int c = 0; c < 3; c++) {
                            clamped = clamped || e[c] == 0 || e[c] == 65535;
                            rgb[c] = e[c] / 65535.0;
                        }
                        if (clamped)
                            continue; // outside the output range: not recoverable
                    } else {
                        // Linear device values through our input tables and matrix.
                        int idx[3] = {i * 255 / 16, j * 255 / 16, k * 255 / 16};
                        double lin[3];
                        for (int c = 0; c < 3; c++)
                            lin[c] = ours.input[c][idx[c]] / 65535.0;
                        for (int r = 0; r < 3; r++)
                            rgb[r] = (ours.matrix[r * 3] * lin[0] + ours.matrix[r * 3 + 1] * lin[1] +
                                      ours.matrix[r * 3 + 2] * lin[2]) /
                                     65536.0;
                    }
                    double x[3];
                    for (int r = 0; r < 3; r++)
                        x[r] = toXyz[r * 3] * rgb[0] + toXyz[r * 3 + 1] * rgb[1] + toXyz[r * 3 + 2] * rgb[2];
                    // Undo the white scaling: table mode scales by white / D50, matrix
                    // mode each colourant row by white / its sum.
                    for (int r = 0; r < 3; r++)
                        x[r] = table ? x[r] * kD50[r] / kD65[r] : x[r] * rowSum[r] / kD65[r];
                    cmsUInt16Number in[3];
                    if (table) {
                        in[0] = (cmsUInt16Number)(i * 4096 > 65535 ? 65535 : i * 4096);
                        in[1] = (cmsUInt16Number)(j * 4096 > 65535 ? 65535 : j * 4096);
                        in[2] = (cmsUInt16Number)(k * 4096 > 65535 ? 65535 : k * 4096);
                    } else {
                        in[0] = (cmsUInt16Number)(i * 255 / 16 * 257);
                        in[1] = (cmsUInt16Number)(j * 255 / 16 * 257);
                        in[2] = (cmsUInt16Number)(k * 255 / 16 * 257);
                    }
                    cmsCIEXYZ theirs;
                    cmsDoTransform(t, in, &theirs, 1);
                    double d[3] = {x[0] - theirs.X, x[1] - theirs.Y, x[2] - theirs.Z};
                    for (double v : d)
                        worst = fabs(v) > worst ? fabs(v) : worst;
                    compared++;
                }
        EXPECT_GT(compared, 1000) << (table ? "table" : "matrix");
        EXPECT_LT(worst, 0.005) << (table ? "table" : "matrix");
        clr_FreeProfile(&ours);
        cmsDeleteTransform(t);
        cmsCloseProfile(xyz);
    }
}
