/* Support of the job-attribute tests. */
#include "core/jobtext/tests/jobtext_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\JOBTEXT_TEST_LOG.txt");
}

namespace jobtext_test {

static std::string read_text(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_FALSE(s.str().empty()) << path;
    return s.str();
}

std::unique_ptr<Model> OpenSample(const std::vector<std::pair<std::string, std::string>> &patches)
{
    auto m = std::make_unique<Model>();
    m->baseBytes = ddd_test::Compile(read_text(QM_SAMPLE_SOURCES "/QM50BASE.yaml"));
    std::string source = read_text(QM_SAMPLE_SOURCES "/QM50C1.yaml");
    for (const auto &p : patches) {
        size_t at = source.find(p.first);
        EXPECT_NE(std::string::npos, at) << p.first;
        if (at != std::string::npos)
            source.replace(at, p.first.size(), p.second);
    }
    m->modelBytes = ddd_test::Compile(source, &m->baseBytes);
    m->pair = std::make_unique<ddd_test::Pair>(m->modelBytes, &m->baseBytes);
    EXPECT_EQ(DDD_OK, m->pair->status);
    return m;
}

std::unique_ptr<Model> OpenModel(const std::string &entries, const std::string &records)
{
    auto m = std::make_unique<Model>();
    m->modelBytes = ddd_test::Compile(ddd_test::Source(8192, entries, records));
    m->pair = std::make_unique<ddd_test::Pair>(m->modelBytes);
    EXPECT_EQ(DDD_OK, m->pair->status);
    return m;
}

JobAttrContext Context(TestSettingsAreas &areas, DWORD capacity)
{
    JobAttrContext context = {};
    context.devmode = &areas.devmode;
    context.block = &areas.block;
    context.capacity = capacity;
    return context;
}

Built Build(Model &model, TestSettingsAreas &areas, JobAttrContext *context, DWORD capacity)
{
    JobAttrContext local = Context(areas, capacity);
    if (context == nullptr)
        context = &local;
    std::vector<char> out(context->capacity + 1, '\x7f');
    LONG status = job_BuildJobAttrBlock(model.model(), model.base(), context, nullptr, 0, out.data());
    Built built = {status, std::string(), context->bookletOffset};
    if (status >= 0) {
        built.text.assign(out.data(), (size_t)status);
        EXPECT_EQ('\0', out[(size_t)status]);
    }
    return built;
}

} // namespace jobtext_test
