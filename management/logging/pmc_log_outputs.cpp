/*
 * The outputs "stdout" and "file" and their factories. A file output opens its file at
 * the first line, keeps it under its maximum size by moving it to path + ".bak", and ends
 * every line with "\r\n" in both builds, so the size it counts is the size on disk.
 */
#include "management/logging/pmc_log_private.h"

#include <cstdio>
#include <cstring>

#include "management/base/pmc_status.h"

static const char kStdoutType[] = "stdout";
static const char kFileType[] = "file";
static const char kBackupSuffix[] = ".bak";
static const char kLineEnd[] = "\r\n";
/* The one option a file output reads: its file path. */
static const char kPathOption[] = "ExtentionName";
/* Largest size of a log file before it is rotated. */
static const uint32_t kDefaultMaxSize = 0x400000;

/* Common part of the two outputs: parameter, reference count. */
class CPmcLogOutputBase : public CPmcHeapObject, public IPmcLogFileOutput
{
public:
    CPmcLogOutputBase(const CPmcLogOutputBase &) = delete;
    CPmcLogOutputBase &operator=(const CPmcLogOutputBase &) = delete;

    /* init: keeps a copy of the parameter; 0 or -3. */
    int init(const char *parameter)
    {
        return m_parameter.assign(parameter);
    }

    int query_interface(const char *id, void **out) override
    {
        return pmc_log_query(m_kind, static_cast<IPmcLogFileOutput *>(this), id, out);
    }
    void add_ref() override
    {
        InterlockedIncrement(&m_references);
    }
    int reserved() override
    {
        return PMC_E_UNSUPPORTED;
    }
    void release() override
    {
        if (InterlockedDecrement(&m_references) == 0)
            delete this;
    }
    const char *parameter() override
    {
        return m_parameter.data();
    }

protected:
    explicit CPmcLogOutputBase(uint32_t kind) : m_kind(kind) {}
    virtual ~CPmcLogOutputBase() = default;

private:
    CPmcString m_parameter;
    uint32_t m_kind;
    LONG m_references = 1;
};

/* "stdout": each line and a newline to standard output, flushed. */
class CPmcStdoutOutput : public CPmcLogOutputBase
{
public:
    CPmcStdoutOutput() : CPmcLogOutputBase(PMC_LOG_KIND_OUTPUT) {}
    const char *type_name() override
    {
        return kStdoutType;
    }
    int write_line(const char *line) override
    {
        std::printf("%s\n", line);
        std::fflush(stdout);
        return PMC_OK;
    }
    int set_max_size(uint32_t) override
    {
        return PMC_E_UNSUPPORTED;
    }
    int set_file_path(const char *) override
    {
        return PMC_E_UNSUPPORTED;
    }
};

/* "file": a size-limited file rotated to path + ".bak". */
class CPmcFileOutput : public CPmcLogOutputBase
{
public:
    CPmcFileOutput() : CPmcLogOutputBase(PMC_LOG_KIND_FILE_OUTPUT)
    {
        InitializeCriticalSection(&m_lock);
    }
    const char *type_name() override
    {
        return kFileType;
    }
    int write_line(const char *line) override;
    int set_max_size(uint32_t bytes) override;
    int set_file_path(const char *path) override;

protected:
    ~CPmcFileOutput() override
    {
        if (m_file)
            std::fclose(m_file);
        DeleteCriticalSection(&m_lock);
    }

private:
    int open(const char *mode);
    int rotate();

    CRITICAL_SECTION m_lock;
    CPmcString m_path;
    std::FILE *m_file = nullptr;
    uint32_t m_max_size = kDefaultMaxSize;
    uint32_t m_size = 0;
};

/* open: opens the path with `mode` and takes its length as the current size; -10. */
int CPmcFileOutput::open(const char *mode)
{
    if (m_path.is_empty())
        return PMC_E_SYSTEM;
    m_file = std::fopen(m_path.data(), mode);
    if (!m_file)
        return PMC_E_SYSTEM;
    std::fseek(m_file, 0, SEEK_END);
    long size = std::ftell(m_file);
    m_size = size > 0 ? (uint32_t)size : 0;
    return PMC_OK;
}

/* rotate: the full file becomes path + ".bak" (an older one is replaced); a new begins. */
int CPmcFileOutput::rotate()
{
    std::fclose(m_file);
    m_file = nullptr;
    CPmcString backup;
    int code = backup.assign(m_path);
    if (code == PMC_OK)
        code = backup.append(kBackupSuffix);
    if (code != PMC_OK)
        return code;
    std::FILE *existing = std::fopen(m_path.data(), "rb");
    if (existing) {
        std::fclose(existing);
        std::remove(backup.data());
        std::rename(m_path.data(), backup.data());
    }
    return open("wb");
}

int CPmcFileOutput::write_line(const char *line)
{
    if (!line)
        return PMC_E_ARG;
    EnterCriticalSection(&m_lock);
    int code = m_file ? PMC_OK : open("ab");
    uint32_t need = (uint32_t)std::strlen(line) + 2;
    if (code == PMC_OK && need > m_max_size)
        code = PMC_E_RANGE;
    if (code == PMC_OK && (uint64_t)m_size + need > m_max_size)
        code = rotate();
    if (code == PMC_OK) {
        std::fputs(line, m_file);
        std::fputs(kLineEnd, m_file);
        std::fflush(m_file);
        m_size += need;
    }
    LeaveCriticalSection(&m_lock);
    return code;
}

int CPmcFileOutput::set_max_size(uint32_t bytes)
{
    EnterCriticalSection(&m_lock);
    m_max_size = bytes;
    LeaveCriticalSection(&m_lock);
    return PMC_OK;
}

/* set_file_path: the open file, if any, is closed; the next line opens the new path. */
int CPmcFileOutput::set_file_path(const char *path)
{
    if (!path)
        return PMC_E_ARG;
    EnterCriticalSection(&m_lock);
    int code = m_path.assign(path);
    if (code == PMC_OK && m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    LeaveCriticalSection(&m_lock);
    return code;
}

IPmcLogOutput *pmc_create_stdout_output(const char *, const char *parameter, const PmcLogOptions *)
{
    if (!parameter)
        return pmc_null_standard_output();
    CPmcStdoutOutput *output = new CPmcStdoutOutput();
    if (output && output->init(parameter) != PMC_OK) {
        output->release();
        output = nullptr;
    }
    return output;
}

/* option_value: the value of `key` in `options`, or null. */
static const char *option_value(const PmcLogOptions *options, const char *key)
{
    for (uint32_t i = 0; i < options->count; ++i)
        if (options->items[i].key && std::strcmp(options->items[i].key, key) == 0)
            return options->items[i].value;
    return nullptr;
}

/*
 * pmc_create_file_output: the path is the parameter, or the non-empty "ExtentionName"
 * option when options are given; options without it give "null_file".
 */
IPmcLogOutput *pmc_create_file_output(const char *, const char *parameter, const PmcLogOptions *options)
{
    if (!parameter)
        return pmc_null_file_output();
    const char *path = parameter;
    if (options) {
        path = option_value(options, kPathOption);
        if (!path || !*path)
            return pmc_null_file_output();
    }
    CPmcFileOutput *output = new CPmcFileOutput();
    if (output && (output->init(parameter) != PMC_OK || output->set_file_path(path) != PMC_OK)) {
        output->release();
        output = nullptr;
    }
    return output;
}
