/*
 * Fixture profiles written by Little CMS (version 2): a monitor profile of matrix and
 * curves, and a scanner profile whose 16-bit lookup table maps RGB to Lab. Test and
 * benchmark support only.
 */
#ifndef QM_CORE_COLOUR_TESTS_LCMS_PROFILES_H
#define QM_CORE_COLOUR_TESTS_LCMS_PROFILES_H

#include <lcms2.h>

#include <vector>

namespace lcms_fixture {

// The profile's bytes; the handle is closed.
inline std::vector<unsigned char> Save(cmsHPROFILE h)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(h, nullptr, &size);
    std::vector<unsigned char> bytes(size);
    cmsSaveProfileToMem(h, bytes.data(), &size);
    cmsCloseProfile(h);
    return bytes;
}

// sRGB primaries, gamma 2.2 curves, a D65 media white point.
inline cmsHPROFILE MatrixProfile()
{
    cmsCIExyY d65 = {0.3127, 0.3290, 1.0};
    cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve *gamma = cmsBuildGamma(nullptr, 2.2);
    cmsToneCurve *curves[3] = {gamma, gamma, gamma};
    cmsHPROFILE h = cmsCreateRGBProfile(&d65, &primaries, curves);
    cmsFreeToneCurve(gamma);
    cmsSetProfileVersion(h, 2.1);
    cmsCIEXYZ white;
    cmsxyY2XYZ(&white, &d65);
    cmsWriteTag(h, cmsSigMediaWhitePointTag, &white);
    return h;
}

// A scanner profile: 'A2B0' a 9-point lookup table of the matrix profile's colours in
// Lab, identity curves; a D65 media white point.
inline cmsHPROFILE TableProfile()
{
    cmsHPROFILE rgb = MatrixProfile();
    cmsHPROFILE lab = cmsCreateLab2Profile(nullptr);
    cmsHTRANSFORM t = cmsCreateTransform(rgb, TYPE_RGB_16, lab, TYPE_Lab_16, INTENT_RELATIVE_COLORIMETRIC, 0);
    const int grid = 9;
    std::vector<cmsUInt16Number> table((size_t)grid * grid * grid * 3);
    size_t n = 0;
    for (int r = 0; r < grid; r++)
        for (int g = 0; g < grid; g++)
            for (int b = 0; b < grid; b++, n++) {
                cmsUInt16Number in[3] = {(cmsUInt16Number)(r * 65535 / (grid - 1)),
                                         (cmsUInt16Number)(g * 65535 / (grid - 1)),
                                         (cmsUInt16Number)(b * 65535 / (grid - 1))};
                cmsDoTransform(t, in, &table[n * 3], 1);
            }
    cmsDeleteTransform(t);
    cmsCloseProfile(rgb);
    cmsCloseProfile(lab);
    cmsHPROFILE h = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(h, 2.1);
    cmsSetDeviceClass(h, cmsSigInputClass);
    cmsSetColorSpace(h, cmsSigRgbData);
    cmsSetPCS(h, cmsSigLabData);
    cmsPipeline *lut = cmsPipelineAlloc(nullptr, 3, 3);
    cmsPipelineInsertStage(lut, cmsAT_END, cmsStageAllocCLut16bit(nullptr, grid, 3, 3, table.data()));
    cmsWriteTag(h, cmsSigAToB0Tag, lut);
    cmsPipelineFree(lut);
    cmsCIExyY d65 = {0.3127, 0.3290, 1.0};
    cmsCIEXYZ white;
    cmsxyY2XYZ(&white, &d65);
    cmsWriteTag(h, cmsSigMediaWhitePointTag, &white);
    return h;
}

} // namespace lcms_fixture

#endif /* QM_CORE_COLOUR_TESTS_LCMS_PROFILES_H */
