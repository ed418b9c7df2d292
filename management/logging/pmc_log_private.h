/*
 * Private to the logging code: the pointer array the loggers and the manager keep their
 * members in, the interface table, the logger and group classes and the manager.
 */
#ifndef MANAGEMENT_LOGGING_PMC_LOG_PRIVATE_H
#define MANAGEMENT_LOGGING_PMC_LOG_PRIVATE_H

#include <windows.h>

#include <atomic>

#include "management/base/pmc_memory.h"
#include "management/base/pmc_string.h"
#include "management/logging/pmc_log.h"
#include "management/logging/pmc_log_setup.h"

/* Kinds of logging object, as bits of the interface table. */
enum : uint32_t {
    PMC_LOG_KIND_CHANNEL = 1,
    PMC_LOG_KIND_NULL_LOGGER = 2,
    PMC_LOG_KIND_GROUP = 4,
    PMC_LOG_KIND_OUTPUT = 8,
    PMC_LOG_KIND_FILE_OUTPUT = 16
};

/*
 * pmc_log_query: answers a query_interface of an object of `kind`: `self` when the
 * interface table lets the kind accept `id`, else -4 and null; -2 for null arguments.
 */
int pmc_log_query(uint32_t kind, void *self, const char *id, void **out);

/* CPmcPointerArray: a growable array of pointers; allocation failures answer -3. */
class CPmcPointerArray
{
public:
    CPmcPointerArray() = default;
    ~CPmcPointerArray()
    {
        pmc_free(m_items);
    }
    CPmcPointerArray(const CPmcPointerArray &) = delete;
    CPmcPointerArray &operator=(const CPmcPointerArray &) = delete;

    /* append: 0, or -3 with the array unchanged. */
    int append(void *item);
    uint32_t count() const
    {
        return m_count;
    }
    void *at(uint32_t i) const
    {
        return m_items[i];
    }
    /* remove: forgets `item` (every place it holds it). */
    void remove(void *item);
    /* clear: forgets every pointer (the owner releases them first). */
    void clear()
    {
        m_count = 0;
    }

private:
    void **m_items = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};

/* pmc_output_attached: whether `output`, or one with its parameter, is in `outputs`. */
bool pmc_output_attached(const CPmcPointerArray &outputs, IPmcLogOutput *output);

/* pmc_find_output_by_parameter: the output of `outputs` whose parameter equals `parameter`. */
IPmcLogOutput *pmc_find_output_by_parameter(const CPmcPointerArray &outputs, const char *parameter);

/* CPmcLogChannel: a logger with its settings, outputs and lock. */
class CPmcLogChannel : public CPmcHeapObject, public IPmcLogger
{
public:
    /* pmc_create_log_channel: a logger named `name`; null and -3 without memory. */
    friend CPmcLogChannel *pmc_create_log_channel(const char *name, int *status);

    CPmcLogChannel(const CPmcLogChannel &) = delete;
    CPmcLogChannel &operator=(const CPmcLogChannel &) = delete;

    int query_interface(const char *id, void **out) override;
    void add_ref() override;
    int reserved() override;
    void release() override;
    const char *name() override;
    int add_output(IPmcLogOutput *output) override;
    int set_level_mask(uint32_t mask) override;
    uint32_t get_level_mask() override;
    int set_indent(uint32_t count) override;
    uint32_t get_indent() override;
    int set_header_flags(uint32_t flags) override;
    uint32_t get_header_flags() override;
    int set_radix(uint32_t radix) override;
    uint32_t get_radix() override;
    int reserved_6() override;
    int write(uint32_t level, const char *format, ...) override;
    int write_v(uint32_t level, const char *format, va_list args) override;

protected:
    CPmcLogChannel();
    virtual ~CPmcLogChannel();
    /* release_outputs: drops every attached output. */
    void release_outputs();

    CRITICAL_SECTION m_lock;
    CPmcString m_name;
    uint32_t m_kind = PMC_LOG_KIND_CHANNEL;
    uint32_t m_level_mask = 0;
    uint32_t m_indent = 0;
    uint32_t m_header_flags = PMC_LOG_HEADER_TIME | PMC_LOG_HEADER_PROCESS | PMC_LOG_HEADER_THREAD;
    uint32_t m_radix = 10;
    CPmcPointerArray m_outputs;
    LONG m_references = 1;
};

CPmcLogChannel *pmc_create_log_channel(const char *name, int *status);

/*
 * pmc_log_format_line: the line of one message: header (time, ids, name, level word),
 * indent and message, at most PMC_LOG_LINE_MAX characters. `line` holds that plus a NUL.
 */
void pmc_log_format_line(char *line, const char *name, uint32_t header_flags, uint32_t radix, uint32_t level,
                         uint32_t indent, const char *format, va_list args);

/*
 * CPmcLogGroup: the group logger "All": its settings and outputs, stored, reach every
 * member, and a logger joining it receives them all.
 */
class CPmcLogGroup : public CPmcLogChannel
{
public:
    CPmcLogGroup();
    ~CPmcLogGroup() override;

    int add_output(IPmcLogOutput *output) override;
    int set_level_mask(uint32_t mask) override;
    int set_indent(uint32_t count) override;
    int set_header_flags(uint32_t flags) override;
    int set_radix(uint32_t radix) override;
    void release() override;

    /* init: gives the group its name; 0 or -3. */
    int init();
    /* join: makes `member` a member with the group's settings and outputs; 0 or the first
     * failing result (it does not become a member then). */
    int join(IPmcLogger *member);
    /* leave: `member` is no longer a member. */
    void leave(IPmcLogger *member);
    /* empty: drops the members and the group's outputs. */
    void empty();

private:
    CPmcPointerArray m_members;
};

/* CPmcLogManager: the registry behind IPmcLogManager. */
class CPmcLogManager final : public CPmcHeapObject, public IPmcLogManager
{
public:
    CPmcLogManager();
    ~CPmcLogManager();
    CPmcLogManager(const CPmcLogManager &) = delete;
    CPmcLogManager &operator=(const CPmcLogManager &) = delete;

    /* init: registers the built-in output types and names the group; 0 or -3. */
    int init();
    /* shutdown: releases every output and logger and empties the group. */
    void shutdown();

    IPmcLogger *create_logger(const char *name, IPmcLogOutput *output, int *status) override;
    IPmcLogger *find_logger(const char *name, int *status) override;
    IPmcLogger *create_logger(const char *name, int *status) override;
    IPmcLogger *find_logger_2(const char *name, int *status) override;
    IPmcLogOutput *get_output(const char *type_name, const char *parameter) override;
    IPmcLogOutput *find_output(const char *parameter, int *status) override;
    int register_output_type(const char *type_name, PmcLogOutputFactory factory) override;
    IPmcLogger *group() override;

private:
    IPmcLogger *logger_named(const char *name);
    IPmcLogOutput *new_output(const char *type_name, const char *parameter);

    CRITICAL_SECTION m_lock;
    CPmcPointerArray m_loggers;
    CPmcPointerArray m_outputs;
    CPmcPointerArray m_types;
    CPmcLogGroup m_group;
};

#endif /* MANAGEMENT_LOGGING_PMC_LOG_PRIVATE_H */
