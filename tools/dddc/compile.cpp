/*
 * The compiler: YAML source to a description data file.
 *
 * Layout written: the 224-byte header; entries 0..n (entry 0 = byte length of the rest);
 * the directory {u32 its length, u16 23, 23 slots {u8 type, u16 record count, u32 X}};
 * then per type, in slot order, its list at 4 + X followed by its own records. A model's
 * list names its own records (level 2), then its base file's (level 1, base offsets).
 */
#include "tools/dddc/dddc.h"

#include "core/settings/function_ids.h"
#include "tools/dddc/catalogue.h"
#include "tools/dddc/dddc_internal.h"
#include "tools/dddc/field_table.h"

#include <yaml-cpp/yaml.h>

#include <set>

namespace dddc {
namespace {

/* Little-endian byte writer. */
struct Writer {
    Bytes b;
    void U8(uint32_t v)
    {
        b.push_back((uint8_t)v);
    }
    void U16(uint32_t v)
    {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(uint32_t v)
    {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Append(const Bytes &other)
    {
        b.insert(b.end(), other.begin(), other.end());
    }
    void Patch32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i) {
            b[at + i] = (uint8_t)(v >> (8 * i));
        }
    }
};

struct SourceRecord {
    uint16_t type;
    uint16_t key;
    YAML::Node node;
    std::string where;
    Bytes encoded;
};

struct Compiler {
    uint32_t format = 0;
    uint16_t level = kLevelModel;
    bool hasBase = false;
    std::vector<SourceRecord> records;
    std::map<uint16_t, std::vector<ListEntry>> baseLists;
    std::map<uint16_t, std::set<uint16_t>> keys; /* own and base, per type */

    uint64_t Number(const YAML::Node &node, uint64_t max, const std::string &where, int64_t min = 0);
    Bytes Text(const YAML::Node &node, const std::string &where);
    void Value(Writer &w, const YAML::Node &node, const std::string &where);
    void ValueElement(Writer &w, const YAML::Node &node, bool flagged, const std::string &where);
    void Rows(Writer &w, const YAML::Node &node, const std::string &where);
    void Field(Writer &w, const SourceRecord &rec, const FieldDef &field, const YAML::Node &node,
               uint16_t previousValue);
    void EncodeRecord(SourceRecord &rec);
    void CheckReference(uint16_t type, uint16_t key, const std::string &where) const;
    void CheckDefinition(const SourceRecord &rec) const;
    void CheckOptionValue(const SourceRecord &option, uint16_t functionId, const std::string &where) const;
    void CheckHostApps() const;
    void Entries(Writer &w, const YAML::Node &entries);
    Bytes Header(const YAML::Node &header);
};

uint64_t Compiler::Number(const YAML::Node &node, uint64_t max, const std::string &where, int64_t min)
{
    if (!node || !node.IsScalar()) {
        throw Refusal(where + ": a number is expected");
    }
    int64_t value = 0;
    try {
        value = node.as<int64_t>();
    } catch (const YAML::Exception &) {
        throw Refusal(where + ": \"" + node.Scalar() + "\" is not a number");
    }
    if (value < min || (value > 0 && (uint64_t)value > max)) {
        throw Refusal(where + ": " + std::to_string(value) + " is out of range");
    }
    return (uint64_t)value;
}

/* A text field body: inverted ANSI text with terminator, or a resource reference
 * {text: fallback, module: m, string: s}. An empty string is an absent text. */
Bytes Compiler::Text(const YAML::Node &node, const std::string &where)
{
    Bytes body;
    if (!node || node.IsNull()) {
        return body;
    }
    std::string fallback;
    uint16_t module = 0, string = 0;
    if (node.IsMap()) {
        fallback = node["text"] ? node["text"].Scalar() : "";
        module = (uint16_t)Number(node["module"], 0xFFFF, where + " module");
        string = (uint16_t)Number(node["string"], 0xFFFF, where + " string");
        if (module == 0 || string == 0) {
            throw Refusal(where + ": a reference needs a module and a string other than 0");
        }
    } else {
        fallback = node.Scalar();
        if (fallback.empty()) {
            return body;
        }
    }
    for (char c : Utf8ToAnsi(fallback, where)) {
        body.push_back((uint8_t)(c ^ 0xFF));
    }
    body.push_back(0xFF);
    if (module) {
        body.push_back(module & 0xFF);
        body.push_back(module >> 8);
        body.push_back(string & 0xFF);
        body.push_back(string >> 8);
        body.push_back(0);
    }
    if (body.size() > 0xFFFF) {
        throw Refusal(where + ": text is too long");
    }
    return body;
}

/* A value field {type: ValueType, value: ...}; no value gives n = 0. */
void Compiler::Value(Writer &w, const YAML::Node &node, const std::string &where)
{
    if (!node || !node.IsMap()) {
        throw Refusal(where + ": a value {type, value} is expected");
    }
    uint32_t type = (uint32_t)Number(node["type"], 255, where + " type");
    const YAML::Node v = node["value"];
    w.U8(type);
    if (!v) {
        w.U16(0);
        return;
    }
    switch (type) {
    case 1:
        w.U16(1);
        w.U8((uint32_t)Number(v, 1, where));
        return;
    case 2:
        w.U16(2);
        w.U16((uint32_t)Number(v, 32767, where, -32768));
        return;
    case 3:
        w.U16(2);
        w.U16((uint32_t)Number(v, 65535, where));
        return;
    case 4:
        w.U16(4);
        w.U32((uint32_t)Number(v, 0x7FFFFFFF, where, INT32_MIN));
        return;
    case 5:
    case 10:
        w.U16(4);
        w.U32((uint32_t)Number(v, 0xFFFFFFFF, where));
        return;
    case 8:
        w.U16(1);
        w.U8((uint32_t)Number(v, 255, where));
        return;
    case 6: {
        Bytes body = Text(v, where);
        w.U16((uint32_t)body.size());
        w.Append(body);
        return;
    }
    case 9: {
        w.U16(kLogfontBytes);
        for (const LogfontField &f : kLogfontFields) {
            uint32_t n =
                v[f.name]
                    ? (uint32_t)Number(v[f.name], f.bytes == 4 ? 0xFFFFFFFF : 255, where, f.bytes == 4 ? INT32_MIN : 0)
                    : 0;
            f.bytes == 4 ? w.U32(n) : w.U8(n);
        }
        std::string face = v["face"] ? Utf8ToAnsi(v["face"].Scalar(), where) : "";
        if (face.size() > 31) {
            throw Refusal(where + ": face name is longer than 31 characters");
        }
        for (size_t i = 0; i < 32; ++i) {
            w.U16(i < face.size() ? (uint8_t)face[i] : 0);
        }
        return;
    }
    case 128: {
        uint16_t key = (uint16_t)Number(v, 65535, where);
        CheckReference(20, key, where + " value list");
        w.U16(2);
        w.U16(key);
        return;
    }
    default: throw Refusal(where + ": ValueType " + std::to_string(type) + " is not written to description data");
    }
}

void Compiler::ValueElement(Writer &w, const YAML::Node &node, bool flagged, const std::string &where)
{
    if (!node || !node.IsMap()) {
        throw Refusal(where + ": a value element is expected");
    }
    w.U16((uint32_t)Number(node["function"], 65535, where + " function"));
    w.U8(node["byte"] ? (uint32_t)Number(node["byte"], 255, where) : 0);
    w.U16(node["word"] ? (uint32_t)Number(node["word"], 65535, where) : 0);
    Value(w, node, where);
    if (flagged) {
        w.U8(node["flag"] ? (uint32_t)Number(node["flag"], 255, where) : 0);
    }
}

/* Rows {u16 FunctionID, value field}, u16 count first. */
void Compiler::Rows(Writer &w, const YAML::Node &node, const std::string &where)
{
    size_t n = node ? node.size() : 0;
    if (n > 0xFFFF) {
        throw Refusal(where + ": too many rows");
    }
    w.U16((uint32_t)n);
    for (size_t i = 0; i < n; ++i) {
        w.U16((uint32_t)Number(node[i]["function"], 65535, where + " function"));
        Value(w, node[i], where);
    }
}

void Compiler::Field(Writer &w, const SourceRecord &rec, const FieldDef &field, const YAML::Node &node,
                     uint16_t previousValue)
{
    const std::string where = rec.where + " " + field.name;
    switch (field.kind) {
    case FIELD_TEXT: {
        Bytes body = Text(node, where);
        w.U16((uint32_t)body.size());
        w.Append(body);
        return;
    }
    case FIELD_U8: w.U8(node ? (uint32_t)Number(node, 255, where) : 0); return;
    case FIELD_U16: w.U16(node ? (uint32_t)Number(node, 65535, where) : 0); return;
    case FIELD_KEY: {
        uint16_t key = node ? (uint16_t)Number(node, 65535, where) : 0;
        uint16_t target = field.ref == REF_TARGET ? previousValue : field.ref;
        if (key != 0 && target != 0) {
            CheckReference(target, key, where);
        }
        w.U16(key);
        return;
    }
    case FIELD_VALUE: Value(w, node, where); return;
    case FIELD_VALUE_ELEMENT: ValueElement(w, node, false, where); return;
    case FIELD_SIZE:
        if (!node || !node.IsSequence() || node.size() != 2) {
            throw Refusal(where + ": a size [width, height] is expected");
        }
        w.U16((uint32_t)Number(node[0], 65535, where));
        w.U16((uint32_t)Number(node[1], 65535, where));
        return;
    case FIELD_DATA16:
    case FIELD_DATA32: {
        Bytes data = node ? HexToBytes(node.Scalar(), where) : Bytes();
        if (field.kind == FIELD_DATA16) {
            if (data.size() > 0xFFFF) {
                throw Refusal(where + ": data is too long");
            }
            w.U16((uint32_t)data.size());
        } else {
            w.U32((uint32_t)data.size());
        }
        w.Append(data);
        return;
    }
    case FIELD_TEXTS16: {
        size_t n = node ? node.size() : 0;
        w.U16((uint32_t)n);
        for (size_t i = 0; i < n; ++i) {
            Bytes body = Text(node[i], where);
            w.U16((uint32_t)body.size());
            w.Append(body);
        }
        return;
    }
    case FIELD_ROWS16: Rows(w, node, where); return;
    case FIELD_ROWS32: {
        size_t at = w.b.size();
        w.U32(0);
        Rows(w, node, where);
        w.Patch32(at, (uint32_t)(w.b.size() - at - 4));
        return;
    }
    case FIELD_BITMAP: {
        Bytes bmp = node ? HexToBytes(node.Scalar(), where) : Bytes();
        if (bmp.size() < 14 || bmp[0] != 'B' || bmp[1] != 'M') {
            throw Refusal(where + ": a bitmap file (\"BM\" and its 14-byte header) is expected");
        }
        w.U32((uint32_t)bmp.size());
        w.Append(bmp);
        return;
    }
    case FIELD_ELEMENTS: {
        uint32_t size = rec.node["element_size"] ? (uint32_t)Number(rec.node["element_size"], 4, where, 1) : 0;
        size_t n = node ? node.size() : 0;
        if (n > 0 && size == 0) {
            throw Refusal(where + ": elements need an element_size of 1, 2 or 4");
        }
        w.U32((uint32_t)(2 + n * size));
        w.U16((uint32_t)n);
        for (size_t i = 0; i < n; ++i) {
            uint64_t v = Number(node[i], size == 4 ? 0xFFFFFFFF : (1ull << (8 * size)) - 1, where);
            for (uint32_t k = 0; k < size; ++k) {
                w.U8((uint32_t)(v >> (8 * k)) & 0xFF);
            }
        }
        return;
    }
    default: break;
    }
    /* Arrays: {u32 byte length of the count and elements, u16 count, elements}. */
    size_t at = w.b.size();
    w.U32(0);
    size_t n = node ? node.size() : 0;
    if (node && !node.IsSequence()) {
        throw Refusal(where + ": a list is expected");
    }
    w.U16((uint32_t)n);
    for (size_t i = 0; i < n; ++i) {
        const YAML::Node item = node[i];
        switch (field.kind) {
        case FIELD_ARRAY_KEYS: {
            uint16_t key = (uint16_t)Number(item, 65535, where);
            if (field.ref == REF_OPTION) {
                CheckReference(rec.type == 3 ? 13 : 14, key, where);
            }
            w.U16(key);
            break;
        }
        case FIELD_ARRAY_VALUES: ValueElement(w, item, false, where); break;
        case FIELD_ARRAY_FLAGGED: ValueElement(w, item, true, where); break;
        case FIELD_ARRAY_TEXTS: {
            Bytes body = Text(item, where);
            w.U16((uint32_t)body.size());
            w.Append(body);
            break;
        }
        case FIELD_ARRAY_TRIPLES:
            if (!item.IsSequence() || item.size() != 3) {
                throw Refusal(where + ": a triple [a, b, c] is expected");
            }
            for (int k = 0; k < 3; ++k) {
                w.U16((uint32_t)Number(item[k], 65535, where));
            }
            break;
        case FIELD_ARRAY_COPIED: Value(w, item, where); break;
        default: break;
        }
    }
    w.Patch32(at, (uint32_t)(w.b.size() - at - 4));
}

void Compiler::EncodeRecord(SourceRecord &rec)
{
    const RecordDef *def = FindRecordDef(rec.type);
    if (format < def->minFormat) {
        throw Refusal(rec.where + ": type " + std::to_string(rec.type) + " needs format " +
                      std::to_string(def->minFormat));
    }
    std::set<std::string> known = {"type", "key"};
    for (int i = 0; i < def->fieldCount; ++i) {
        known.insert(def->fields[i].name);
    }
    for (const auto &item : rec.node) {
        std::string name = item.first.Scalar();
        if (!known.count(name)) {
            throw Refusal(rec.where + ": no field \"" + name + "\"");
        }
    }
    Writer w;
    w.U32(0);
    w.U16(rec.key);
    uint16_t previous = 0;
    for (int i = 0; i < def->fieldCount; ++i) {
        const FieldDef &field = def->fields[i];
        const YAML::Node node = rec.node[field.name];
        if (field.minFormat > format) {
            if (node) {
                throw Refusal(rec.where + " " + field.name + ": needs format " + std::to_string(field.minFormat));
            }
            continue;
        }
        Field(w, rec, field, node, previous);
        previous = field.kind == FIELD_U16 && node ? (uint16_t)Number(node, 65535, rec.where) : 0;
    }
    w.Patch32(0, (uint32_t)w.b.size());
    rec.encoded = w.b;
}

void Compiler::CheckReference(uint16_t type, uint16_t key, const std::string &where) const
{
    auto it = keys.find(type);
    if (it == keys.end() || !it->second.count(key)) {
        throw Refusal(where + ": no record of type " + std::to_string(type) + " with key " + std::to_string(key));
    }
}

/* A definition: its FunctionID has a catalogue row and maps to this record; its default
 * option is one of its options; its options' values fit the catalogue row. */
void Compiler::CheckDefinition(const SourceRecord &rec) const
{
    uint16_t fid = rec.key;
    uint16_t type = 4;
    uint16_t key = fid;
    if (fid == FID_COLOR_SET_ON || (fid >= 4363 && fid <= 4365)) {
        type = 4;
    } else if (fid >= 4097 && fid <= 4371) {
        type = 3;
    } else if (fid >= 274 && fid <= 285) {
        key = (uint16_t)(274 + (fid - 274) / 4 * 4);
    } else if (fid == FID_DEVICE_NAME || fid == FID_MODEL_NAME || fid == FID_PSEUDO_PAPER || fid == FID_PSEUDO_RANGE5 ||
               fid == FID_PSEUDO_RANGE6 || fid == FID_PSEUDO_TYPE19) {
        type = 0;
    }
    if (type != rec.type || key != fid) {
        throw Refusal(rec.where + ": FunctionID " + std::to_string(fid) + " is not defined by a record of type " +
                      std::to_string(rec.type));
    }
    CatalogueRow row = {};
    bool checked = !IsUncheckedFunctionId(fid);
    if (checked && !LookupCatalogueRow(fid, row)) {
        throw Refusal(rec.where + ": FunctionID " + std::to_string(fid) + " has no catalogue row");
    }
    size_t count = rec.node["options"] ? rec.node["options"].size() : 0;
    uint64_t dflt = rec.node["default"] ? rec.node["default"].as<uint64_t>() : 0;
    if (dflt < 1 || dflt > count) {
        throw Refusal(rec.where + ": default option " + std::to_string(dflt) + " outside 1.." + std::to_string(count));
    }
    if (!checked) {
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        uint16_t optionKey = rec.node["options"][i].as<uint16_t>();
        for (const SourceRecord &option : records) {
            if (option.type == (rec.type == 3 ? 13 : 14) && option.key == optionKey) {
                CheckOptionValue(option, fid, rec.where);
            }
        }
    }
}

void Compiler::CheckOptionValue(const SourceRecord &option, uint16_t functionId, const std::string &where) const
{
    CatalogueRow row = {};
    LookupCatalogueRow(functionId, row);
    const YAML::Node value = option.node["value"];
    if (!value || !value["value"]) {
        return;
    }
    uint32_t type = value["type"].as<uint32_t>();
    const std::string place = where + " option " + std::to_string(option.key);
    if (type == 128) {
        return;
    }
    if (row.storedType == 6 || type == 6) {
        if (type != row.storedType) {
            throw Refusal(place + ": value of ValueType " + std::to_string(type) + " rejected by the catalogue");
        }
        std::string text = value["value"].IsMap() ? value["value"]["text"].Scalar() : value["value"].Scalar();
        if ((Utf8ToAnsi(text, place).size() + 1) * 2 > row.capacity) {
            throw Refusal(place + ": string longer than the setting's capacity");
        }
        return;
    }
    if (row.storedType == 9 || type == 9) {
        if (type != row.storedType) {
            throw Refusal(place + ": value of ValueType " + std::to_string(type) + " rejected by the catalogue");
        }
        return;
    }
    int64_t v = value["value"].as<int64_t>();
    int64_t lo = 0, hi = 0;
    switch (row.storedType) {
    case 1: hi = 1; break;
    case 2:
        lo = -32768;
        hi = 32767;
        break;
    case 3: hi = 65535; break;
    case 4:
        lo = INT32_MIN;
        hi = INT32_MAX;
        break;
    case 8: hi = 255; break;
    default: hi = 0xFFFFFFFFll; break;
    }
    if (v < lo || v > hi) {
        throw Refusal(place + ": value " + std::to_string(v) + " rejected by the catalogue");
    }
}

/* Host-application records: keys are their positions 1..n (at most 255); their rows name
 * settings of the DEVMODE's first part (StorageKind 0), the only part a short DEVMODE holds. */
void Compiler::CheckHostApps() const
{
    uint16_t position = 0;
    for (const SourceRecord &rec : records) {
        if (rec.type != 24) {
            continue;
        }
        ++position;
        if (rec.key != position || position > 255) {
            throw Refusal(rec.where + ": host-application keys must be their positions 1..255");
        }
        const YAML::Node rows = rec.node["rows"];
        for (size_t i = 0; rows && i < rows.size(); ++i) {
            uint16_t fid = rows[i]["function"].as<uint16_t>();
            CatalogueRow row = {};
            if (!LookupCatalogueRow(fid, row) || row.storageKind != 0) {
                throw Refusal(rec.where + ": FunctionID " + std::to_string(fid) +
                              " is not a setting of the DEVMODE's first part");
            }
        }
    }
}

void Compiler::Entries(Writer &w, const YAML::Node &entries)
{
    std::map<int, YAML::Node> given;
    for (const auto &item : entries) {
        int key = (int)Number(item.first, 41, "entries", 1);
        given[key] = item.second;
    }
    size_t at = w.b.size();
    w.U32(0);
    int last = given.empty() ? 0 : given.rbegin()->first;
    for (int key = 1; key <= last; ++key) {
        const EntryShapeDef &shape = kEntryShapes[key];
        const std::string where = "entry " + std::to_string(key);
        /* An entry not given is written empty: zeros, or a count of 0. */
        YAML::Node node = given.count(key) && !given[key].IsNull() ? given[key] : YAML::Node(YAML::NodeType::Undefined);
        if (shape.size == 0) {
            std::vector<YAML::Node> texts;
            if (shape.count == 1) {
                texts.push_back(node);
            } else if (node) {
                if (!node.IsSequence()) {
                    throw Refusal(where + ": a list of texts is expected");
                }
                for (size_t i = 0; i < node.size(); ++i) {
                    texts.push_back(node[i]);
                }
            }
            if (shape.count == 0) {
                w.U16((uint32_t)texts.size());
            }
            for (size_t i = 0; i < texts.size(); ++i) {
                if (key == 35 && !IsPlainFileName(texts[i].Scalar())) {
                    throw Refusal(where + ": module name \"" + texts[i].Scalar() + "\" is not a plain file name");
                }
                Bytes body = Text(texts[i], where);
                w.U16((uint32_t)body.size());
                w.Append(body);
            }
            continue;
        }
        std::vector<uint64_t> numbers;
        uint64_t max = shape.size == 4 ? 0xFFFFFFFFull : (1ull << (8 * shape.size)) - 1;
        if (shape.count == 1) {
            numbers.push_back(node ? Number(node, max, where) : 0);
        } else if (node) {
            if (!node.IsSequence()) {
                throw Refusal(where + ": a list of numbers is expected");
            }
            for (size_t i = 0; i < node.size(); ++i) {
                numbers.push_back(Number(node[i], max, where));
            }
            w.U16((uint32_t)numbers.size());
        } else {
            w.U16(0);
        }
        for (uint64_t v : numbers) {
            for (int k = 0; k < shape.size; ++k) {
                w.U8((uint32_t)(v >> (8 * k)) & 0xFF);
            }
        }
    }
    w.Patch32(at, (uint32_t)(w.b.size() - at - 4));
}

Bytes Compiler::Header(const YAML::Node &header)
{
    Bytes out(kHeaderBytes, 0);
    auto put = [&](uint32_t offset, size_t room, const char *name) {
        std::string text = header[name] ? Utf8ToAnsi(header[name].Scalar(), std::string("header ") + name) : "";
        if (text.size() >= room) {
            throw Refusal(std::string("header ") + name + ": longer than " + std::to_string(room - 1) + " characters");
        }
        std::copy(text.begin(), text.end(), out.begin() + offset);
        return text;
    };
    put(0, 64, "title");
    put(kVersionOffset, 24, "version");
    std::string model = put(kModelOffset, 64, "model");
    if (model.size() > kModelNameMax) {
        throw Refusal("header model: name longer than 31 characters");
    }
    std::string base = put(kBaseOffset, 64, "base");
    if (!base.empty() && !IsPlainFileName(base)) {
        throw Refusal("header base: \"" + base + "\" is not a plain file name");
    }
    hasBase = !base.empty();
    uint32_t reserved = header["reserved"] ? (uint32_t)Number(header["reserved"], 0xFFFFFFFF, "header reserved") : 0;
    format = (uint32_t)Number(header["format"], 0xFFFFFFFF, "header format");
    level = header["level"] ? (uint16_t)Number(header["level"], 2, "header level", 1) : kLevelModel;
    for (int i = 0; i < 4; ++i) {
        out[kReservedOffset + i] = (uint8_t)(reserved >> (8 * i));
        out[kFormatOffset + i] = (uint8_t)(format >> (24 - 8 * i));
    }
    return out;
}

} // namespace

bool Compile(const std::string &yaml, const Bytes *base, Bytes &out, std::string &error)
{
    try {
        YAML::Node root;
        try {
            root = YAML::Load(yaml);
        } catch (const YAML::Exception &e) {
            throw Refusal(std::string("source: ") + e.what());
        }
        Compiler c;
        Writer w;
        w.b = c.Header(root["header"]);
        if (c.hasBase != (base != nullptr)) {
            throw Refusal(c.hasBase ? "header base: the base file is needed to compile this model"
                                    : "header base: a base file was given but the header names none");
        }
        if (base) {
            for (uint16_t type : kSlotTypes) {
                c.baseLists[type] = ReadList(*base, type);
                for (const ListEntry &e : c.baseLists[type]) {
                    c.keys[type].insert(e.key);
                }
            }
        }
        /* Collect the records and their keys first, so references may point forward. */
        const YAML::Node records = root["records"];
        for (size_t i = 0; records && i < records.size(); ++i) {
            SourceRecord rec;
            rec.node = records[i];
            rec.type = (uint16_t)c.Number(rec.node["type"], 65535, "record " + std::to_string(i + 1) + " type");
            rec.key = (uint16_t)c.Number(rec.node["key"], 65535, "record " + std::to_string(i + 1) + " key");
            rec.where = "record type " + std::to_string(rec.type) + " key " + std::to_string(rec.key);
            if (!FindRecordDef(rec.type)) {
                throw Refusal(rec.where + ": no such record type");
            }
            if (!c.keys[rec.type].insert(rec.key).second) {
                throw Refusal(rec.where + ": duplicate key");
            }
            c.records.push_back(rec);
        }
        for (SourceRecord &rec : c.records) {
            if (rec.type == 3 || rec.type == 4) {
                c.CheckDefinition(rec);
            }
            c.EncodeRecord(rec);
        }
        c.CheckHostApps();
        Writer entries;
        c.Entries(entries, root["entries"]);
        const YAML::Node papers = root["entries"] ? root["entries"][41] : YAML::Node();
        if (papers && c.keys[10].size() > papers.as<uint64_t>()) {
            throw Refusal("records of type 10: " + std::to_string(c.keys[10].size()) +
                          " papers, more than entry 41 allows");
        }
        w.Append(entries.b);

        /* Directory, then per type its list and its records. */
        size_t directory = w.b.size();
        w.U32(kDirectoryBytes);
        w.U16(23);
        for (int i = 0; i < 23; ++i) {
            w.U8(kSlotTypes[i]);
            w.U16(0);
            w.U32(0);
        }
        for (int i = 0; i < 23; ++i) {
            uint16_t type = kSlotTypes[i];
            std::vector<const SourceRecord *> own;
            for (const SourceRecord &rec : c.records) {
                if (rec.type == type) {
                    own.push_back(&rec);
                }
            }
            const std::vector<ListEntry> &fromBase = c.baseLists[type];
            size_t count = own.size() + fromBase.size();
            if (count > 0xFFFF) {
                throw Refusal("records of type " + std::to_string(type) + ": too many");
            }
            size_t slot = directory + 6 + (size_t)i * 7;
            size_t list = w.b.size();
            w.b[slot + 1] = (uint8_t)(count & 0xFF);
            w.b[slot + 2] = (uint8_t)(count >> 8);
            w.Patch32(slot + 3, (uint32_t)(list - 4));
            w.U16((uint32_t)count);
            uint32_t offset = (uint32_t)(list + 2 + count * 7);
            for (const SourceRecord *rec : own) {
                w.U8(c.level);
                w.U16(rec->key);
                w.U32(offset);
                offset += (uint32_t)rec->encoded.size();
            }
            for (const ListEntry &e : fromBase) {
                w.U8(kLevelBase);
                w.U16(e.key);
                w.U32(e.offset);
            }
            for (const SourceRecord *rec : own) {
                w.Append(rec->encoded);
            }
        }
        out = w.b;
        return true;
    } catch (const Refusal &e) {
        error = e.what();
        return false;
    } catch (const YAML::Exception &e) {
        error = std::string("source: ") + e.what();
        return false;
    }
}

} // namespace dddc
