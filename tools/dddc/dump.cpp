/*
 * The dumper: a description data file back to its YAML source, decoded through the field
 * table. A model's list entries of level 1 are its base file's records and are not dumped.
 */
#include "tools/dddc/dddc.h"

#include "tools/dddc/dddc_internal.h"
#include "tools/dddc/field_table.h"

#include <yaml-cpp/yaml.h>

namespace dddc {
namespace {

struct Dumper {
    const Bytes &file;
    uint32_t format = 0;
    YAML::Emitter &out;

    void Text(Decoder &d, uint32_t n);
    void TextField(Decoder &d)
    {
        Text(d, d.U16());
    }
    void Value(Decoder &d);
    void ValueElement(Decoder &d, bool flagged);
    void Rows(Decoder &d, uint32_t count);
    void Field(Decoder &d, const FieldDef &field);
    void Record(uint16_t type, uint32_t offset);
    void Header();
    void Entries();
};

/* A text body: a reference as {text, module, string}, else the inverted text up to its
 * terminator. */
void Dumper::Text(Decoder &d, uint32_t n)
{
    const uint8_t *p = d.Take(n);
    bool reference = n > 5 && p[n - 1] == 0 && (p[n - 5] | (p[n - 4] << 8)) != 0 && (p[n - 3] | (p[n - 2] << 8)) != 0;
    std::string text;
    for (uint32_t i = 0; i < n && (uint8_t)(p[i] ^ 0xFF) != 0; ++i) {
        text.push_back((char)(p[i] ^ 0xFF));
    }
    if (!reference) {
        out << YAML::DoubleQuoted << AnsiToUtf8(text);
        return;
    }
    out << YAML::Flow << YAML::BeginMap;
    out << YAML::Key << "text" << YAML::Value << YAML::DoubleQuoted << AnsiToUtf8(text);
    out << YAML::Key << "module" << YAML::Value << (p[n - 5] | (p[n - 4] << 8));
    out << YAML::Key << "string" << YAML::Value << (p[n - 3] | (p[n - 2] << 8));
    out << YAML::EndMap;
}

/* The keys type and value of a value field, inside an open map. */
void Dumper::Value(Decoder &d)
{
    uint32_t type = d.U8();
    uint32_t n = d.U16();
    out << YAML::Key << "type" << YAML::Value << type;
    if (n == 0) {
        return;
    }
    out << YAML::Key << "value" << YAML::Value;
    Decoder v(file);
    v.pos = d.pos;
    v.end = d.pos + n;
    d.Take(n);
    switch (type) {
    case 1:
    case 8: out << (uint32_t)v.U8(); break;
    case 2: out << (int)(int16_t)v.U16(); break;
    case 3: out << (uint32_t)v.U16(); break;
    case 4: out << (long long)(int32_t)v.U32(); break;
    case 5:
    case 10: out << (unsigned long long)v.U32(); break;
    case 6: Text(v, n); break;
    case 128: out << (uint32_t)v.U16(); break;
    case 9: {
        if (n != kLogfontBytes) {
            throw Refusal("value of ValueType 9 is not 92 bytes");
        }
        out << YAML::Flow << YAML::BeginMap;
        for (const LogfontField &f : kLogfontFields) {
            out << YAML::Key << f.name << YAML::Value;
            if (f.bytes == 4) {
                out << (long long)(int32_t)v.U32();
            } else {
                out << (uint32_t)v.U8();
            }
        }
        std::string face;
        for (int i = 0; i < 32; ++i) {
            uint16_t c = v.U16();
            if (c == 0) {
                v.Take((uint32_t)(31 - i) * 2);
                break;
            }
            face.push_back((char)c);
        }
        out << YAML::Key << "face" << YAML::Value << YAML::DoubleQuoted << AnsiToUtf8(face);
        out << YAML::EndMap;
        break;
    }
    default: throw Refusal("ValueType " + std::to_string(type) + " cannot be dumped");
    }
}

void Dumper::ValueElement(Decoder &d, bool flagged)
{
    out << YAML::Flow << YAML::BeginMap;
    out << YAML::Key << "function" << YAML::Value << d.U16();
    out << YAML::Key << "byte" << YAML::Value << (uint32_t)d.U8();
    out << YAML::Key << "word" << YAML::Value << d.U16();
    Value(d);
    if (flagged) {
        out << YAML::Key << "flag" << YAML::Value << (uint32_t)d.U8();
    }
    out << YAML::EndMap;
}

void Dumper::Rows(Decoder &d, uint32_t count)
{
    out << YAML::BeginSeq;
    for (uint32_t i = 0; i < count; ++i) {
        out << YAML::Flow << YAML::BeginMap;
        out << YAML::Key << "function" << YAML::Value << d.U16();
        Value(d);
        out << YAML::EndMap;
    }
    out << YAML::EndSeq;
}

void Dumper::Field(Decoder &d, const FieldDef &field)
{
    out << YAML::Key << field.name << YAML::Value;
    switch (field.kind) {
    case FIELD_TEXT: TextField(d); return;
    case FIELD_U8: out << (uint32_t)d.U8(); return;
    case FIELD_U16:
    case FIELD_KEY: out << d.U16(); return;
    case FIELD_VALUE:
        out << YAML::Flow << YAML::BeginMap;
        Value(d);
        out << YAML::EndMap;
        return;
    case FIELD_VALUE_ELEMENT: ValueElement(d, false); return;
    case FIELD_SIZE: out << YAML::Flow << YAML::BeginSeq << d.U16() << d.U16() << YAML::EndSeq; return;
    case FIELD_DATA16:
    case FIELD_DATA32:
    case FIELD_BITMAP: {
        uint32_t n = field.kind == FIELD_DATA16 ? d.U16() : d.U32();
        out << YAML::DoubleQuoted << BytesToHex(d.Take(n), n);
        return;
    }
    case FIELD_TEXTS16: {
        uint32_t n = d.U16();
        out << YAML::BeginSeq;
        for (uint32_t i = 0; i < n; ++i) {
            TextField(d);
        }
        out << YAML::EndSeq;
        return;
    }
    case FIELD_ROWS16: Rows(d, d.U16()); return;
    case FIELD_ROWS32: {
        uint32_t length = d.U32();
        uint32_t start = d.pos;
        Rows(d, d.U16());
        if (d.pos - start != length) {
            throw Refusal("rows: length does not match");
        }
        return;
    }
    case FIELD_ELEMENTS:
    default: break;
    }
    uint32_t length = d.U32();
    uint32_t start = d.pos;
    uint32_t n = d.U16();
    out << YAML::Flow << YAML::BeginSeq;
    for (uint32_t i = 0; i < n; ++i) {
        switch (field.kind) {
        case FIELD_ARRAY_KEYS: out << d.U16(); break;
        case FIELD_ARRAY_VALUES: ValueElement(d, false); break;
        case FIELD_ARRAY_FLAGGED: ValueElement(d, true); break;
        case FIELD_ARRAY_TEXTS: TextField(d); break;
        case FIELD_ARRAY_TRIPLES:
            out << YAML::Flow << YAML::BeginSeq << d.U16() << d.U16() << d.U16() << YAML::EndSeq;
            break;
        case FIELD_ARRAY_COPIED:
            out << YAML::Flow << YAML::BeginMap;
            Value(d);
            out << YAML::EndMap;
            break;
        default: break;
        }
    }
    out << YAML::EndSeq;
    if (field.kind == FIELD_ELEMENTS) {
        return; /* elements are written by Record, which knows their size */
    }
    if (d.pos - start != length) {
        throw Refusal(std::string(field.name) + ": array length does not match its elements");
    }
}

void Dumper::Record(uint16_t type, uint32_t offset)
{
    const RecordDef *def = FindRecordDef(type);
    Decoder d(file);
    d.pos = offset;
    uint32_t length = d.U32();
    if (length < 6 || length > file.size() - offset) {
        throw Refusal("record at offset " + std::to_string(offset) + ": bad length");
    }
    d.end = offset + length;
    uint16_t key = d.U16();
    out << YAML::BeginMap;
    out << YAML::Key << "type" << YAML::Value << type;
    out << YAML::Key << "key" << YAML::Value << key;
    uint32_t elementSize = 0;
    for (int i = 0; i < def->fieldCount; ++i) {
        const FieldDef &field = def->fields[i];
        if (field.minFormat > format) {
            continue;
        }
        if (field.kind == FIELD_ELEMENTS) {
            uint32_t bytes = d.U32();
            uint32_t n = d.U16();
            if (bytes != 2 + n * elementSize) {
                throw Refusal("record type 20 key " + std::to_string(key) + ": element length does not match");
            }
            out << YAML::Key << field.name << YAML::Value << YAML::Flow << YAML::BeginSeq;
            for (uint32_t k = 0; k < n; ++k) {
                const uint8_t *p = d.Take(elementSize);
                unsigned long long v = 0;
                for (uint32_t b = 0; b < elementSize; ++b) {
                    v |= (unsigned long long)p[b] << (8 * b);
                }
                out << v;
            }
            out << YAML::EndSeq;
            continue;
        }
        uint32_t before = d.pos;
        Field(d, field);
        if (std::string(field.name) == "element_size") {
            elementSize = file[before] | (file[before + 1] << 8);
        }
    }
    if (d.pos != d.end) {
        throw Refusal("record type " + std::to_string(type) + " key " + std::to_string(key) +
                      ": fields do not fill the record");
    }
    out << YAML::EndMap;
}

void Dumper::Header()
{
    auto text = [&](uint32_t offset, uint32_t room) {
        std::string s;
        for (uint32_t i = 0; i < room && file[offset + i]; ++i) {
            s.push_back((char)file[offset + i]);
        }
        return AnsiToUtf8(s);
    };
    Decoder d(file);
    d.Need(kHeaderBytes);
    d.pos = kReservedOffset;
    uint32_t reserved = d.U32();
    out << YAML::Key << "header" << YAML::Value << YAML::BeginMap;
    out << YAML::Key << "title" << YAML::Value << YAML::DoubleQuoted << text(0, 64);
    out << YAML::Key << "version" << YAML::Value << YAML::DoubleQuoted << text(kVersionOffset, 24);
    out << YAML::Key << "reserved" << YAML::Value << reserved;
    out << YAML::Key << "format" << YAML::Value << format;
    out << YAML::Key << "model" << YAML::Value << YAML::DoubleQuoted << text(kModelOffset, 64);
    out << YAML::Key << "base" << YAML::Value << YAML::DoubleQuoted << text(kBaseOffset, 64);
}

void Dumper::Entries()
{
    uint32_t end = EntriesEnd(file);
    Decoder d(file);
    d.pos = kHeaderBytes + 4;
    d.end = end;
    out << YAML::Key << "entries" << YAML::Value << YAML::BeginMap;
    for (int key = 1; key < 42 && d.pos < end; ++key) {
        const EntryShapeDef &shape = kEntryShapes[key];
        out << YAML::Key << key << YAML::Value;
        uint32_t count = shape.count ? shape.count : d.U16();
        bool list = shape.count == 0;
        if (list) {
            out << YAML::Flow << YAML::BeginSeq;
        }
        for (uint32_t i = 0; i < count; ++i) {
            if (shape.size == 0) {
                TextField(d);
                continue;
            }
            const uint8_t *p = d.Take(shape.size);
            unsigned long long v = 0;
            for (int b = 0; b < shape.size; ++b) {
                v |= (unsigned long long)p[b] << (8 * b);
            }
            out << v;
        }
        if (list) {
            out << YAML::EndSeq;
        }
    }
    out << YAML::EndMap;
}

} // namespace

bool Dump(const Bytes &file, std::string &yaml, std::string &error)
{
    try {
        YAML::Emitter out;
        Dumper dumper{file, ReadFormat(file), out};
        out << YAML::BeginMap;
        dumper.Header();
        bool hasBase = file[kBaseOffset] != 0;
        /* The level of the file's own records: 2 in a model; a file without a base names
         * its own level in every list entry. */
        uint16_t level = kLevelModel;
        std::vector<std::pair<uint16_t, ListEntry>> own;
        for (uint16_t type : kSlotTypes) {
            for (const ListEntry &e : ReadList(file, type)) {
                if (!hasBase) {
                    level = e.level;
                }
                if (!hasBase || e.level == kLevelModel) {
                    own.push_back({type, e});
                }
            }
        }
        out << YAML::Key << "level" << YAML::Value << level;
        out << YAML::EndMap;
        dumper.Entries();
        out << YAML::Key << "records" << YAML::Value << YAML::BeginSeq;
        for (const auto &item : own) {
            dumper.Record(item.first, item.second.offset);
        }
        out << YAML::EndSeq;
        out << YAML::EndMap;
        if (!out.good()) {
            throw Refusal(std::string("emitter: ") + out.GetLastError());
        }
        yaml = std::string(out.c_str()) + "\n";
        return true;
    } catch (const Refusal &e) {
        error = e.what();
        return false;
    }
}

} // namespace dddc
