/*
 * Shared pieces of the compiler and the dumper: refusals, text conversion between UTF-8
 * and the ANSI code page, hex data, and a bounded decoder of compiled files.
 */
#ifndef QM_TOOLS_DDDC_DDDC_INTERNAL_H
#define QM_TOOLS_DDDC_DDDC_INTERNAL_H

#include "tools/dddc/dddc.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace dddc {

/* A refusal: one line naming the place and the reason. */
struct Refusal : std::runtime_error {
    explicit Refusal(const std::string &message) : std::runtime_error(message) {}
};

/* Header layout. */
constexpr uint32_t kHeaderBytes = 224;
constexpr uint32_t kVersionOffset = 64;
constexpr uint32_t kReservedOffset = 88;
constexpr uint32_t kFormatOffset = 92;
constexpr uint32_t kModelOffset = 96;
constexpr uint32_t kBaseOffset = 160;
constexpr uint32_t kDirectoryBytes = 6 + 23 * 7;
constexpr uint16_t kLevelModel = 2;
constexpr uint16_t kLevelBase = 1;
constexpr size_t kModelNameMax = 31;
constexpr size_t kLogfontBytes = 92;

/* The 14 LOGFONTW fields, in order; the face name follows as 32 wide characters. */
struct LogfontField {
    const char *name;
    int bytes;
};
extern const LogfontField kLogfontFields[13];

/* UTF-8 text to ANSI (code page 1252, printable Latin-1 range); refuses other characters. */
std::string Utf8ToAnsi(const std::string &text, const std::string &where);
/* ANSI bytes (Latin-1 range) to UTF-8. */
std::string AnsiToUtf8(const std::string &ansi);
/* "0a 0B ff" (spaces optional) to bytes; refuses odd or non-hex text. */
Bytes HexToBytes(const std::string &hex, const std::string &where);
std::string BytesToHex(const uint8_t *data, size_t n);
/* 1 when name is a plain file name (no separator, drive or ".."). */
bool IsPlainFileName(const std::string &name);

/* One list entry of a compiled file. */
struct ListEntry {
    uint8_t level;
    uint16_t key;
    uint32_t offset;
};

/* Bounded reads over a compiled file; every read past the end refuses. */
struct Decoder {
    const Bytes &bytes;
    uint32_t pos = 0;
    uint32_t end;
    explicit Decoder(const Bytes &b) : bytes(b), end((uint32_t)b.size()) {}
    void Need(uint32_t n) const;
    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    const uint8_t *Take(uint32_t n);
};

/* The end of the numbered entries (228 + entry 0). */
uint32_t EntriesEnd(const Bytes &file);
/* The record list of a type, read from the directory. */
std::vector<ListEntry> ReadList(const Bytes &file, uint16_t type);
/* The format number (big-endian at 92). */
uint32_t ReadFormat(const Bytes &file);

} // namespace dddc

#endif /* QM_TOOLS_DDDC_DDDC_INTERNAL_H */
