/*
 * Support of the job-attribute tests: the sample model (optionally patched) and small
 * models compiled in memory, settings areas, and one build of the header block.
 */
#ifndef QM_CORE_JOBTEXT_TESTS_JOBTEXT_TEST_SUPPORT_H
#define QM_CORE_JOBTEXT_TESTS_JOBTEXT_TEST_SUPPORT_H

#include "core/ddd/tests/ddd_test_support.h"
#include "core/jobtext/job_attr.h"
#include "testing/settings_areas.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace jobtext_test {

/* An open model with the bytes it was opened from. */
struct Model {
    dddc::Bytes baseBytes;
    dddc::Bytes modelBytes;
    std::unique_ptr<ddd_test::Pair> pair;
    DddFile *model()
    {
        return &pair->model;
    }
    DddFile *base()
    {
        return &pair->base;
    }
};

/* The sample model with each (from, to) text replaced once in its source. */
std::unique_ptr<Model> OpenSample(const std::vector<std::pair<std::string, std::string>> &patches = {});

/* A model without base file: entries and records as YAML lines (format 8192). */
std::unique_ptr<Model> OpenModel(const std::string &entries, const std::string &records);

/* The outcome of one build. */
struct Built {
    LONG status;
    std::string text; /* the bytes written (status of them when status >= 0) */
    DWORD bookletOffset;
};

/* Builds the header block with a context over the areas (capacity 4096 unless given). */
Built Build(Model &model, TestSettingsAreas &areas, JobAttrContext *context = nullptr, DWORD capacity = 4096);

/* A context over the areas with the given capacity. */
JobAttrContext Context(TestSettingsAreas &areas, DWORD capacity);

/* The universal exit line. */
const std::string kUel = "\x1b%-12345X";

} // namespace jobtext_test

#endif
