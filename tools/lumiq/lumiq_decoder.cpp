/*
 * LUMIQ command reader: a bounded cursor over the input and one layout per opcode.
 */
#include "tools/lumiq/lumiq_decoder.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Cursor over the input. Every read checks the end first; after the first fault
// further reads answer 0 and add nothing, so a layout can read on without checks.
struct Reader {
    const uint8_t *data;
    size_t size;
    size_t pos;
    size_t start;     // offset of the command's opcode
    std::string name; // the opcode's two letters
    std::string &line;
    LqdError &error;
    bool failed = false;
    unsigned lastU8 = 0;

    bool Fail(size_t offset, const std::string &reason)
    {
        if (!failed) {
            failed = true;
            error.offset = offset;
            error.reason = reason;
        }
        return false;
    }

    bool Need(size_t n, const char *what)
    {
        if (failed)
            return false;
        if (n <= size - pos)
            return true;
        char text[160];
        std::snprintf(text,
                      sizeof text,
                      "truncated %s: %s needs %zu bytes, %zu left (command at %zu)",
                      name.c_str(),
                      what,
                      n,
                      size - pos,
                      start);
        return Fail(pos, text);
    }

    uint32_t Big(int width, const char *what)
    {
        if (!Need((size_t)width, what))
            return 0;
        uint32_t v = 0;
        for (int i = 0; i < width; ++i)
            v = (v << 8) | data[pos + i];
        pos += (size_t)width;
        return v;
    }

    void Put(const std::string &field)
    {
        if (!failed)
            line += " " + field;
    }

    unsigned U8()
    {
        unsigned v = Big(1, "u8");
        lastU8 = v;
        Put(std::to_string(v));
        return v;
    }
    int S8()
    {
        int v = (int8_t)(uint8_t)Big(1, "s8");
        Put(std::to_string(v));
        return v;
    }
    unsigned U16()
    {
        unsigned v = Big(2, "u16");
        Put(std::to_string(v));
        return v;
    }
    int S16()
    {
        int v = (int16_t)(uint16_t)Big(2, "s16");
        Put(std::to_string(v));
        return v;
    }
    uint32_t U32()
    {
        uint32_t v = Big(4, "u32");
        Put(std::to_string(v));
        return v;
    }
    float F32()
    {
        uint32_t bits = Big(4, "float");
        float f = 0.0f;
        std::memcpy(&f, &bits, sizeof f);
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", (double)f);
        Put(text);
        return f;
    }
    // Signed variable-length integer: 6 bits and the sign in the first byte, 7 bits in
    // each further byte, bit 7 set while another byte follows; at most 5 bytes.
    void Svar()
    {
        size_t at = pos;
        if (!Need(1, "svar"))
            return;
        uint8_t first = data[pos++];
        bool negative = (first & 0x40) != 0;
        uint64_t m = first & 0x3F;
        uint8_t b = first;
        int used = 1;
        while (b & 0x80) {
            if (used == 5)
                return (void)Fail(at, "svar longer than 5 bytes in " + name);
            if (!Need(1, "svar"))
                return;
            b = data[pos++];
            m = (m << 7) | (b & 0x7F);
            ++used;
        }
        long long v = negative ? -(long long)m : (long long)m;
        Put(std::to_string(v));
    }
    std::string Hex(size_t n, size_t limit)
    {
        static const char kDigits[] = "0123456789abcdef";
        std::string text;
        for (size_t i = 0; i < n && i < limit; ++i) {
            text += kDigits[data[pos + i] >> 4];
            text += kDigits[data[pos + i] & 15];
        }
        if (n > limit)
            text += "...";
        return text;
    }
    void Color(unsigned type)
    {
        if (type != 3 && type != 4)
            return (void)Fail(pos, "colour type " + std::to_string(type) + " in " + name + " is neither 3 nor 4");
        size_t n = type == 3 ? 1 : 3;
        if (!Need(n, "colour"))
            return;
        Put("#" + Hex(n, n));
        pos += n;
    }
    void FloatColor(unsigned type)
    {
        if (type != 3 && type != 4)
            return (void)Fail(pos, "colour type " + std::to_string(type) + " in " + name + " is neither 3 nor 4");
        for (int i = 0; i < (type == 3 ? 1 : 3); ++i)
            F32();
    }
    void Bytes(size_t n, const char *what)
    {
        if (!Need(n, what))
            return;
        Put(std::to_string(n) + ":" + Hex(n, 64));
        pos += n;
    }
    void Text(size_t n)
    {
        if (!Need(n, "text"))
            return;
        Put(lqd_QuoteText(data + pos, n));
        pos += n;
    }
    void Label(const char *word)
    {
        Put(word);
    }
    // A glyph record: u32 header whose low bits give the whole record's size (bitmap
    // records, bit 0x400000: bits 0-21; outline records: bits 0-17).
    void Glyph()
    {
        size_t at = pos;
        if (!Need(4, "glyph header"))
            return;
        uint32_t header = Big(4, "glyph header");
        uint32_t size = (header & 0x400000u) ? (header & 0x3FFFFFu) : (header & 0x3FFFFu);
        if (size < 4)
            return (void)Fail(at,
                              "glyph record size " + std::to_string(size) + " below its 4-byte header after " + name);
        if (size - 4 > this->size - pos)
            return (void)Fail(at, "glyph record of " + std::to_string(size) + " bytes runs past the end after " + name);
        char text[48];
        std::snprintf(text, sizeof text, "glyph 0x%08x %u", header, size);
        Put(text);
        pos += size - 4;
    }
};

// Fields of a command with a fixed layout: b u8, c s8, w s16, W u16, d u32, f float,
// k colour (type = the last u8), K float colour (type = the last u8), g glyph record.
struct FixedLayout {
    char op[3];
    const char *fields;
};

const FixedLayout kFixed[] = {
    {"AA", "wwwwww"}, {"Aa", "ffffff"}, {"AB", "wwww"}, {"Ab", "ffff"},   {"AC", ""},    {"AR", ""},
    {"AD", "w"},      {"Ad", "f"},      {"AE", "b"},    {"AF", "b"},      {"AG", "c"},   {"Ag", "f"},
    {"AI", "b"},      {"AJ", "b"},      {"AK", "b"},    {"AL", "bd"},     {"AM", "bbk"}, {"AN", "wwbbkb"},
    {"An", "ffbbKb"}, {"AQ", "bbbk"},   {"BA", ""},     {"BB", "ww"},     {"Bb", "ff"},  {"BC", ""},
    {"BD", ""},       {"CG", "wwww"},   {"Cg", "ffff"}, {"Cc", "ffffff"}, {"DA", "W"},   {"Db", "ffffff"},
    {"DH", "dg"},     {"DL", "Wg"},     {"DI", "wwd"},  {"DM", "wwW"},    {"Di", "ffd"}, {"Dm", "ffW"},
    {"EA", "b"},      {"EB", ""},       {"ED", ""},     {"EF", ""},       {"FA", "bW"},  {"FB", ""},
    {"FC", ""},       {"FE", "b"},      {"FF", "b"},    {"FH", "bb"},     {"FI", "b"},
};

void ReadFixed(Reader &r, const char *fields)
{
    for (const char *f = fields; *f != '\0' && !r.failed; ++f) {
        switch (*f) {
        case 'b': r.U8(); break;
        case 'c': r.S8(); break;
        case 'w': r.S16(); break;
        case 'W': r.U16(); break;
        case 'd': r.U32(); break;
        case 'f': r.F32(); break;
        case 'k': r.Color(r.lastU8); break;
        case 'K': r.FloatColor(r.lastU8); break;
        case 'g': r.Glyph(); break;
        }
    }
}

// Line style: kind, and for kind 6 the offset, count and dash lengths.
void ReadLineStyle(Reader &r, bool isFloat)
{
    if (r.U8() != 6)
        return;
    isFloat ? (void)r.F32() : (void)r.S16();
    unsigned count = r.U8();
    for (unsigned i = 0; i < count && !r.failed; ++i)
        isFloat ? (void)r.F32() : (void)r.S16();
}

// One-bit pattern brush: origin, kind, colour, 1, width, height, rows.
void ReadBitPattern(Reader &r, bool isFloat)
{
    isFloat ? ReadFixed(r, "ffbbK") : ReadFixed(r, "wwbbk");
    r.U8();
    size_t width = r.U16();
    size_t height = r.U16();
    r.Bytes((width + 7) / 8 * height, "pattern rows");
}

void ReadColorPattern(Reader &r)
{
    ReadFixed(r, "wwbbbWWb");
    r.Bytes(r.U32(), "pattern pixels");
}

void ReadPalette(Reader &r)
{
    ReadFixed(r, "bbW");
    r.Bytes(r.U16(), "palette");
}

// Point runs: count, then per point (or per Bezier segment) the coordinates.
void ReadPoints(Reader &r, char form, unsigned valuesPerItem)
{
    unsigned count = r.U16();
    for (unsigned i = 0; i < count * valuesPerItem && !r.failed; ++i) {
        if (form == 'w')
            r.S16();
        else if (form == 'f')
            r.F32();
        else
            r.Svar();
    }
}

void ReadImage(Reader &r)
{
    ReadFixed(r, "ffffffffWW");
    unsigned maskKind = r.U8();
    uint32_t maskBytes = 0;
    if (maskKind == 2) {
        r.U8();
        maskBytes = r.U32();
    }
    size_t sourceAt = r.pos;
    unsigned sourceKind = r.U8();
    uint32_t dataBytes = 0;
    if (r.failed)
        return;
    if (sourceKind == 2) {
        unsigned colorType = r.U8();
        if (colorType >= 8 && colorType <= 11) {
            ReadFixed(r, "bW");
            r.Bytes(r.U16(), "image palette");
        }
        ReadFixed(r, "bbb");
        dataBytes = r.U32();
    } else if (sourceKind != 1) {
        r.Fail(sourceAt, "image source kind " + std::to_string(sourceKind) + " is neither 1 nor 2");
        return;
    }
    if (maskKind == 2) {
        r.Label("mask");
        r.Bytes(maskBytes, "mask bits");
    }
    if (sourceKind == 2) {
        r.Label("data");
        r.Bytes(dataBytes, "image data");
    }
}

void ReadMaskImage(Reader &r)
{
    ReadFixed(r, "ffWWbffffff");
    uint32_t dataBytes = r.U32();
    r.Label("data");
    r.Bytes(dataBytes, "mask rows");
}

// Device-font text: position, form byte, advances, byte length, codes.
void ReadText(Reader &r, bool isFloat, unsigned expectedForm)
{
    const char value = isFloat ? 'f' : 'w';
    const char pair[3] = {value, value, '\0'};
    ReadFixed(r, pair);
    size_t formAt = r.pos;
    unsigned form = r.U8();
    if (!r.failed && form != expectedForm) {
        r.Fail(formAt, r.name + " form byte " + std::to_string(form) + ", expected " + std::to_string(expectedForm));
        return;
    }
    unsigned advances = expectedForm == 1 ? 1 : r.U16();
    const char one[2] = {value, '\0'};
    for (unsigned i = 0; i < advances && !r.failed; ++i)
        ReadFixed(r, one);
    size_t lengthAt = r.pos;
    unsigned length = r.U16();
    // The cover-page text block sends Dd with one advance per character and the text in
    // ANSI bytes (at most two bytes a character, so never 2 x (advances + 1) bytes):
    // such a Dd is read by its length field and listed as text.
    if (isFloat && expectedForm == 2 && length != 2 * (advances + 1)) {
        r.Text(length);
        return;
    }
    if (!r.failed && length % 2 != 0) {
        r.Fail(lengthAt, "odd text byte length " + std::to_string(length) + " in " + r.name);
        return;
    }
    for (unsigned i = 0; i < length / 2 && !r.failed; ++i)
        r.U16();
}

// Text position record, single form, followed by a glyph record.
void ReadPosition(Reader &r, bool isFloat)
{
    const char *value = isFloat ? "f" : "w";
    ReadFixed(r, isFloat ? "ff" : "ww");
    unsigned flags = r.U8();
    if (flags & 1)
        ReadFixed(r, value);
    if (flags & 2)
        ReadFixed(r, value);
    r.U16();
    r.Glyph();
}

// Text position record, array form: the count field is doubled when both arrays are
// present (flags 3), each array then holding half of it.
void ReadPositionArrays(Reader &r, bool isFloat)
{
    ReadFixed(r, isFloat ? "ffb" : "wwb");
    unsigned flags = r.U8();
    size_t countAt = r.pos;
    uint32_t field = 0;
    if (isFloat) {
        float f = r.F32();
        if (!r.failed && !(f >= 0.0f && f <= 65535.0f && std::floor(f) == f)) {
            r.Fail(countAt, "position count is not a whole number 0..65535 in " + r.name);
            return;
        }
        field = (uint32_t)f;
    } else {
        field = r.U16();
    }
    if (!r.failed && flags == 3 && field % 2 != 0) {
        r.Fail(countAt, "odd position count " + std::to_string(field) + " with both arrays");
        return;
    }
    uint32_t each = flags == 3 ? field / 2 : field;
    const char one[2] = {isFloat ? 'f' : 'w', '\0'};
    for (int bit = 1; bit <= 2; bit <<= 1) {
        if (!(flags & (unsigned)bit))
            continue;
        for (uint32_t i = 0; i < each && !r.failed; ++i)
            ReadFixed(r, one);
    }
    r.U16();
}

void ReadPageSize(Reader &r)
{
    ReadFixed(r, "bb");
    if (r.U8() == 81)
        ReadFixed(r, "ff");
}

void ReadPositionedText(Reader &r)
{
    r.Text(r.U16());
    ReadFixed(r, "ffffff");
    if (r.U8() == 2 && r.U8() == 81)
        ReadFixed(r, "ff");
}

// Dispatches an opcode with a layout of its own; false when the opcode has none.
bool ReadVariable(Reader &r)
{
    const std::string &op = r.name;
    if (op == "AH")
        ReadLineStyle(r, false);
    else if (op == "Ah")
        ReadLineStyle(r, true);
    else if (op == "AO")
        ReadBitPattern(r, false);
    else if (op == "Ao")
        ReadBitPattern(r, true);
    else if (op == "AP")
        ReadColorPattern(r);
    else if (op == "AV")
        ReadPalette(r);
    else if (op == "BP")
        ReadPoints(r, 'w', 2);
    else if (op == "B0")
        ReadPoints(r, 'v', 2);
    else if (op == "Bp")
        ReadPoints(r, 'f', 2);
    else if (op == "BU")
        ReadPoints(r, 'w', 6);
    else if (op == "Bu")
        ReadPoints(r, 'f', 6);
    else if (op == "Cq")
        ReadImage(r);
    else if (op == "Cp")
        ReadMaskImage(r);
    else if (op == "DC")
        ReadText(r, false, 1);
    else if (op == "Dc")
        ReadText(r, true, 1);
    else if (op == "DD")
        ReadText(r, false, 2);
    else if (op == "Dd")
        ReadText(r, true, 2);
    else if (op == "DE")
        ReadPosition(r, false);
    else if (op == "De")
        ReadPosition(r, true);
    else if (op == "DF")
        ReadPositionArrays(r, false);
    else if (op == "Df")
        ReadPositionArrays(r, true);
    else if (op == "Ec")
        ReadPageSize(r);
    else if (op == "EE")
        r.Text(r.U16());
    else if (op == "EH") {
        r.U16();
        r.Text(r.U16());
    } else if (op == "Eg")
        ReadPositionedText(r);
    else if (op == "EP")
        r.Text(r.U8());
    else
        return false;
    return true;
}

} // namespace

std::string lqd_QuoteText(const uint8_t *bytes, size_t n)
{
    std::string text = "\"";
    for (size_t i = 0; i < n; ++i) {
        uint8_t c = bytes[i];
        if (c == '"' || c == '\\') {
            text += '\\';
            text += (char)c;
        } else if (c >= 0x20 && c <= 0x7E) {
            text += (char)c;
        } else {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02x", c);
            text += esc;
        }
    }
    return text + "\"";
}

bool lqd_DecodeCommand(const uint8_t *data, size_t size, size_t pos, std::string &line, size_t &next, LqdError &error)
{
    line.clear();
    next = pos;
    if (pos > size || size - pos < 2) {
        error.offset = pos;
        error.reason = "truncated opcode";
        return false;
    }
    std::string name = {(char)data[pos], (char)data[pos + 1]};
    Reader r{data, size, pos + 2, pos, name, line, error};
    line = name;
    bool known = false;
    for (const FixedLayout &layout : kFixed) {
        if (name == layout.op) {
            ReadFixed(r, layout.fields);
            known = true;
            break;
        }
    }
    if (!known)
        known = ReadVariable(r);
    if (!known) {
        char text[48];
        std::snprintf(text, sizeof text, "unknown opcode 0x%02x%02x", data[pos], data[pos + 1]);
        error.offset = pos;
        error.reason = text;
        return false;
    }
    if (r.failed)
        return false;
    next = r.pos;
    return true;
}

bool lqd_DecodeCommands(const uint8_t *data, size_t size, size_t pos, std::vector<std::string> &lines, LqdError &error)
{
    while (pos < size) {
        std::string line;
        size_t next = 0;
        if (!lqd_DecodeCommand(data, size, pos, line, next, error)) {
            return false;
        }
        lines.push_back(line);
        pos = next;
    }
    return true;
}
