/*
 * printhost's page script: read, checked, and played on the driver's drawing entries.
 */
#include "tools/printhost/draw_script.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include <fstream>
#include <map>
#include <sstream>

#include "platform/testing/qm_testing_engine.h"

namespace {

const MIX kDefaultMix = 0x0D0D; // copy pen on both sides
const ULONG kColorOnColor = 3;  // the stretch mode the blits are called with
const LONG kMaxBitmapSide = 70000;

// A named source bitmap of the page and its translation.
struct NamedBitmap {
    SURFOBJ *surface = nullptr;
    XLATEOBJ *xlate = nullptr;
};

// The drawing state of a page: engine objects made for it, freed with it.
struct DrawState {
    CLIPOBJ *clip = nullptr;
    BRUSHOBJ *brush = nullptr;
    SURFOBJ *pattern = nullptr;
    XLATEOBJ *xlate = nullptr;
    bool brushSet = false;
    POINTL origin = {0, 0};
    bool originSet = false;
    MIX mix = kDefaultMix;
    FLONG fillMode = FP_ALTERNATEMODE;
    LINEATTRS pen = {};
    std::vector<FLOAT_LONG> style;
    XFORMOBJ *xform = nullptr;
    std::map<std::string, NamedBitmap> bitmaps;
    FONTOBJ *font = nullptr;
};

void FreeBitmap(NamedBitmap *b)
{
    if (b->surface != nullptr)
        qmt_EngineFreeBitmap(b->surface);
    if (b->xlate != nullptr)
        qmt_EngineFreeXlate(b->xlate);
    *b = NamedBitmap{};
}

void FreeBrush(DrawState *s)
{
    if (s->brush != nullptr)
        qmt_EngineFreeBrush(s->brush);
    if (s->pattern != nullptr)
        qmt_EngineFreeBitmap(s->pattern);
    if (s->xlate != nullptr)
        qmt_EngineFreeXlate(s->xlate);
    s->brush = nullptr;
    s->pattern = nullptr;
    s->xlate = nullptr;
    s->brushSet = false;
}

void FreeClip(DrawState *s)
{
    if (s->clip != nullptr)
        qmt_EngineFreeClip(s->clip);
    s->clip = nullptr;
}

void FreeState(DrawState *s)
{
    FreeBrush(s);
    FreeClip(s);
    if (s->xform != nullptr)
        qmt_EngineFreeXform(s->xform);
    s->xform = nullptr;
    for (auto &entry : s->bitmaps)
        FreeBitmap(&entry.second);
    s->bitmaps.clear();
    if (s->font != nullptr)
        qmt_EngineFreeFont(s->font);
    s->font = nullptr;
}

void InitPen(DrawState *s)
{
    s->pen = LINEATTRS{};
    s->pen.elWidth.l = 1;
    s->style.clear();
    if (s->xform != nullptr)
        qmt_EngineFreeXform(s->xform);
    s->xform = nullptr;
}

// Number readers: each the whole word.
bool ReadDouble(const std::string &word, double *value)
{
    char *end = nullptr;
    *value = strtod(word.c_str(), &end);
    return !word.empty() && *end == 0 && isfinite(*value);
}

bool ReadLong(const std::string &word, LONG *value)
{
    char *end = nullptr;
    long long v = strtoll(word.c_str(), &end, 0);
    *value = (LONG)v;
    return !word.empty() && *end == 0 && v >= -0x7FFFFFFFLL - 1 && v <= 0x7FFFFFFFLL;
}

bool ReadFix(const std::string &word, FIX *value)
{
    double v;
    if (!ReadDouble(word, &v) || fabs(v) > 100000000.0)
        return false;
    *value = (FIX)lround(v * 16);
    return true;
}

// RRGGBB as a PAL_BGR device colour (blue in the low byte).
bool ReadColor(const std::string &word, ULONG *color)
{
    if (word.size() != 6 || word.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    *color = (ULONG)strtoul(word.c_str(), nullptr, 16);
    return true;
}

bool ReadHex(const std::string &word, std::vector<BYTE> *bytes)
{
    if (word.size() % 2 != 0 || word.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    bytes->clear();
    for (size_t i = 0; i < word.size(); i += 2)
        bytes->push_back((BYTE)strtoul(word.substr(i, 2).c_str(), nullptr, 16));
    return true;
}

std::vector<std::string> SplitCommas(const std::string &word)
{
    std::vector<std::string> parts;
    std::stringstream in(word);
    std::string part;
    while (std::getline(in, part, ','))
        parts.push_back(part);
    return parts;
}

// A path from words[at..]: the built path, or NULL with the reason.
PATHOBJ *ReadPath(const std::vector<std::string> &words, size_t at, std::string *error)
{
    if (at >= words.size()) {
        *error = "a path is missing";
        return nullptr;
    }
    PATHOBJ *ppo = qmt_EnginePath();
    if (words[at] == "rect" || words[at] == "ellipse") {
        FIX v[4];
        if (words.size() != at + 5 || !ReadFix(words[at + 1], &v[0]) || !ReadFix(words[at + 2], &v[1]) ||
            !ReadFix(words[at + 3], &v[2]) || !ReadFix(words[at + 4], &v[3])) {
            *error = words[at] + " needs L T R B";
            EngDeletePath(ppo);
            return nullptr;
        }
        if (words[at] == "ellipse") {
            qmt_EnginePathEllipse(ppo, v[0], v[1], v[2], v[3]);
        } else {
            POINTFIX rest[3] = {{v[2], v[1]}, {v[2], v[3]}, {v[0], v[3]}};
            qmt_EnginePathMoveTo(ppo, v[0], v[1]);
            qmt_EnginePathLineTo(ppo, 3, rest);
            qmt_EnginePathClose(ppo);
        }
        return ppo;
    }
    bool open = false;
    for (size_t i = at; i < words.size();) {
        const std::string &op = words[i++];
        std::vector<POINTFIX> points;
        while (i + 1 < words.size() && words[i] != "M" && words[i] != "L" && words[i] != "C" && words[i] != "Z") {
            POINTFIX p;
            if (!ReadFix(words[i], &p.x) || !ReadFix(words[i + 1], &p.y)) {
                *error = "bad point " + words[i] + " " + words[i + 1];
                EngDeletePath(ppo);
                return nullptr;
            }
            points.push_back(p);
            i += 2;
        }
        bool ok = true;
        if (op == "M") {
            ok = points.size() == 1;
            if (ok)
                qmt_EnginePathMoveTo(ppo, points[0].x, points[0].y);
            open = ok;
        } else if (op == "L") {
            ok = open && !points.empty();
            if (ok)
                qmt_EnginePathLineTo(ppo, (ULONG)points.size(), points.data());
        } else if (op == "C") {
            ok = open && !points.empty() && points.size() % 3 == 0;
            if (ok)
                qmt_EnginePathBezierTo(ppo, (ULONG)points.size(), points.data());
        } else if (op == "Z") {
            ok = open && points.empty();
            qmt_EnginePathClose(ppo);
            open = false;
        } else {
            ok = false;
        }
        if (!ok) {
            *error = "bad path at '" + op + "'";
            EngDeletePath(ppo);
            return nullptr;
        }
    }
    return ppo;
}

// brush mono / pattern: a bitmap of the picture (rows top first), either row order.
bool ReadPatternBrush(DrawState *s, const DrawEntries *e, SURFOBJ *surface, const std::vector<std::string> &w,
                      std::string *error)
{
    bool mono = w[1] == "mono";
    size_t at = mono ? 2 : 3;
    LONG bits = 1, width = 0, height = 0;
    if (!mono && (!ReadLong(w[2], &bits) || (bits != 4 && bits != 8 && bits != 24))) {
        *error = "pattern bits are 4, 8 or 24";
        return false;
    }
    std::vector<BYTE> data;
    if (w.size() < at + 3 || !ReadLong(w[at], &width) || !ReadLong(w[at + 1], &height) || width <= 0 || height <= 0 ||
        width > 4096 || height > 4096 || !ReadHex(w[at + 2], &data)) {
        *error = "needs W H <hex>";
        return false;
    }
    size_t rowBytes = (size_t)((width * bits + 7) / 8);
    if (data.size() != rowBytes * (size_t)height) {
        *error =
            "the hex data does not hold " + std::to_string(height) + " rows of " + std::to_string(rowBytes) + " bytes";
        return false;
    }
    std::vector<ULONG> palette;
    bool bottomUp = false;
    size_t i = at + 3;
    if (mono) {
        ULONG fg, bg;
        if (w.size() < i + 2 || !ReadColor(w[i], &fg) || !ReadColor(w[i + 1], &bg)) {
            *error = "mono needs FG BG";
            return false;
        }
        palette = {fg, bg};
        i += 2;
    }
    for (; i < w.size(); ++i) {
        if (w[i] == "bottomup") {
            bottomUp = true;
        } else if (!mono && w[i] == "palette" && i + 1 < w.size()) {
            for (const std::string &c : SplitCommas(w[++i])) {
                ULONG color;
                if (!ReadColor(c, &color)) {
                    *error = "bad palette colour " + c;
                    return false;
                }
                palette.push_back(color);
            }
        } else {
            *error = "unexpected '" + w[i] + "'";
            return false;
        }
    }
    if (bits != 24 && (palette.empty() || palette.size() > (size_t)(1 << bits))) {
        *error = "a palette of 1 to " + std::to_string(1 << bits) + " colours is needed";
        return false;
    }
    ULONG format = bits == 1 ? BMF_1BPP : bits == 4 ? BMF_4BPP : bits == 8 ? BMF_8BPP : BMF_24BPP;
    s->pattern = qmt_EngineBitmap(width, height, format, bottomUp ? FALSE : TRUE);
    if (s->pattern == nullptr) {
        *error = "no pattern bitmap";
        return false;
    }
    BYTE *row = (BYTE *)s->pattern->pvScan0;
    for (long y = 0; y < height; ++y, row += s->pattern->lDelta) {
        const BYTE *from = data.data() + (size_t)y * rowBytes;
        if (bits != 24) {
            memcpy(row, from, rowBytes);
            continue;
        }
        for (long x = 0; x < width; ++x) { // written RGB, stored blue first
            row[3 * x] = from[3 * x + 2];
            row[3 * x + 1] = from[3 * x + 1];
            row[3 * x + 2] = from[3 * x];
        }
    }
    s->xlate = bits == 24 ? qmt_EngineXlateTrivial() : qmt_EngineXlateTable(palette.data(), (ULONG)palette.size());
    s->brush = qmt_EnginePatternBrush(surface, s->pattern, nullptr, s->xlate, HS_DDI_MAX, e->realizeBrush);
    return true;
}

bool ReadBrush(DrawState *s, const DrawEntries *e, SURFOBJ *surface, const std::vector<std::string> &w,
               std::string *error)
{
    FreeBrush(s);
    s->brushSet = true;
    if (w.size() < 2) {
        *error = "brush needs a kind";
        return false;
    }
    if (w[1] == "none" && w.size() == 2)
        return true;
    ULONG a, b;
    if (w[1] == "solid") {
        if (w.size() != 3 || !ReadColor(w[2], &a)) {
            *error = "solid needs RRGGBB";
            return false;
        }
        s->brush = qmt_EngineSolidBrush(a);
        return true;
    }
    if (w[1] == "hatch") {
        LONG style;
        if (w.size() != 5 || !ReadLong(w[2], &style) || style < 0 || style > 5 || !ReadColor(w[3], &a) ||
            !ReadColor(w[4], &b)) {
            *error = "hatch needs <0-5> FG BG";
            return false;
        }
        s->brush = qmt_EngineHatchBrush(surface, (ULONG)style, a, b, e->realizeBrush);
        return true;
    }
    if (w[1] == "mono" || (w[1] == "pattern" && w.size() > 2))
        return ReadPatternBrush(s, e, surface, w, error);
    *error = "unknown brush '" + w[1] + "'";
    return false;
}

bool ReadStyle(const std::string &word, bool geometric, std::vector<FLOAT_LONG> *style)
{
    style->clear();
    for (const std::string &part : SplitCommas(word)) {
        FLOAT_LONG length;
        double v;
        if (!ReadDouble(part, &v) || v < 0 || v > 100000)
            return false;
        if (geometric)
            length.e = (FLOAT)v;
        else
            length.l = (LONG)v;
        style->push_back(length);
    }
    return !style->empty();
}

bool ReadPen(DrawState *s, const std::vector<std::string> &w, std::string *error)
{
    InitPen(s);
    if (w.size() < 2 || (w[1] != "cosmetic" && w[1] != "geometric")) {
        *error = "pen is cosmetic or geometric";
        return false;
    }
    bool geometric = w[1] == "geometric";
    size_t i = 2;
    double v;
    if (geometric) {
        if (w.size() < 3 || !ReadDouble(w[2], &v) || v < 0) {
            *error = "a geometric pen needs its width";
            return false;
        }
        s->pen.fl = LA_GEOMETRIC;
        s->pen.elWidth.e = (FLOAT)v;
        s->pen.iJoin = JOIN_MITER;
        s->pen.iEndCap = ENDCAP_BUTT;
        s->pen.eMiterLimit = 10.0f;
        i = 3;
    }
    XFORML xform = {1, 0, 0, 1, 0, 0};
    for (; i < w.size(); ++i) {
        const std::string &key = w[i];
        bool hasValue = i + 1 < w.size();
        LONG n;
        if (key == "startgap") {
            s->pen.fl |= LA_STARTGAP;
        } else if (key == "width" && !geometric && hasValue && ReadLong(w[i + 1], &n) && n >= 0) {
            s->pen.elWidth.l = n;
            ++i;
        } else if (key == "style" && hasValue && !geometric && w[i + 1] == "alternate") {
            s->pen.fl |= LA_ALTERNATE;
            ++i;
        } else if (key == "style" && hasValue && ReadStyle(w[i + 1], geometric, &s->style)) {
            s->pen.fl |= LA_STYLED;
            ++i;
        } else if (geometric && key == "join" && hasValue) {
            const std::string &j = w[++i];
            s->pen.iJoin = j == "round" ? JOIN_ROUND : j == "bevel" ? JOIN_BEVEL : JOIN_MITER;
            if (j != "round" && j != "bevel" && j != "miter") {
                *error = "join is round, bevel or miter";
                return false;
            }
        } else if (geometric && key == "cap" && hasValue) {
            const std::string &c = w[++i];
            s->pen.iEndCap = c == "round" ? ENDCAP_ROUND : c == "square" ? ENDCAP_SQUARE : ENDCAP_BUTT;
            if (c != "round" && c != "square" && c != "butt") {
                *error = "cap is round, square or butt";
                return false;
            }
        } else if (geometric && key == "miter" && hasValue && ReadDouble(w[i + 1], &v)) {
            s->pen.eMiterLimit = (FLOAT)v;
            ++i;
        } else if (geometric && key == "xform" && i + 4 < w.size()) {
            double m[4];
            for (int k = 0; k < 4; ++k) {
                if (!ReadDouble(w[i + 1 + k], &m[k])) {
                    *error = "xform needs A B C D";
                    return false;
                }
            }
            xform = XFORML{(FLOAT)m[0], (FLOAT)m[1], (FLOAT)m[2], (FLOAT)m[3], 0, 0};
            i += 4;
        } else {
            *error = "unexpected '" + key + "' in pen";
            return false;
        }
    }
    if (geometric)
        s->xform = qmt_EngineXform(&xform);
    return true;
}

bool ReadClip(DrawState *s, const std::vector<std::string> &w, std::string *error)
{
    FreeClip(s);
    if (w.size() == 2 && w[1] == "none")
        return true;
    if (w.size() >= 2 && w[1] == "rect") {
        LONG v[4];
        if (w.size() != 6 || !ReadLong(w[2], &v[0]) || !ReadLong(w[3], &v[1]) || !ReadLong(w[4], &v[2]) ||
            !ReadLong(w[5], &v[3])) {
            *error = "clip rect needs L T R B";
            return false;
        }
        RECTL r = {v[0], v[1], v[2], v[3]};
        s->clip = qmt_EngineClip(&r, 1);
        return true;
    }
    if (w.size() >= 2 && w[1] == "path") {
        PATHOBJ *ppo = ReadPath(w, 2, error);
        if (ppo == nullptr)
            return false;
        s->clip = qmt_EngineClipPath(ppo);
        EngDeletePath(ppo);
        if (s->clip == nullptr) {
            *error = "an empty clip path";
            return false;
        }
        return true;
    }
    *error = "clip is none, rect or path";
    return false;
}

// One pixel of a row: an index (1 to 8 bits) or an RRGGBB colour stored as the device
// keeps it (16 bits 5-6-5, 24 and 32 bits blue first).
void PutPixel(BYTE *row, LONG x, LONG bits, ULONG value)
{
    switch (bits) {
    case 1: {
        BYTE bit = (BYTE)(0x80 >> (x % 8));
        row[x / 8] = (BYTE)((value & 1) ? row[x / 8] | bit : row[x / 8] & ~bit);
        break;
    }
    case 4:
        row[x / 2] = (BYTE)((x & 1) ? (row[x / 2] & 0xF0) | (value & 0x0F) : (row[x / 2] & 0x0F) | (value & 0x0F) << 4);
        break;
    case 8: row[x] = (BYTE)value; break;
    case 16: {
        WORD v = (WORD)(((value >> 19) & 0x1F) << 11 | ((value >> 10) & 0x3F) << 5 | ((value >> 3) & 0x1F));
        row[2 * x] = (BYTE)v;
        row[2 * x + 1] = (BYTE)(v >> 8);
        break;
    }
    default: {
        LONG step = bits / 8;
        row[step * x] = (BYTE)value;
        row[step * x + 1] = (BYTE)(value >> 8);
        row[step * x + 2] = (BYTE)(value >> 16);
        if (step == 4)
            row[4 * x + 3] = 0;
        break;
    }
    }
}

// The value of pixel (x, y) of a generated fill.
ULONG FillValue(const std::string &fill, LONG n, ULONG solid, LONG x, LONG y, LONG w, LONG h, LONG bits, ULONG *seed)
{
    ULONG indices = bits <= 8 ? 1u << bits : 0;
    if (fill == "solid")
        return solid;
    if (fill == "gradient") {
        if (indices != 0)
            return (ULONG)(x + y) % indices;
        ULONG r = w > 1 ? (ULONG)(x * 255 / (w - 1)) : 0;
        ULONG g = h > 1 ? (ULONG)(y * 255 / (h - 1)) : 0;
        return r << 16 | g << 8 | (255 - r);
    }
    if (fill == "noise") {
        *seed = *seed * 1103515245u + 12345u;
        ULONG v = (*seed >> 8) & 0xFFFFFF;
        return indices != 0 ? v % indices : v;
    }
    bool on = fill == "checker" ? ((x / n) + (y / n)) % 2 == 0 : (x / n) % 2 == 0;
    if (indices != 0)
        return on ? indices - 1 : 0;
    return on ? 0xFFFFFF : 0;
}

// bitmap <name> <bits> W H <fill> [palette C,...] [xlate identity | swap | table] [bottomup]
bool ReadBitmap(DrawState *s, const std::vector<std::string> &w, std::string *error)
{
    LONG bits = 0, width = 0, height = 0;
    if (w.size() < 6 || !ReadLong(w[2], &bits) ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
        *error = "bitmap needs <name> <1|4|8|16|24|32> W H <fill>";
        return false;
    }
    if (!ReadLong(w[3], &width) || !ReadLong(w[4], &height) || width <= 0 || height <= 0 || width > kMaxBitmapSide ||
        height > kMaxBitmapSide) {
        *error = "bitmap W H from 1 to " + std::to_string(kMaxBitmapSide);
        return false;
    }
    const std::string &fill = w[5];
    size_t i = 6;
    LONG n = 1;
    ULONG solid = 0;
    ULONG seed = 1;
    std::vector<BYTE> hex;
    size_t packedRow = (size_t)(((LONGLONG)width * bits + 7) / 8);
    if (fill == "solid" && i < w.size()) {
        LONG index = 0;
        if (bits > 8 ? !ReadColor(w[i], &solid) : (!ReadLong(w[i], &index) || index < 0 || index >= (1 << bits))) {
            *error = bits > 8 ? "solid needs RRGGBB" : "solid needs an index of the palette";
            return false;
        }
        if (bits <= 8)
            solid = (ULONG)index;
        ++i;
    } else if ((fill == "noise" || fill == "checker" || fill == "stripes") && i < w.size() && ReadLong(w[i], &n) &&
               n > 0) {
        seed = (ULONG)n;
        ++i;
    } else if (fill == "hex" && i < w.size() && ReadHex(w[i], &hex)) {
        if (hex.size() != packedRow * (size_t)height) {
            *error = "the hex data does not hold " + std::to_string(height) + " rows of " + std::to_string(packedRow) +
                     " bytes";
            return false;
        }
        ++i;
    } else if (fill != "gradient") {
        *error = "fill is solid C, gradient, noise <seed>, checker <n>, stripes <n> or hex <rows>";
        return false;
    }
    std::vector<ULONG> palette;
    std::string xlate = bits <= 8 ? "table" : bits == 16 ? "fields" : "identity";
    bool bottomUp = false;
    for (; i < w.size(); ++i) {
        if (w[i] == "bottomup") {
            bottomUp = true;
        } else if (w[i] == "palette" && i + 1 < w.size()) {
            for (const std::string &c : SplitCommas(w[++i])) {
                ULONG color;
                if (!ReadColor(c, &color)) {
                    *error = "bad palette colour " + c;
                    return false;
                }
                palette.push_back(color);
            }
        } else if (w[i] == "xlate" && i + 1 < w.size() &&
                   (w[i + 1] == "identity" || w[i + 1] == "swap" || w[i + 1] == "table")) {
            xlate = w[++i];
        } else {
            *error = "unexpected '" + w[i] + "'";
            return false;
        }
    }
    if (xlate == "table" && (bits > 8 || palette.empty() || palette.size() > (size_t)(1 << bits))) {
        *error = "a table translation needs 1 to 8 bits and a palette of at most 2^bits colours";
        return false;
    }
    static const ULONG kFormats[] = {0, BMF_1BPP, 0, 0, BMF_4BPP, 0, 0, 0, BMF_8BPP};
    ULONG format = bits <= 8 ? kFormats[bits] : bits == 16 ? BMF_16BPP : bits == 24 ? BMF_24BPP : BMF_32BPP;
    NamedBitmap made;
    made.surface = qmt_EngineBitmap(width, height, format, bottomUp ? FALSE : TRUE);
    if (made.surface == nullptr) {
        *error = "no bitmap";
        return false;
    }
    BYTE *row = (BYTE *)made.surface->pvScan0;
    for (LONG y = 0; y < height; ++y, row += made.surface->lDelta) {
        if (!hex.empty()) {
            memcpy(row, hex.data() + (size_t)y * packedRow, packedRow);
            continue;
        }
        for (LONG x = 0; x < width; ++x)
            PutPixel(row, x, bits, FillValue(fill, n, solid, x, y, width, height, bits, &seed));
    }
    if (xlate == "table")
        made.xlate = qmt_EngineXlateTable(palette.data(), (ULONG)palette.size());
    else if (bits == 16)
        made.xlate = qmt_EngineXlateColors(PAL_BITFIELDS, 0xF800, 0x07E0, 0x001F, xlate == "swap" ? PAL_RGB : PAL_BGR);
    else if (xlate == "swap")
        made.xlate = qmt_EngineXlateColors(PAL_BGR, 0, 0, 0, PAL_RGB);
    else
        made.xlate = qmt_EngineXlateTrivial();
    NamedBitmap &slot = s->bitmaps[w[1]];
    FreeBitmap(&slot);
    slot = made;
    return true;
}

// A named bitmap; in a dry check any name passes (bitmaps are made when the page plays).
bool FindBitmap(DrawState *s, const std::string &name, bool dry, NamedBitmap *out, std::string *error)
{
    auto found = s->bitmaps.find(name);
    if (found != s->bitmaps.end()) {
        *out = found->second;
        return true;
    }
    *out = NamedBitmap{};
    if (!dry)
        *error = "no bitmap named '" + name + "' on this page";
    return dry;
}

// Numbers of w[at..at+count-1]; FALSE when any is missing or not a number.
bool ReadLongs(const std::vector<std::string> &w, size_t at, size_t count, LONG *values)
{
    if (at + count > w.size())
        return false;
    for (size_t k = 0; k < count; ++k)
        if (!ReadLong(w[at + k], &values[k]))
            return false;
    return true;
}

// copybits, stretchblt, bitblt and stretchbltrop. Answers 1 done, 0 FALSE, -1 script error.
int PlayBlit(DrawState *s, const DrawEntries *e, SURFOBJ *surface, const std::vector<std::string> &w, bool dry,
             std::string *error)
{
    const std::string &op = w[0];
    NamedBitmap source, mask;
    LONG v[4];
    RECTL dest;
    ROP4 rop4 = 0xCCCC;
    size_t at = 1;
    if (op == "bitblt" || op == "stretchbltrop") {
        LONG rop = 0;
        if (w.size() < 2 || !ReadLong(w[1], &rop) || rop < 0 || rop > 0xFFFF) {
            *error = op + " needs a ROP4 0xRRRR";
            return -1;
        }
        rop4 = (ROP4)rop;
        at = 2;
    }
    if (op != "bitblt") {
        if (at >= w.size() || !FindBitmap(s, w[at], dry, &source, error)) {
            if (error->empty())
                *error = op + " needs a bitmap name";
            return -1;
        }
        ++at;
    }
    if (op == "copybits") {
        if (w.size() != 4 || !ReadLongs(w, 2, 2, v)) {
            *error = "copybits needs <name> X Y";
            return -1;
        }
        if (dry)
            return 1;
        dest = {v[0], v[1], v[0] + source.surface->sizlBitmap.cx, v[1] + source.surface->sizlBitmap.cy};
        POINTL from = {0, 0};
        return e->copyBits(surface, source.surface, s->clip, source.xlate, &dest, &from) ? 1 : 0;
    }
    if (!ReadLongs(w, at, 4, v)) {
        *error = op + " needs L T R B";
        return -1;
    }
    dest = {v[0], v[1], v[2], v[3]};
    at += 4;
    bool hasSrc = false, hasMask = false;
    LONG src[4] = {0, 0, 0, 0};
    POINTL maskAt = {0, 0};
    while (at < w.size()) {
        if (w[at] == "src" && op == "bitblt" && at + 3 < w.size() && FindBitmap(s, w[at + 1], dry, &source, error) &&
            ReadLongs(w, at + 2, 2, src)) {
            hasSrc = true;
            at += 4;
        } else if (w[at] == "src" && op != "bitblt" && ReadLongs(w, at + 1, 4, src)) {
            hasSrc = true;
            at += 5;
        } else if (w[at] == "mask" && op != "stretchbltrop" && at + 3 < w.size() &&
                   FindBitmap(s, w[at + 1], dry, &mask, error) && ReadLong(w[at + 2], &maskAt.x) &&
                   ReadLong(w[at + 3], &maskAt.y)) {
            hasMask = true;
            at += 4;
        } else {
            if (error->empty())
                *error = "unexpected '" + w[at] + "' in " + op;
            return -1;
        }
    }
    if (dry)
        return 1;
    SURFOBJ *maskSurface = hasMask ? mask.surface : nullptr;
    POINTL *maskPoint = hasMask ? &maskAt : nullptr;
    if (op == "bitblt") {
        POINTL from = {src[0], src[1]};
        POINTL *origin = s->originSet ? &s->origin : nullptr;
        return e->bitBlt(surface,
                         hasSrc ? source.surface : nullptr,
                         maskSurface,
                         s->clip,
                         hasSrc ? source.xlate : nullptr,
                         &dest,
                         hasSrc ? &from : nullptr,
                         maskPoint,
                         s->brush,
                         origin,
                         rop4)
                   ? 1
                   : 0;
    }
    RECTL from = hasSrc ? RECTL{src[0], src[1], src[0] + src[2], src[1] + src[3]}
                        : RECTL{0, 0, source.surface->sizlBitmap.cx, source.surface->sizlBitmap.cy};
    if (op == "stretchblt")
        return e->stretchBlt(surface,
                             source.surface,
                             maskSurface,
                             s->clip,
                             source.xlate,
                             nullptr,
                             nullptr,
                             &dest,
                             &from,
                             maskPoint,
                             kColorOnColor)
                   ? 1
                   : 0;
    return e->stretchBltRop(surface,
                            source.surface,
                            nullptr,
                            s->clip,
                            source.xlate,
                            nullptr,
                            nullptr,
                            &dest,
                            &from,
                            nullptr,
                            kColorOnColor,
                            s->brush,
                            rop4)
               ? 1
               : 0;
}

// A quoted word run starting at w[*at] ("a b" split into "\"a" and "b\""), unquoted; *at
// moves past it. false when w[*at] does not open a quote that closes.
bool ReadQuoted(const std::vector<std::string> &w, size_t *at, std::string *out)
{
    if (*at >= w.size() || w[*at].empty() || w[*at][0] != '"')
        return false;
    std::string text = w[*at].substr(1);
    while (text.empty() || text.back() != '"') {
        if (++*at >= w.size())
            return false;
        text += " " + w[*at];
    }
    ++*at;
    text.pop_back();
    *out = text;
    return true;
}

// The UTF-16 form of UTF-8 text.
std::u16string Wide(const std::string &text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0);
    std::u16string wide((size_t)(n > 0 ? n : 0), u'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), (LPWSTR)wide.data(), n);
    return wide;
}

// font device "<face>" <pixels>: the DC's device font of that face name.
int ReadFont(DrawState *s, const DrawEntries *e, SURFOBJ *surface, const std::vector<std::string> &w, bool dry,
             std::string *error)
{
    size_t at = 2;
    std::string face;
    LONG pixels = 0;
    if (w.size() < 4 || w[1] != "device" || !ReadQuoted(w, &at, &face) || at + 1 != w.size() ||
        !ReadLong(w[at], &pixels) || pixels <= 0) {
        *error = "font needs device \"<face>\" <pixels>";
        return -1;
    }
    if (dry)
        return 1;
    std::u16string wide = Wide(face);
    ULONG_PTR id = 0;
    for (ULONG index = 1;; ++index) {
        IFIMETRICS *pifi = e->queryFont(surface->dhpdev, 0, index, &id);
        if (pifi == nullptr)
            break;
        if (pifi->dpwszFaceName != 0 && wide == (LPCWSTR)((const BYTE *)pifi + pifi->dpwszFaceName) &&
            pifi->fwdUnitsPerEm > 0) {
            if (s->font != nullptr)
                qmt_EngineFreeFont(s->font);
            FLOAT scale = (FLOAT)pixels / (FLOAT)pifi->fwdUnitsPerEm;
            s->font = qmt_EngineFont(pifi, scale, scale, FO_TYPE_DEVICE, index);
            return 1;
        }
    }
    *error = "the DC has no device font \"" + face + "\"";
    return -1;
}

// Four numbers from w[at] on as a rectangle.
bool ReadRect(const std::vector<std::string> &w, size_t at, RECTL *rect)
{
    return at + 4 <= w.size() && ReadLong(w[at], &rect->left) && ReadLong(w[at + 1], &rect->top) &&
           ReadLong(w[at + 2], &rect->right) && ReadLong(w[at + 3], &rect->bottom);
}

// text X Y "<text>" [opaque L T R B] [extra L T R B ...] [advance N] [vertical] [reversed]
int PlayText(DrawState *s, const DrawEntries *e, SURFOBJ *surface, const std::vector<std::string> &w, bool dry,
             std::string *error)
{
    LONG x = 0, y = 0, advance = 0;
    size_t at = 3;
    std::string text;
    RECTL opaque = {};
    bool hasOpaque = false, vertical = false, reversed = false;
    std::vector<RECTL> extra;
    bool ok = w.size() >= 4 && ReadLong(w[1], &x) && ReadLong(w[2], &y) && ReadQuoted(w, &at, &text) && !text.empty();
    while (ok && at < w.size()) {
        RECTL rect = {};
        if (w[at] == "opaque" && ReadRect(w, at + 1, &opaque)) {
            hasOpaque = true;
            at += 5;
        } else if (w[at] == "extra" && ReadRect(w, at + 1, &rect)) {
            extra.push_back(rect);
            at += 5;
        } else if (w[at] == "advance" && at + 1 < w.size() && ReadLong(w[at + 1], &advance) && advance > 0) {
            at += 2;
        } else if (w[at] == "vertical" || w[at] == "reversed") {
            (w[at] == "vertical" ? vertical : reversed) = true;
            ++at;
        } else {
            ok = false;
        }
    }
    if (!ok) {
        *error = "text needs X Y \"<text>\" [opaque L T R B] [extra L T R B ...] [advance N] [vertical] "
                 "[reversed]";
        return -1;
    }
    if (dry)
        return 1;
    if (s->font == nullptr) {
        *error = "text before a font";
        return -1;
    }
    std::u16string wide = Wide(text);
    ULONG count = (ULONG)wide.size();
    std::vector<HGLYPH> glyphs(wide.begin(), wide.end());
    std::vector<USHORT> widths(count, 0);
    if (advance == 0 &&
        !e->queryAdvanceWidths(surface->dhpdev, s->font, QAW_GETWIDTHS, glyphs.data(), widths.data(), count)) {
        *error = "DrvQueryAdvanceWidths refused the text";
        return -1;
    }
    std::vector<GLYPHPOS> pgp(count);
    LONG position = vertical ? y : x;
    for (ULONG i = 0; i < count; ++i) {
        pgp[i].hg = glyphs[i];
        pgp[i].ptl = vertical ? POINTL{x, position} : POINTL{position, y};
        LONG step = advance != 0 ? advance : (LONG)((widths[i] + 8) / 16);
        position += reversed ? -step : step;
    }
    FLONG accel = (vertical ? SO_VERTICAL : SO_HORIZONTAL) | (reversed ? SO_REVERSED : 0);
    STROBJ *pstro = qmt_EngineString(pgp.data(), count, (LPCWSTR)wide.c_str(), (ULONG)advance, accel, TRUE);
    if (!extra.empty())
        extra.push_back(RECTL{0, 0, 0, 0});
    BRUSHOBJ *white = hasOpaque ? qmt_EngineSolidBrush(0xFFFFFF) : nullptr;
    POINTL *origin = s->originSet ? &s->origin : nullptr;
    BOOL drawn = e->textOut(surface,
                            pstro,
                            s->font,
                            s->clip,
                            extra.empty() ? nullptr : extra.data(),
                            hasOpaque ? &opaque : nullptr,
                            s->brush,
                            white,
                            origin,
                            s->mix);
    if (white != nullptr)
        qmt_EngineFreeBrush(white);
    qmt_EngineFreeString(pstro);
    return drawn ? 1 : 0;
}

// readback L T R B: the device surface's rectangle copied into an engine bitmap, as an
// application reads the page back. Answers as PlayBlit.
int PlayReadback(const DrawEntries *e, SURFOBJ *surface, const std::vector<std::string> &w, bool dry,
                 std::string *error)
{
    LONG v[4];
    if (w.size() != 5 || !ReadLongs(w, 1, 4, v) || v[2] <= v[0] || v[3] <= v[1]) {
        *error = "readback needs L T R B, R above L and B above T";
        return -1;
    }
    if (dry)
        return 1;
    SURFOBJ *copy = qmt_EngineBitmap(v[2] - v[0], v[3] - v[1], BMF_24BPP, TRUE);
    if (copy == nullptr) {
        *error = "readback: no bitmap";
        return -1;
    }
    RECTL dest = {0, 0, v[2] - v[0], v[3] - v[1]};
    POINTL from = {v[0], v[1]};
    BOOL copied = e->copyBits(copy, surface, nullptr, nullptr, &dest, &from);
    qmt_EngineFreeBitmap(copy);
    return copied ? 1 : 0;
}


// Plays one statement (dry: builds and checks, calls nothing). Answers 1 done, 0 when the
// drawing call answered FALSE, -1 on a script error (error says why).
int Play(DrawState *s, const DrawEntries *e, SURFOBJ *surface, const DrawStatement &st, bool dry, std::string *error)
{
    const std::vector<std::string> &w = st.words;
    const std::string &op = w[0];
    if (op == "clip")
        return ReadClip(s, w, error) ? 1 : -1;
    if (op == "brush")
        return ReadBrush(s, e, surface, w, error) ? 1 : -1;
    if (op == "pen")
        return ReadPen(s, w, error) ? 1 : -1;
    if (op == "origin") {
        LONG x, y;
        if (w.size() != 3 || !ReadLong(w[1], &x) || !ReadLong(w[2], &y)) {
            *error = "origin needs X Y";
            return -1;
        }
        s->origin = POINTL{x, y};
        s->originSet = true;
        return 1;
    }
    if (op == "mix") {
        LONG mix;
        if (w.size() != 2 || !ReadLong(w[1], &mix) || mix < 0 || mix > 0xFFFF) {
            *error = "mix needs 0xMMMM";
            return -1;
        }
        s->mix = (MIX)mix;
        return 1;
    }
    if (op == "fillmode") {
        LONG mode;
        if (w.size() == 2 && w[1] == "alternate")
            s->fillMode = FP_ALTERNATEMODE;
        else if (w.size() == 2 && w[1] == "winding")
            s->fillMode = FP_WINDINGMODE;
        else if (w.size() == 2 && ReadLong(w[1], &mode) && mode >= 0)
            s->fillMode = (FLONG)mode;
        else {
            *error = "fillmode is alternate, winding or a number";
            return -1;
        }
        return 1;
    }
    if (op == "bitmap")
        return ReadBitmap(s, w, error) ? 1 : -1;
    if (op == "font")
        return ReadFont(s, e, surface, w, dry, error);
    if (op == "text")
        return PlayText(s, e, surface, w, dry, error);
    if (op == "copybits" || op == "stretchblt" || op == "bitblt" || op == "stretchbltrop")
        return PlayBlit(s, e, surface, w, dry, error);
    if (op == "readback")
        return PlayReadback(e, surface, w, dry, error);
    if (op == "stroke" || op == "fill" || op == "strokefill") {
        PATHOBJ *ppo = ReadPath(w, 1, error);
        if (ppo == nullptr)
            return -1;
        BOOL drawn = TRUE;
        if (!dry) {
            s->pen.cstyle = (ULONG)s->style.size();
            s->pen.pstyle = s->style.empty() ? nullptr : s->style.data();
            POINTL *origin = s->originSet ? &s->origin : nullptr;
            if (op == "stroke")
                drawn = e->strokePath(surface, ppo, s->clip, s->xform, s->brush, origin, &s->pen, s->mix);
            else if (op == "fill")
                drawn = e->fillPath(surface, ppo, s->clip, s->brush, origin, s->mix, s->fillMode);
            else
                drawn = e->strokeAndFillPath(
                    surface, ppo, s->clip, s->xform, s->brush, &s->pen, s->brush, origin, s->mix, s->fillMode);
        }
        EngDeletePath(ppo);
        return drawn ? 1 : 0;
    }
    *error = "unknown statement '" + op + "'";
    return -1;
}

} // namespace

BOOL ph_ReadDrawScript(const char *path, DrawScript *script, std::string *error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = std::string(path) + ": cannot be read";
        return FALSE;
    }
    *script = DrawScript{};
    std::string text;
    int number = 0;
    bool inStamp = false;
    std::vector<DrawStatement> *target = nullptr;
    DrawEntries none = {};
    while (std::getline(file, text)) {
        ++number;
        std::string where = std::string(path) + ":" + std::to_string(number) + ": ";
        size_t hash = text.find('#');
        if (hash != std::string::npos)
            text.erase(hash);
        std::stringstream in(text);
        DrawStatement st = {number, {}};
        std::string word;
        while (in >> word)
            st.words.push_back(word);
        if (st.words.empty())
            continue;
        const std::string &op = st.words[0];
        if (op == "page" && st.words.size() == 1 && !inStamp) {
            script->pages.emplace_back();
            target = &script->pages.back();
            continue;
        }
        if (op == "stamp" && st.words.size() == 1 && !inStamp) {
            inStamp = true;
            script->stamp.clear();
            continue;
        }
        if (op == "end" && st.words.size() == 1 && inStamp) {
            inStamp = false;
            continue;
        }
        if (!inStamp && target == nullptr) {
            *error = where + "'" + op + "' before the first page";
            return FALSE;
        }
        // Checked by building what it names, in a state of its own.
        DrawState check;
        InitPen(&check);
        std::string reason;
        int played = Play(&check, &none, nullptr, st, true, &reason);
        FreeState(&check);
        if (played < 0) {
            *error = where + reason;
            return FALSE;
        }
        (inStamp ? script->stamp : *target).push_back(st);
    }
    if (inStamp) {
        *error = std::string(path) + ":" + std::to_string(number) + ": the stamp block has no end";
        return FALSE;
    }
    return TRUE;
}

int ph_DrawStatements(const DrawEntries *entries, SURFOBJ *surface, const std::vector<DrawStatement> &statements)
{
    DrawState state;
    InitPen(&state);
    int failures = 0;
    for (const DrawStatement &st : statements) {
        std::string error;
        int played = Play(&state, entries, surface, st, false, &error);
        if (played == 0) {
            fprintf(stderr, "printhost: line %d: %s answered FALSE\n", st.line, st.words[0].c_str());
            ++failures;
        } else if (played < 0) {
            fprintf(stderr, "printhost: line %d: %s\n", st.line, error.c_str());
            ++failures;
        }
    }
    FreeState(&state);
    return failures;
}
