/*
 * dddc: the sample compiles, the dump of each file compiles to the same bytes, and each
 * kind of faulty source is refused with one line naming the record and the reason.
 */
#include "tools/dddc/dddc.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

static std::string ReadText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

static dddc::Bytes CompileOk(const std::string &yaml, const dddc::Bytes *base = nullptr)
{
    dddc::Bytes out;
    std::string error;
    EXPECT_TRUE(dddc::Compile(yaml, base, out, error)) << error;
    return out;
}

TEST(DddcSample, DumpOfEachFileCompilesToTheSameBytes)
{
    dddc::Bytes base = CompileOk(ReadText(QM_SAMPLE_SOURCES "/QM50BASE.yaml"));
    dddc::Bytes model = CompileOk(ReadText(QM_SAMPLE_SOURCES "/QM50C1.yaml"), &base);
    std::string built = ReadText(QM_MODELS_DIR "/QM50C1.DDD");
    EXPECT_EQ(model, dddc::Bytes(built.begin(), built.end()));

    for (const dddc::Bytes *file : {&base, &model}) {
        std::string yaml, error;
        ASSERT_TRUE(dddc::Dump(*file, yaml, error)) << error;
        EXPECT_EQ(*file, CompileOk(yaml, file == &model ? &base : nullptr)) << yaml;
    }
}

/* A small valid model; each case replaces one part of it. */
struct Parts {
    std::string format = "1024";
    std::string model = "Small";
    std::string base = "";
    std::string entries = "  41: 2\n";
    std::string records = "  - {type: 4, key: 7, caption: Orientation, control: 2, default: 1, options: [1, 2]}\n"
                          "  - {type: 14, key: 1, caption: Portrait, value: {type: 2, value: 1}}\n"
                          "  - {type: 14, key: 2, caption: Landscape, value: {type: 2, value: 2}}\n"
                          "  - {type: 17, key: 1, first: [2100, 2970], second: [2100, 2970]}\n"
                          "  - {type: 10, key: 9, name: A4, paper_size: 1, image_size: 1, margins: 1}\n";

    std::string Yaml() const
    {
        return "header: {title: T, version: \"V:1.0.0\", format: " + format + ", model: \"" + model + "\", base: \"" +
               base + "\"}\nentries:\n" + entries + "records:\n" + records;
    }
};

struct RefusalCase {
    const char *what;
    void (*change)(Parts &);
    const char *message;
};

static const RefusalCase kRefusals[] = {
    {"duplicate key",
     [](Parts &p) { p.records += "  - {type: 17, key: 1, first: [1, 1], second: [1, 1]}\n"; },
     "record type 17 key 1: duplicate key"},
    {"dangling reference",
     [](Parts &p) { p.records += "  - {type: 10, key: 11, name: A5, margins: 99}\n"; },
     "record type 10 key 11 margins: no record of type 17 with key 99"},
    {"definition without a catalogue row",
     [](Parts &p) { p.records += "  - {type: 4, key: 2490, caption: X, default: 1, options: [1]}\n"; },
     "record type 4 key 2490: FunctionID 2490 has no catalogue row"},
    {"definition of the wrong record type",
     [](Parts &p) { p.records += "  - {type: 3, key: 8, caption: X, default: 1, options: [1]}\n"; },
     "record type 3 key 8: FunctionID 8 is not defined by a record of type 3"},
    {"a member of a shared definition",
     [](Parts &p) { p.records += "  - {type: 4, key: 275, caption: X, default: 1, options: [1]}\n"; },
     "record type 4 key 275: FunctionID 275 is not defined by a record of type 4"},
    {"default option above the count",
     [](Parts &p) { p.records.replace(p.records.find("default: 1"), 10, "default: 3"); },
     "record type 4 key 7: default option 3 outside 1..2"},
    {"default option 0",
     [](Parts &p) { p.records.replace(p.records.find("default: 1"), 10, "default: 0"); },
     "record type 4 key 7: default option 0 outside 1..2"},
    {"value the catalogue rejects",
     [](Parts &p) {
         p.records += "  - {type: 4, key: 12, caption: C, default: 1, options: [3]}\n"
                      "  - {type: 14, key: 3, caption: Many, value: {type: 4, value: 70000}}\n";
     },
     "record type 4 key 12 option 3: value 70000 rejected by the catalogue"},
    {"string beyond its capacity",
     [](Parts &p) {
         p.records += "  - {type: 4, key: 19, caption: F, default: 1, options: [3]}\n"
                      "  - {type: 14, key: 3, caption: Long, value: {type: 6, value: "
                      "\"a form name of thirty-two letters\"}}\n";
     },
     "record type 4 key 19 option 3: string longer than the setting's capacity"},
    {"more papers than entry 41",
     [](Parts &p) { p.entries = "  41: 0\n"; },
     "records of type 10: 1 papers, more than entry 41 allows"},
    {"host-application key not its position",
     [](Parts &p) { p.records += "  - {type: 24, key: 2, text: \"A.EXE\", rows: []}\n"; },
     "record type 24 key 2: host-application keys must be their positions 1..255"},
    {"host-application row of the printer-data block",
     [](Parts &p) {
         p.records += "  - {type: 24, key: 1, text: \"A.EXE\", rows: [{function: 4097, type: 1, value: 1}]}\n";
     },
     "record type 24 key 1: FunctionID 4097 is not a setting of the DEVMODE's first part"},
    {"host-application row of the DEVMODE's second part",
     [](Parts &p) {
         p.records += "  - {type: 24, key: 1, text: \"A.EXE\", rows: [{function: 1863, type: 2, value: 1}]}\n";
     },
     "record type 24 key 1: FunctionID 1863 is not a setting of the DEVMODE's first part"},
    {"model name over 31 characters",
     [](Parts &p) { p.model = "A model name of thirty-two chars"; },
     "header model: name longer than 31 characters"},
    {"base name with a path",
     [](Parts &p) { p.base = "..\\\\other.DDD"; },
     "header base: \"..\\other.DDD\" is not a plain file name"},
    {"module name with a path",
     [](Parts &p) { p.entries += "  35: [\"sub/x.xrs\"]\n"; },
     "entry 35: module name \"sub/x.xrs\" is not a plain file name"},
    {"type 19 below format 512",
     [](Parts &p) {
         p.format = "511";
         p.records += "  - {type: 19, key: 1, text: J}\n";
     },
     "record type 19 key 1: type 19 needs format 512"},
    {"type 25 below format 8192",
     [](Parts &p) {
         p.format = "8191";
         p.records += "  - {type: 25, key: 1, text1: S}\n";
     },
     "record type 25 key 1: type 25 needs format 8192"},
    {"reference to string 0",
     [](Parts &p) { p.records += "  - {type: 10, key: 11, name: {text: A5, module: 1, string: 0}}\n"; },
     "record type 10 key 11 name: a reference needs a module and a string other than 0"},
    {"field of a later format",
     [](Parts &p) { p.records += "  - {type: 10, key: 11, name: A5, extra_word: 1}\n"; },
     "record type 10 key 11 extra_word: needs format 1280"},
};

TEST(DddcRefusals, EachFaultIsRefusedNamingTheRecord)
{
    std::string error;
    dddc::Bytes out;
    ASSERT_TRUE(dddc::Compile(Parts().Yaml(), nullptr, out, error)) << error;
    for (const RefusalCase &c : kRefusals) {
        Parts parts;
        c.change(parts);
        error.clear();
        EXPECT_FALSE(dddc::Compile(parts.Yaml(), nullptr, out, error)) << c.what;
        EXPECT_EQ(c.message, error) << c.what;
        EXPECT_EQ(std::string::npos, error.find('\n')) << c.what;
    }
}

} // namespace
