/*
 * Path and shape operations of the writer. Points are 28.4 fixed point (POINTFIX); the
 * integer forms carry whole pixels, the float forms value x 0.0625.
 */
#include "render/pdl/writer/pdl_private.h"

// Most points (line-to) or curves (Bezier) one command carries.
static const DWORD kMaxRun = 65535;
// Range of a 28.4 value that is a pixel within s16.
static const LONG kMinFix = -0x80000;
static const LONG kMaxFix = 0x7FFFF;
static const float kFixScale = 0.0625f;

// 1 when a 28.4 value is a whole pixel within s16.
static int IsWholePixel(LONG value)
{
    return (value & 0xF) == 0 && value >= kMinFix && value <= kMaxFix;
}

// 1 when the integer form may carry these n points.
static int UseIntPoints(const PdlWriter *writer, const POINTFIX *points, DWORD n)
{
    if (!pdl_UseIntForm(writer)) {
        return 0;
    }
    for (DWORD i = 0; i < n; ++i) {
        if (!IsWholePixel(points[i].x) || !IsWholePixel(points[i].y)) {
            return 0;
        }
    }
    return 1;
}

// Writes n points as floats through send (Bp or Bu with count).
static int SendFloatPoints(PdlWriter *writer, const POINTFIX *points, DWORD n, DWORD count,
                           int (*send)(OutputStream *, DWORD, const float *))
{
    float *values = (float *)pdl_TempAlloc(n * 2 * sizeof(float));
    if (values == NULL) {
        return -1;
    }
    for (DWORD i = 0; i < n; ++i) {
        values[2 * i] = (float)points[i].x * kFixScale;
        values[2 * i + 1] = (float)points[i].y * kFixScale;
    }
    int result = send(writer->stream, count, values);
    pdl_TempFree(values);
    writer->currentPointValid = 0;
    return result;
}

// 1 when a step between two pixel coordinates fits s16.
static int StepFits(LONG from, LONG to)
{
    return pdl_FitsS16(to - from);
}

// One line-to command of n (1..65535) points.
static int LineRun(PdlWriter *writer, DWORD n, const POINTFIX *points)
{
    if (!UseIntPoints(writer, points, n)) {
        return SendFloatPoints(writer, points, n, n, lmq_CmdBp);
    }
    // One scratch block: the relative steps (2n LONG), then the pixels (2n s16).
    LONG *steps = (LONG *)pdl_TempAlloc(n * 2 * (sizeof(LONG) + sizeof(short)));
    if (steps == NULL) {
        return -1;
    }
    short *pixels = (short *)(steps + 2 * n);
    int relative = writer->currentPointValid != 0;
    LONG lastX = writer->currentX;
    LONG lastY = writer->currentY;
    for (DWORD i = 0; i < n; ++i) {
        LONG x = points[i].x >> 4;
        LONG y = points[i].y >> 4;
        pixels[2 * i] = (short)x;
        pixels[2 * i + 1] = (short)y;
        relative = relative && StepFits(lastX, x) && StepFits(lastY, y);
        steps[2 * i] = x - lastX;
        steps[2 * i + 1] = y - lastY;
        lastX = x;
        lastY = y;
    }
    int result = relative ? lmq_CmdB0(writer->stream, n, steps) : lmq_CmdBP(writer->stream, n, pixels);
    pdl_TempFree(steps);
    writer->currentPointValid = result == 0 ? 1 : 0;
    writer->currentX = lastX;
    writer->currentY = lastY;
    return result;
}

// One Bezier command of n (1..65535) curves, 3n points.
static int BezierRun(PdlWriter *writer, DWORD n, const POINTFIX *points)
{
    DWORD pointCount = 3 * n;
    if (!UseIntPoints(writer, points, pointCount)) {
        return SendFloatPoints(writer, points, pointCount, n, lmq_CmdBu);
    }
    short *pixels = (short *)pdl_TempAlloc(pointCount * 2 * sizeof(short));
    if (pixels == NULL) {
        return -1;
    }
    for (DWORD i = 0; i < pointCount; ++i) {
        pixels[2 * i] = (short)(points[i].x >> 4);
        pixels[2 * i + 1] = (short)(points[i].y >> 4);
    }
    int result = lmq_CmdBU(writer->stream, n, pixels);
    pdl_TempFree(pixels);
    writer->currentPointValid = result == 0 ? 1 : 0;
    writer->currentX = points[pointCount - 1].x >> 4;
    writer->currentY = points[pointCount - 1].y >> 4;
    return result;
}

int pdl_BeginPath(PdlWriter *writer)
{
    return writer == NULL ? -1 : lmq_CmdBA(writer->stream);
}

int pdl_MoveTo(PdlWriter *writer, const POINTFIX *point)
{
    if (writer == NULL || point == NULL) {
        return -1;
    }
    int result = 0;
    if (UseIntPoints(writer, point, 1)) {
        result = lmq_CmdBB(writer->stream, point->x >> 4, point->y >> 4);
        writer->currentPointValid = result == 0 ? 1 : 0;
        writer->currentX = point->x >> 4;
        writer->currentY = point->y >> 4;
    } else {
        result = lmq_CmdBb(writer->stream, (float)point->x * kFixScale, (float)point->y * kFixScale);
        writer->currentPointValid = 0;
    }
    return result;
}

int pdl_LineTo(PdlWriter *writer, DWORD count, const POINTFIX *points)
{
    if (writer == NULL || (points == NULL && count > 0)) {
        return -1;
    }
    // Long runs go as several commands, each going on from the last point of the one before.
    for (DWORD done = 0; done < count;) {
        DWORD n = count - done < kMaxRun ? count - done : kMaxRun;
        if (LineRun(writer, n, points + done) != 0) {
            return -1;
        }
        done += n;
    }
    return 0;
}

int pdl_BezierTo(PdlWriter *writer, DWORD count, const POINTFIX *points)
{
    if (writer == NULL || (points == NULL && count > 0)) {
        return -1;
    }
    for (DWORD done = 0; done < count;) {
        DWORD n = count - done < kMaxRun ? count - done : kMaxRun;
        if (BezierRun(writer, n, points + 3 * done) != 0) {
            return -1;
        }
        done += n;
    }
    return 0;
}

int pdl_ClosePath(PdlWriter *writer)
{
    if (writer == NULL) {
        return -1;
    }
    writer->currentPointValid = 0;
    return lmq_CmdBC(writer->stream);
}

int pdl_PaintPath(PdlWriter *writer)
{
    if (writer == NULL) {
        return -1;
    }
    writer->currentPointValid = 0;
    return lmq_CmdBD(writer->stream);
}

int pdl_FillFixRect(PdlWriter *writer, LONG left, LONG top, LONG right, LONG bottom)
{
    if (writer == NULL) {
        return -1;
    }
    if (pdl_UseIntForm(writer) && IsWholePixel(left) && IsWholePixel(top) && IsWholePixel(right) &&
        IsWholePixel(bottom)) {
        return lmq_CmdCG(writer->stream, left >> 4, top >> 4, right >> 4, bottom >> 4);
    }
    return lmq_CmdCg(writer->stream,
                     (float)left * kFixScale,
                     (float)top * kFixScale,
                     (float)right * kFixScale,
                     (float)bottom * kFixScale);
}

int pdl_FillRect(PdlWriter *writer, const RECTL *rect)
{
    return pdl_WriteRect(writer, rect, lmq_CmdCG, lmq_CmdCg);
}

int pdl_DrawEllipse(PdlWriter *writer, const float values[6])
{
    if (writer == NULL || values == NULL) {
        return -1;
    }
    return lmq_CmdCc(writer->stream, values);
}
