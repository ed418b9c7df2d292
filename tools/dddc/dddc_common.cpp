/*
 * Shared pieces of the compiler and the dumper (dddc_internal.h).
 */
#include "tools/dddc/dddc_internal.h"

#include "tools/dddc/field_table.h"

namespace dddc {

const LogfontField kLogfontFields[13] = {
    {"height", 4},
    {"width", 4},
    {"escapement", 4},
    {"orientation", 4},
    {"weight", 4},
    {"italic", 1},
    {"underline", 1},
    {"strike_out", 1},
    {"char_set", 1},
    {"out_precision", 1},
    {"clip_precision", 1},
    {"quality", 1},
    {"pitch_and_family", 1},
};

std::string Utf8ToAnsi(const std::string &text, const std::string &where)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        uint8_t c = (uint8_t)text[i];
        uint32_t code = 0;
        int extra = 0;
        if (c < 0x80) {
            code = c;
        } else if ((c & 0xE0) == 0xC0) {
            code = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            code = c & 0x0F;
            extra = 2;
        } else {
            throw Refusal(where + ": text is not in the ANSI code page");
        }
        if (extra && i + extra >= text.size()) {
            throw Refusal(where + ": text is not valid UTF-8");
        }
        for (int k = 1; k <= extra; ++k) {
            code = (code << 6) | ((uint8_t)text[i + k] & 0x3F);
        }
        i += 1 + extra;
        if (code == 0 || (code >= 0x80 && code < 0xA0) || code > 0xFF) {
            throw Refusal(where + ": text is not in the ANSI code page");
        }
        out.push_back((char)code);
    }
    return out;
}

std::string AnsiToUtf8(const std::string &ansi)
{
    std::string out;
    for (char ch : ansi) {
        uint8_t c = (uint8_t)ch;
        if (c < 0x80) {
            out.push_back((char)c);
        } else {
            out.push_back((char)(0xC0 | (c >> 6)));
            out.push_back((char)(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

Bytes HexToBytes(const std::string &hex, const std::string &where)
{
    Bytes out;
    int half = -1;
    for (char c : hex) {
        if (c == ' ' || c == '\n' || c == '\t') {
            continue;
        }
        int v = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : -1;
        if (v < 0) {
            throw Refusal(where + ": data is not hex");
        }
        if (half < 0) {
            half = v;
        } else {
            out.push_back((uint8_t)(half * 16 + v));
            half = -1;
        }
    }
    if (half >= 0) {
        throw Refusal(where + ": data has an odd number of hex digits");
    }
    return out;
}

std::string BytesToHex(const uint8_t *data, size_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        if (i) {
            out.push_back(' ');
        }
        out.push_back(digits[data[i] >> 4]);
        out.push_back(digits[data[i] & 15]);
    }
    return out;
}

bool IsPlainFileName(const std::string &name)
{
    if (name.empty()) {
        return false;
    }
    return name.find_first_of("\\/:") == std::string::npos && name.find("..") == std::string::npos;
}

void Decoder::Need(uint32_t n) const
{
    if (pos > end || n > end - pos) {
        throw Refusal("offset " + std::to_string(pos) + ": read past the end");
    }
}

uint8_t Decoder::U8()
{
    return *Take(1);
}

uint16_t Decoder::U16()
{
    const uint8_t *p = Take(2);
    return (uint16_t)(p[0] | (p[1] << 8));
}

uint32_t Decoder::U32()
{
    const uint8_t *p = Take(4);
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

const uint8_t *Decoder::Take(uint32_t n)
{
    Need(n);
    const uint8_t *p = bytes.data() + pos;
    pos += n;
    return p;
}

uint32_t EntriesEnd(const Bytes &file)
{
    Decoder d(file);
    d.pos = kHeaderBytes;
    uint32_t length = d.U32();
    if (length > file.size() - kHeaderBytes - 4) {
        throw Refusal("entries: length runs past the end");
    }
    return kHeaderBytes + 4 + length;
}

std::vector<ListEntry> ReadList(const Bytes &file, uint16_t type)
{
    int slot = -1;
    for (int i = 0; i < 23; ++i) {
        if (kSlotTypes[i] == type) {
            slot = i;
        }
    }
    Decoder d(file);
    d.pos = EntriesEnd(file) + 6 + (uint32_t)slot * 7;
    d.U8();
    d.U16();
    d.pos = d.U32() + 4;
    std::vector<ListEntry> list(d.U16());
    for (ListEntry &e : list) {
        e.level = d.U8();
        e.key = d.U16();
        e.offset = d.U32();
    }
    return list;
}

uint32_t ReadFormat(const Bytes &file)
{
    Decoder d(file);
    d.pos = kFormatOffset;
    const uint8_t *p = d.Take(4);
    return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}

} // namespace dddc
