#include "core/ddd/tests/ddd_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ddd_test {

dddc::Bytes Compile(const std::string &yaml, const dddc::Bytes *base)
{
    dddc::Bytes out;
    std::string error;
    EXPECT_TRUE(dddc::Compile(yaml, base, out, error)) << error << "\n" << yaml;
    return out;
}

std::string Source(unsigned format, const std::string &entries, const std::string &records, const std::string &base,
                   int level)
{
    std::ostringstream s;
    s << "header:\n  title: \"Test\"\n  version: \"V:1.0.0\"\n  format: " << format
      << "\n  model: \"Test model\"\n  base: \"" << base << "\"\n  level: " << level << "\n";
    s << "entries:\n" << (entries.empty() ? "  {}\n" : entries);
    s << "records:\n" << (records.empty() ? "  []\n" : records);
    return s.str();
}

std::string Narrow(const WCHAR *text)
{
    if (!text) {
        return "<null>";
    }
    std::string out;
    for (; *text; ++text) {
        out.push_back((char)*text);
    }
    return out;
}

dddc::Bytes ReadBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    return dddc::Bytes(text.begin(), text.end());
}

Pair::Pair(const dddc::Bytes &modelBytes, const dddc::Bytes *baseBytes)
{
    status = ddd_OpenMemoryPair(modelBytes.data(),
                                (DWORD)modelBytes.size(),
                                baseBytes ? baseBytes->data() : nullptr,
                                baseBytes ? (DWORD)baseBytes->size() : 0,
                                &model,
                                &base);
}

Pair::~Pair()
{
    if (model.bytes) {
        ddd_CloseFile(&base);
        ddd_CloseFile(&model);
    }
}

} // namespace ddd_test
