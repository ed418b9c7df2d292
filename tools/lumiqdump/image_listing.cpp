/*
 * The image lines of lumiqdump --images.
 */
#include "tools/lumiqdump/image_listing.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "tools/lumiq/lumiq_decoder.h"
#include "tools/lumiq/run_decoder.h"

uint32_t Crc32(const uint8_t *bytes, size_t n)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

namespace {

std::vector<std::string> Split(const std::string &line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

unsigned long Number(const std::vector<std::string> &w, size_t i)
{
    return i < w.size() ? std::strtoul(w[i].c_str(), nullptr, 10) : 0;
}

std::string Hex32(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

// The size and components of a baseline or progressive JPEG (its first frame header).
std::string JpegFrame(const uint8_t *p, size_t n)
{
    if (n < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return "undecodable";
    size_t at = 2;
    while (at + 4 <= n && p[at] == 0xFF) {
        uint8_t marker = p[at + 1];
        size_t length = (size_t)p[at + 2] << 8 | p[at + 3];
        if ((marker == 0xC0 || marker == 0xC1 || marker == 0xC2) && at + 10 <= n) {
            unsigned height = (unsigned)p[at + 5] << 8 | p[at + 6];
            unsigned width = (unsigned)p[at + 7] << 8 | p[at + 8];
            return "jpeg " + std::to_string(width) + "x" + std::to_string(height) + " components " +
                   std::to_string(p[at + 9]);
        }
        at += 2 + length;
    }
    return "undecodable";
}

// The rows column of one colour image.
std::string Rows(const uint8_t *bytes, size_t n, unsigned long method, unsigned long type, unsigned long bits,
                 unsigned long width, unsigned long height)
{
    switch (method) {
    case 1: return "crc " + Hex32(Crc32(bytes, n));
    case 8: {
        std::vector<uint8_t> pixels;
        uint32_t each = type == 4 ? 3 : 1;
        if (bits < 8 && type != 4)
            return "undecodable";
        if (!lumiq::DecodeRunCoded(bytes, n, (uint32_t)width, (uint32_t)height, each, &pixels))
            return "undecodable";
        return "crc " + Hex32(Crc32(pixels.data(), pixels.size()));
    }
    case 4: return JpegFrame(bytes, n);
    default: return "opaque";
    }
}

} // namespace

std::string ListImages(const uint8_t *data, size_t size, const std::string &dump)
{
    std::string out;
    std::istringstream lines(dump);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> w = Split(line);
        if (w.size() < 3 || w[0] != "body" || (w[2] != "Cq" && w[2] != "Cp"))
            continue;
        size_t offset = std::strtoul(w[1].c_str(), nullptr, 10);
        std::string decoded;
        size_t next = 0;
        LqdError error;
        if (!lqd_DecodeCommand(data, size, offset, decoded, next, error))
            continue;
        // Fields after the opcode. Cq: x y, six placement values, width, height, ...;
        // Cp: x y width height invert, six placement values, data bytes.
        std::vector<std::string> f(w.begin() + 3, w.end());
        bool mask = w[2] == "Cp";
        unsigned long width = Number(f, mask ? 2 : 8), height = Number(f, mask ? 3 : 9);
        std::string head = "image " + w[1] + " " + w[2] + " " + std::to_string(width) + "x" + std::to_string(height);
        if (mask) {
            unsigned long bytes = Number(f, 11);
            size_t from = next >= bytes ? next - bytes : next;
            out += head + " data " + std::to_string(bytes) + " crc " + Hex32(Crc32(data + from, next - from)) + "\n";
            continue;
        }
        size_t i = 10;
        unsigned long maskKind = Number(f, i++), maskBytes = 0;
        if (maskKind == 2) {
            ++i;
            maskBytes = Number(f, i++);
        }
        unsigned long sourceKind = Number(f, i++);
        if (sourceKind != 2) {
            out += head + " mask " + std::to_string(maskBytes) + " no data\n";
            continue;
        }
        unsigned long type = Number(f, i++), entries = 0, paletteBytes = 0;
        if (type >= 8 && type <= 11) {
            ++i; // entry bits
            entries = Number(f, i++);
            paletteBytes = Number(f, i++);
            ++i; // the palette's bytes
        }
        unsigned long method = Number(f, i++), bits = Number(f, i++);
        ++i; // data present
        unsigned long bytes = Number(f, i++);
        size_t from = next >= bytes ? next - bytes : next;
        out += head + " type " + std::to_string(type) + " method " + std::to_string(method) + " palette " +
               std::to_string(entries) + " " + std::to_string(paletteBytes) + " mask " + std::to_string(maskBytes) +
               " data " + std::to_string(bytes) + " " +
               Rows(data + from, next - from, method, type, bits, width, height) + "\n";
    }
    return out;
}
