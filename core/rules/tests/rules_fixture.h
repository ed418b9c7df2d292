/*
 * Fixture of the rule and helper tests: the sample printer (its model optionally patched)
 * installed over files compiled here, its context, settings areas holding its defaults,
 * forms added to the printer, and hand-built field maps and paper lists.
 */
#ifndef QM_CORE_RULES_TESTS_RULES_FIXTURE_H
#define QM_CORE_RULES_TESTS_RULES_FIXTURE_H

#include "core/context/tests/driver_files.h"
#include "core/ddd/tests/ddd_test_support.h"
#include "core/devmode_merge/field_map.h"
#include "core/handlers/setting_handlers.h"
#include "core/paperlist/paper_list.h"
#include "core/rules/dependent_rules.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_text.h"
#include "testing/settings_areas.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace rules_test {

using Patches = std::vector<std::pair<std::string, std::string>>;

inline std::string ReadText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_FALSE(s.str().empty()) << path;
    return s.str();
}

/* A public-field map with its six tables, all fields given. */
struct HandMap {
    FieldMapTable tables[FIELD_MAP_TABLE_COUNT] = {};
    DevmodeFieldMap map = {};
    HandMap(DWORD active = 1, WORD formdb = 0)
    {
        map.active = active;
        map.formdb = formdb;
        map.tableCount = FIELD_MAP_TABLE_COUNT;
        map.tables = tables;
        static const WORD ids[FIELD_MAP_TABLE_COUNT] = {6, 18, 14, 13, 24, 15};
        for (int i = 0; i < FIELD_MAP_TABLE_COUNT; ++i)
            tables[i].functionId = ids[i];
    }
};

/* A paper list of entries {form number, name, width, height (0.001 mm), paper id}. */
struct HandList {
    std::vector<PaperListEntry> entries;
    PaperList list = {};
    void Add(SHORT form, const std::u16string &name, LONG width, LONG height, WORD id, bool model = true)
    {
        PaperListEntry e = {};
        e.formNumber = form;
        for (size_t i = 0; i < name.size() && i + 1 < PAPER_LIST_NAME_CHARS; ++i)
            e.name[i] = name[i];
        e.width = width;
        e.height = height;
        e.paperId = id;
        entries.push_back(e);
        (model ? list.modelCount : list.extraCount)++;
        list.entries = entries.data();
    }
};

class RulesFixture : public testing::Test
{
public:
    void SetUp() override
    {
        module_ = driver_files::PinModuleDirectory();
        qmt_PinLocale(0x0407);
        areas_ = std::make_unique<TestSettingsAreas>();
    }
    void TearDown() override
    {
        for (size_t i = 0; i < contexts_.size(); ++i) {
            /* hand-built maps and lists go; what the context built is freed with it */
            contexts_[i]->fieldMap = builtMaps_[i];
            if (contexts_[i]->paperList == handList_)
                contexts_[i]->paperList = nullptr;
            ddd_CloseContext(contexts_[i]);
        }
        for (HANDLE printer : printers_)
            ClosePrinter(printer);
        util_SetModuleHandle(nullptr);
        FreeLibrary(module_);
        qmt_PinLocale(0);
        qmt_PinCommandLine(nullptr);
    }

    /* Installs the sample (with the patches; or the model source of that file, a variant
       of the sample) as a printer and opens its context; the areas then hold its
       defaults. */
    DriverContext *OpenSample(const Patches &patches = {}, const WCHAR *name = TEXT("Sample"),
                              const std::string &sourceFile = QM_SAMPLE_SOURCES "/QM50C1.yaml")
    {
        dddc::Bytes base = ddd_test::Compile(ReadText(QM_SAMPLE_SOURCES "/QM50BASE.yaml"));
        std::string source = ReadText(sourceFile);
        for (const auto &p : patches) {
            size_t at = source.find(p.first);
            EXPECT_NE(std::string::npos, at) << p.first;
            if (at != std::string::npos)
                source.replace(at, p.first.size(), p.second);
        }
        dddc::Bytes model = ddd_test::Compile(source, &base);
        ModelBytes(model);
        driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.DDD", std::string(base.begin(), base.end()));
        driver_files::WriteFileBytes(u"C:\\drv\\QM50C1.DDD", std::string(model.begin(), model.end()));
        printer_ = driver_files::InstallPrinter(name, u"C:\\drv\\QM50C1.DDD");
        printers_.push_back(printer_);
        context_ = ddd_OpenContext(printer_);
        EXPECT_NE(nullptr, context_);
        if (context_) {
            contexts_.push_back(context_);
            builtMaps_.push_back(context_->fieldMap);
            EXPECT_TRUE(opt_SetAllDefaults(context_, &areas_->devmode, &areas_->block, TEXT("P")));
        }
        return context_;
    }
    /* Closes the context opened last (its printer stays installed). */
    void CloseSample()
    {
        ddd_CloseContext(context_);
        contexts_.pop_back();
        builtMaps_.pop_back();
        context_ = nullptr;
    }
    /* A hook for a test that changes the compiled model before it is written. */
    virtual void ModelBytes(dddc::Bytes &) {}

    /* Adds a form of that size (0.001 mm) to the printer. */
    void AddPrinterForm(const WCHAR *name, LONG cx, LONG cy)
    {
        FORM_INFO_1W form = {};
        form.pName = (LPWSTR)name;
        form.Size = {cx, cy};
        form.ImageableArea = {0, 0, cx, cy};
        ASSERT_TRUE(AddFormW(printer_, 1, (LPBYTE)&form));
    }

    LONG Get(WORD functionId, DriverDevmode *devmode = nullptr)
    {
        LONG value = 0;
        EXPECT_TRUE(util_ReadSettingLong(functionId, devmode ? devmode : &areas_->devmode, &areas_->block, &value))
            << functionId;
        return value;
    }
    std::u16string Text(WORD functionId, DriverDevmode *devmode = nullptr)
    {
        const WCHAR *text = (const WCHAR *)dma_GetTypedValue(
            devmode ? devmode : &areas_->devmode, &areas_->block, functionId, VT_STRING);
        return text ? std::u16string(text) : u"<none>";
    }
    void Set(WORD functionId, LONG value)
    {
        areas_->set(functionId, value);
    }
    void SetText(WORD functionId, const WCHAR *text)
    {
        areas_->set_text(functionId, text);
    }

    HMODULE module_ = nullptr;
    HANDLE printer_ = nullptr;
    DriverContext *context_ = nullptr;
    std::unique_ptr<TestSettingsAreas> areas_;
    std::vector<HANDLE> printers_;
    std::vector<DriverContext *> contexts_;
    std::vector<DevmodeFieldMap *> builtMaps_;
    void *handList_ = nullptr; /* a hand-built list a test hands its context */
};

} // namespace rules_test

#endif /* QM_CORE_RULES_TESTS_RULES_FIXTURE_H */
