/*
 * Colour tables: the profile header check, profile loading in both modes and its refusal
 * of broken files, the adjust matrix and the grey pair.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <math.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/colour/colour_tables.h"
#include "platform/testing/qm_testing.h"

namespace {

typedef std::vector<BYTE> Bytes;

void Put32(Bytes &b, size_t at, DWORD v)
{
    b[at] = (BYTE)(v >> 24);
    b[at + 1] = (BYTE)(v >> 16);
    b[at + 2] = (BYTE)(v >> 8);
    b[at + 3] = (BYTE)v;
}

void Add32(Bytes &b, DWORD v)
{
    b.resize(b.size() + 4);
    Put32(b, b.size() - 4, v);
}

void Add16(Bytes &b, WORD v)
{
    b.push_back((BYTE)(v >> 8));
    b.push_back((BYTE)v);
}

DWORD Sig(const char *s)
{
    return ((DWORD)(BYTE)s[0] << 24) | ((DWORD)(BYTE)s[1] << 16) | ((DWORD)(BYTE)s[2] << 8) | (BYTE)s[3];
}

DWORD Fixed(double v)
{
    return (DWORD)(LONG)floor(v * 65536.0 + 0.5);
}

// A profile built tag by tag; Bytes() lays out header, tag table and data.
struct ProfileBuilder {
    DWORD signature = Sig("acsp");
    DWORD deviceClass = Sig("mntr");
    DWORD space = Sig("RGB ");
    DWORD connection = Sig("XYZ ");
    std::vector<std::pair<DWORD, Bytes>> tags;

    void Tag(const char *sig, const Bytes &data)
    {
        tags.push_back({Sig(sig), data});
    }

    Bytes Build() const
    {
        Bytes b(128, 0);
        Put32(b, 12, deviceClass);
        Put32(b, 16, space);
        Put32(b, 20, connection);
        Put32(b, 36, signature);
        Add32(b, (DWORD)tags.size());
        size_t data = b.size() + tags.size() * 12;
        for (const auto &t : tags) {
            Add32(b, t.first);
            Add32(b, (DWORD)data);
            Add32(b, (DWORD)t.second.size());
            data += (t.second.size() + 3) & ~(size_t)3;
        }
        for (const auto &t : tags) {
            b.insert(b.end(), t.second.begin(), t.second.end());
            b.resize((b.size() + 3) & ~(size_t)3, 0);
        }
        Put32(b, 0, (DWORD)b.size());
        return b;
    }
};

Bytes XyzTag(double x, double y, double z)
{
    Bytes b;
    Add32(b, Sig("XYZ "));
    Add32(b, 0);
    Add32(b, Fixed(x));
    Add32(b, Fixed(y));
    Add32(b, Fixed(z));
    return b;
}

Bytes CurveTag(const std::vector<WORD> &entries)
{
    Bytes b;
    Add32(b, Sig("curv"));
    Add32(b, 0);
    Add32(b, (DWORD)entries.size());
    for (WORD e : entries)
        Add16(b, e);
    return b;
}

const double kD65[3] = {0.9505, 1.0, 1.0891};

// A monitor profile of the sRGB primaries (adapted to the connection white) with the
// given curve and a D65 white point.
ProfileBuilder MatrixProfile(const std::vector<WORD> &curve)
{
    ProfileBuilder p;
    p.Tag("wtpt", XyzTag(kD65[0], kD65[1], kD65[2]));
    p.Tag("rXYZ", XyzTag(0.4361, 0.2225, 0.0139));
    p.Tag("gXYZ", XyzTag(0.3851, 0.7169, 0.0971));
    p.Tag("bXYZ", XyzTag(0.1431, 0.0606, 0.7141));
    p.Tag("rTRC", CurveTag(curve));
    p.Tag("gTRC", CurveTag(curve));
    p.Tag("bTRC", CurveTag(curve));
    return p;
}

// A scanner profile whose 'A2B0' maps RGB linearly onto the connection space's white
// axis: every grid point gives the white scaled by the mean of r, g, b (XYZ), or the
// matching L* with a = b = 0 (Lab). mft2 with 16-bit tables, or mft1 with 8-bit ones.
ProfileBuilder TableProfile(bool lab, bool mft2, int grid)
{
    ProfileBuilder p;
    p.deviceClass = Sig("scnr");
    p.connection = lab ? Sig("Lab ") : Sig("XYZ ");
    p.Tag("wtpt", XyzTag(kD65[0], kD65[1], kD65[2]));
    Bytes t;
    Add32(t, mft2 ? Sig("mft2") : Sig("mft1"));
    Add32(t, 0);
    t.push_back(3);
    t.push_back(3);
    t.push_back((BYTE)grid);
    t.push_back(0);
    for (int i = 0; i < 9; i++)
        Add32(t, i % 4 == 0 ? 0x10000 : 0);
    auto value = [&](double v) { // v in [0, 1] as a table entry
        if (mft2)
            Add16(t, (WORD)floor(v * 65535.0 + 0.5));
        else
            t.push_back((BYTE)floor(v * 255.0 + 0.5));
    };
    const int curve = mft2 ? 2 : 256;
    if (mft2) {
        Add16(t, (WORD)curve);
        Add16(t, (WORD)curve);
    }
    for (int c = 0; c < 3; c++)
        for (int i = 0; i < curve; i++)
            value(i / double(curve - 1));
    const double white[3] = {0.9642, 1.0, 0.8249};
    for (int r = 0; r < grid; r++)
        for (int g = 0; g < grid; g++)
            for (int b = 0; b < grid; b++) {
                double m = (r + g + b) / (3.0 * (grid - 1));
                if (lab) {
                    double L = m > 0.008856 ? 116 * cbrt(m) - 16 : 903.3 * m;
                    value(L / 100.0 * 65280.0 / 65535.0);
                    value(128.0 * 256.0 / 65535.0);
                    value(128.0 * 256.0 / 65535.0);
                } else {
                    for (int c = 0; c < 3; c++)
                        value(white[c] * m * 32768.0 / 65535.0);
                }
            }
    for (int c = 0; c < 3; c++)
        for (int i = 0; i < curve; i++)
            value(i / double(curve - 1));
    p.Tag("A2B0", t);
    return p;
}

void WriteFile(const char *path, const Bytes &bytes)
{
    std::u16string wide;
    for (const char *c = path; *c; c++)
        wide.push_back((char16_t)*c);
    HANDLE h =
        CreateFileW((LPCWSTR)wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    ASSERT_TRUE(::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &done, nullptr));
    CloseHandle(h);
}

const char *kPath = "C:\\profile.icc";

LONG Load(ProfileTransform *t, const Bytes &bytes)
{
    WriteFile(kPath, bytes);
    return clr_LoadProfile(t, kPath);
}

void Apply(const ProfileTransform *t, BYTE r, BYTE g, BYTE b, BYTE out[3])
{
    BYTE in[3] = {b, g, r};
    clr_ApplyProfile(t, in, out, 1);
}

std::vector<WORD> Gamma22()
{
    return {(WORD)(2.2 * 256)};
}

} // namespace

TEST(ColourTables, HeaderCheckCodes)
{
    struct Case {
        const char *name;
        DWORD signature, deviceClass, space, connection;
        LONG expect;
    } cases[] = {
        {"acsp monitor", Sig("acsp"), Sig("mntr"), Sig("RGB "), Sig("XYZ "), 1},
        {"nicc scanner", Sig("nicc"), Sig("scnr"), Sig("RGB "), Sig("Lab "), 2},
        {"monitor with Lab", Sig("acsp"), Sig("mntr"), Sig("RGB "), Sig("Lab "), 1},
        {"signature", Sig("abcd"), Sig("mntr"), Sig("RGB "), Sig("XYZ "), -5},
        {"printer class", Sig("acsp"), Sig("prtr"), Sig("RGB "), Sig("XYZ "), -6},
        {"CMYK space", Sig("acsp"), Sig("scnr"), Sig("CMYK"), Sig("XYZ "), -6},
        {"connection", Sig("acsp"), Sig("scnr"), Sig("RGB "), Sig("RGB "), -7},
    };
    for (const Case &c : cases) {
        ProfileBuilder p;
        p.signature = c.signature;
        p.deviceClass = c.deviceClass;
        p.space = c.space;
        p.connection = c.connection;
        WriteFile(kPath, p.Build());
        EXPECT_EQ(clr_CheckProfileHeader(kPath), c.expect) << c.name;
    }
    EXPECT_EQ(clr_CheckProfileHeader(nullptr), -1);
    EXPECT_EQ(clr_CheckProfileHeader("C:\\missing.icc"), -2);
    Bytes shortFile = ProfileBuilder().Build();
    shortFile.resize(131);
    WriteFile(kPath, shortFile);
    EXPECT_EQ(clr_CheckProfileHeader(kPath), -3);
    WriteFile(kPath, ProfileBuilder().Build());
    qmt_FailCrtCloses(1);
    EXPECT_EQ(clr_CheckProfileHeader(kPath), -4);
    EXPECT_EQ(qmt_LiveHandles(QMT_HANDLE_FILE), 0u);
}

TEST(ColourTables, MonitorWithLabPassesTheCheckButDoesNotLoad)
{
    ProfileBuilder p = MatrixProfile(Gamma22());
    p.connection = Sig("Lab ");
    ProfileTransform t;
    EXPECT_EQ(Load(&t, p.Build()), -7);
    EXPECT_EQ(t.mode, CLR_MODE_NONE);
    EXPECT_EQ(clr_CheckProfileHeader(kPath), 1);
}

TEST(ColourTables, CurvesBuildAsStated)
{
    struct Case {
        const char *name;
        std::vector<WORD> entries;
        WORD at[4]; // table entries 0, 1, 128, 255
    } cases[] = {
        {"n = 0: identity", {}, {0, 257, 128 * 257, 65535}},
        {"n = 1 of 1.0: identity", {256}, {0, 257, 128 * 257, 65535}},
        {"n = 256: as stored", {}, {0, 100, 12800, 25500}},
        {"n = 17: interpolated", {}, {0, 4096 / 255, 0, 65535}},
    };
    for (int i = 0; i < 256; i++)
        cases[2].entries.push_back((WORD)(i * 100));
    for (int i = 0; i < 17; i++)
        cases[3].entries.push_back((WORD)(i == 16 ? 65535 : i * 4096));
    cases[3].at[1] = (WORD)floor(16.0 / 255.0 * 4096 + 0.5);
    cases[3].at[2] = (WORD)floor(128.0 * 16 / 255.0 * 4096 + 0.5);
    for (const Case &c : cases) {
        ProfileTransform t;
        ASSERT_EQ(Load(&t, MatrixProfile(c.entries).Build()), 0) << c.name;
        EXPECT_EQ(t.mode, CLR_MODE_MATRIX);
        for (int ch = 0; ch < 3; ch++) {
            EXPECT_EQ(t.input[ch][0], c.at[0]) << c.name;
            EXPECT_EQ(t.input[ch][1], c.at[1]) << c.name;
            EXPECT_EQ(t.input[ch][128], c.at[2]) << c.name;
            EXPECT_EQ(t.input[ch][255], c.at[3]) << c.name;
        }
        clr_FreeProfile(&t);
    }
}

// Device white to white, neutral ramps neutral within 1 and monotone, in every mode (the
// 8-bit tables of 'mft1' hold the white and the neutral axis only to within one more).
TEST(ColourTables, WhiteAndNeutralRampsInBothModes)
{
    struct Case {
        const char *name;
        ProfileBuilder profile;
        LONG mode;
        int tolerance;
    } cases[] = {
        {"matrix and curves", MatrixProfile(Gamma22()), CLR_MODE_MATRIX, 1},
        {"mft2 XYZ", TableProfile(false, true, 9), CLR_MODE_TABLE, 1},
        {"mft1 XYZ", TableProfile(false, false, 5), CLR_MODE_TABLE, 2},
        {"mft2 Lab", TableProfile(true, true, 17), CLR_MODE_TABLE, 1},
        {"mft1 Lab", TableProfile(true, false, 33), CLR_MODE_TABLE, 2},
    };
    for (const Case &c : cases) {
        ProfileTransform t;
        ASSERT_EQ(Load(&t, c.profile.Build()), 0) << c.name;
        EXPECT_EQ(t.mode, c.mode) << c.name;
        BYTE out[3];
        Apply(&t, 255, 255, 255, out);
        for (int i = 0; i < 3; i++)
            EXPECT_GE(out[i], 256 - c.tolerance) << c.name;
        int last = -1;
        for (int v = 0; v < 256; v++) {
            Apply(&t, (BYTE)v, (BYTE)v, (BYTE)v, out);
            EXPECT_LE(abs(out[0] - out[1]), c.tolerance) << c.name << " at " << v;
            EXPECT_LE(abs(out[1] - out[2]), c.tolerance) << c.name << " at " << v;
            EXPECT_GE((int)out[1], last) << c.name << " at " << v;
            last = out[1];
        }
        clr_FreeProfile(&t);
        EXPECT_EQ(t.mode, CLR_MODE_NONE);
        EXPECT_EQ(t.table, nullptr);
    }
}

TEST(ColourTables, NoTransformCopies)
{
    BYTE in[6] = {1, 2, 3, 250, 251, 252}, out[6] = {};
    clr_ApplyProfile(nullptr, in, out, 2);
    EXPECT_EQ(memcmp(in, out, 6), 0);
    ProfileTransform t;
    memset(&t, 0, sizeof t);
    t.mode = CLR_MODE_NONE;
    memset(out, 0, 6);
    clr_ApplyProfile(&t, in, out, 2);
    EXPECT_EQ(memcmp(in, out, 6), 0);
}

// Every truncation of header and tag table, and the listed broken tags: a negative code,
// mode -1, no table, no handle left open.
TEST(ColourTables, BrokenProfilesAreRefused)
{
    Bytes good = MatrixProfile(Gamma22()).Build();
    size_t tableEnd = 132 + 7 * 12;
    for (size_t cut = 0; cut < tableEnd; cut++) {
        ProfileTransform t;
        Bytes b(good.begin(), good.begin() + cut);
        EXPECT_LT(Load(&t, b), 0) << "cut at " << cut;
        EXPECT_EQ(t.mode, CLR_MODE_NONE);
    }
    struct Case {
        const char *name;
        Bytes bytes;
        LONG expect;
    } cases[] = {
        {"count 0xFFFFFFFF", good, -3},
        {"offset past the end", good, -3},
        {"size past the end", good, -3},
        {"four channels", TableProfile(false, true, 3).Build(), -7},
        {"grid of one point", TableProfile(false, true, 3).Build(), -7},
        {"parametric curve", MatrixProfile(Gamma22()).Build(), -7},
        {"oversized curve", MatrixProfile(Gamma22()).Build(), -7},
        {"oversized lookup table", TableProfile(false, true, 3).Build(), -7},
    };
    Put32(cases[0].bytes, 128, 0xFFFFFFFF);
    Put32(cases[1].bytes, 132 + 4, 0xFFFFFFF0);
    Put32(cases[2].bytes, 132 + 8, 0xFFFFFFF0);
    // The A2B0 tag is the second; its data start at the offset in its table entry.
    auto lutAt = [](const Bytes &b) {
        return (size_t)((b[132 + 12 + 4] << 24) | (b[132 + 12 + 5] << 16) | (b[132 + 12 + 6] << 8) | b[132 + 12 + 7]);
    };
    cases[3].bytes[lutAt(cases[3].bytes) + 8] = 4;
    cases[4].bytes[lutAt(cases[4].bytes) + 10] = 1;
    // rTRC is the fifth tag: its type becomes 'para'.
    auto tagAt = [](const Bytes &b, int i) {
        size_t e = 132 + (size_t)i * 12 + 4;
        return (size_t)((b[e] << 24) | (b[e + 1] << 16) | (b[e + 2] << 8) | b[e + 3]);
    };
    Put32(cases[5].bytes, tagAt(cases[5].bytes, 4), Sig("para"));
    Put32(cases[6].bytes, tagAt(cases[6].bytes, 4) + 8, 0x10000);
    cases[7].bytes[lutAt(cases[7].bytes) + 10] = 200;
    for (const Case &c : cases) {
        ProfileTransform t;
        EXPECT_EQ(Load(&t, c.bytes), c.expect) << c.name;
        EXPECT_EQ(t.mode, CLR_MODE_NONE) << c.name;
        EXPECT_EQ(t.table, nullptr) << c.name;
    }
    ProfileTransform t;
    EXPECT_EQ(clr_LoadProfile(&t, "C:\\missing.icc"), -2);
    EXPECT_EQ(clr_LoadProfile(nullptr, kPath), -1);
    WriteFile(kPath, good);
    qmt_FailCrtCloses(1);
    EXPECT_EQ(clr_LoadProfile(&t, kPath), -4);
    EXPECT_EQ(qmt_LiveHandles(QMT_HANDLE_FILE), 0u);
}

TEST(ColourTables, SwapBytes)
{
    EXPECT_EQ(clr_SwapBytes32(0x61637370), 0x70736361u);
    EXPECT_EQ(clr_SwapBytes32(0x000000FF), 0xFF000000u);
}

TEST(ColourTables, AdjustMatrixIdentityAndClamps)
{
    ColorAdjustMatrix m, clamped;
    ASSERT_EQ(clr_BuildAdjustMatrix(&m, 0, 0, 0), 0);
    for (int i = 0; i < 9; i++)
        EXPECT_EQ(m.m[i], i % 4 == 0 ? 65536 : 0) << i;
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(m.o[i], 0);
    BYTE in[9] = {0, 0, 0, 12, 128, 250, 255, 255, 255}, out[9];
    clr_ApplyAdjustMatrix(&m, in, out, 3);
    EXPECT_EQ(memcmp(in, out, 9), 0);
    clr_BuildAdjustMatrix(&m, 5, -100, 7);
    clr_BuildAdjustMatrix(&clamped, 5, -99, 7);
    EXPECT_EQ(memcmp(&m, &clamped, sizeof m), 0);
    clr_BuildAdjustMatrix(&m, 200, 300, 101);
    clr_BuildAdjustMatrix(&clamped, 100, 100, 100);
    EXPECT_EQ(memcmp(&m, &clamped, sizeof m), 0);
    EXPECT_EQ(clr_BuildAdjustMatrix(nullptr, 0, 0, 0), -1);
    clr_ApplyAdjustMatrix(nullptr, in, out, 3);
    EXPECT_EQ(memcmp(in, out, 9), 0);
}

TEST(ColourTables, AdjustMatrixKeepsWhiteAtBrightnessZero)
{
    for (int contrast = -99; contrast <= 100; contrast += 1)
        for (int saturation = -99; saturation <= 100; saturation += 9) {
            ColorAdjustMatrix m;
            clr_BuildAdjustMatrix(&m, 0, saturation, contrast);
            BYTE white[3] = {255, 255, 255}, out[3];
            clr_ApplyAdjustMatrix(&m, white, out, 1);
            for (int i = 0; i < 3; i++)
                EXPECT_GE(out[i], 254) << "contrast " << contrast << " saturation " << saturation << " byte " << i;
        }
}

// Coefficients far beyond 2 against a 64-bit reference of the stated arithmetic.
TEST(ColourTables, AdjustMatrixLargeCoefficients)
{
    ColorAdjustMatrix m = {
        {40 << 16, -(35 << 16), 3 << 16, 1 << 15, 90 << 16, -(89 << 16), -(7 << 16), 12 << 16, -(4 << 16)},
        {-(3 << 16), 1 << 20, -(1 << 20)}};
    for (int v = 0; v < 256; v += 5) {
        BYTE in[3] = {(BYTE)v, (BYTE)(255 - v), (BYTE)(v / 2)}, out[3];
        clr_ApplyAdjustMatrix(&m, in, out, 1);
        long long a = in[2] * 257LL, b = in[1] * 257LL, c = in[0] * 257LL;
        for (int row = 0; row < 3; row++) {
            long long sum = (long long)(m.m[row * 3] >> 2) * a + (long long)(m.m[row * 3 + 1] >> 2) * b +
                            (long long)(m.m[row * 3 + 2] >> 2) * c;
            long long r = (m.o[row] >> 16) + (sum >> 22);
            r = r < 0 ? 0 : (r > 255 ? 255 : r);
            EXPECT_EQ(out[2 - row], r) << "value " << v << " row " << row;
        }
    }
}

TEST(ColourTables, GreyPairGoldenBytes)
{
    GreyAdjustPair p;
    ASSERT_EQ(clr_BuildGreyPair(&p, 0, 0), 0);
    EXPECT_EQ(p.gain, 65536);
    EXPECT_EQ(p.offset, 0);
    ASSERT_EQ(clr_BuildGreyPair(&p, 20, 50), 0);
    // gain 1.15, offset -38.25 + 10 = -28.25
    EXPECT_EQ(p.gain, 75366);
    EXPECT_EQ(p.offset, -1851392);
    BYTE in[5] = {0, 30, 128, 200, 255}, out[5];
    clr_ApplyGreyPair(&p, in, out, 5);
    const BYTE expect[5] = {0, 5, 118, 201, 255};
    EXPECT_EQ(memcmp(out, expect, 5), 0) << (int)out[0] << " " << (int)out[1] << " " << (int)out[2] << " "
                                         << (int)out[3] << " " << (int)out[4];
    EXPECT_EQ(clr_BuildGreyPair(nullptr, 0, 0), -1);
}
