/*
 * The shared do-nothing logging objects: the outputs "null_standard" and "null_file" and
 * the null logger "null_session". They are constant-initialised static objects: nothing
 * runs to make them, and references and release do nothing.
 */
#include "management/logging/pmc_log_private.h"

#include "management/base/pmc_status.h"

/* A shared output whose writes do nothing; type name and parameter are its name. */
class CPmcNullOutput : public IPmcLogFileOutput
{
public:
    constexpr explicit CPmcNullOutput(const char *name, uint32_t kind) : m_name(name), m_kind(kind) {}

    int query_interface(const char *id, void **out) override
    {
        return pmc_log_query(m_kind, static_cast<IPmcLogFileOutput *>(this), id, out);
    }
    void add_ref() override {}
    int reserved() override
    {
        return PMC_E_UNSUPPORTED;
    }
    void release() override {}
    const char *type_name() override
    {
        return m_name;
    }
    const char *parameter() override
    {
        return m_name;
    }
    int write_line(const char *) override
    {
        return PMC_OK;
    }
    int set_max_size(uint32_t) override
    {
        return PMC_OK;
    }
    int set_file_path(const char *) override
    {
        return PMC_OK;
    }

private:
    const char *m_name;
    uint32_t m_kind;
};

/* The null logger: writes nothing, answers neutral settings, has no outputs. */
class CPmcNullLogger : public IPmcLogger
{
public:
    constexpr CPmcNullLogger() = default;

    int query_interface(const char *id, void **out) override
    {
        return pmc_log_query(PMC_LOG_KIND_NULL_LOGGER, static_cast<IPmcLogger *>(this), id, out);
    }
    void add_ref() override {}
    int reserved() override
    {
        return PMC_E_UNSUPPORTED;
    }
    void release() override {}
    const char *name() override
    {
        return "null_session";
    }
    int add_output(IPmcLogOutput *) override
    {
        return PMC_E_UNSUPPORTED;
    }
    int set_level_mask(uint32_t) override
    {
        return PMC_OK;
    }
    uint32_t get_level_mask() override
    {
        return 0;
    }
    int set_indent(uint32_t) override
    {
        return PMC_OK;
    }
    uint32_t get_indent() override
    {
        return 0;
    }
    int set_header_flags(uint32_t) override
    {
        return PMC_OK;
    }
    uint32_t get_header_flags() override
    {
        return 0;
    }
    int set_radix(uint32_t) override
    {
        return PMC_OK;
    }
    uint32_t get_radix() override
    {
        return 10;
    }
    int reserved_6() override
    {
        return PMC_E_NOT_FOUND;
    }
    int write(uint32_t, const char *, ...) override
    {
        return PMC_OK;
    }
    int write_v(uint32_t, const char *, va_list) override
    {
        return PMC_OK;
    }
};

constinit static CPmcNullOutput s_null_standard("null_standard", PMC_LOG_KIND_OUTPUT);
constinit static CPmcNullOutput s_null_file("null_file", PMC_LOG_KIND_FILE_OUTPUT);
constinit static CPmcNullLogger s_null_logger;

IPmcLogOutput *pmc_null_standard_output()
{
    return &s_null_standard;
}

IPmcLogOutput *pmc_null_file_output()
{
    return &s_null_file;
}

IPmcLogger *pmc_null_logger()
{
    return &s_null_logger;
}
