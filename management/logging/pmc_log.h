/*
 * Diagnostic logging of the printer-management library: named loggers that turn one
 * message into one line with a fixed header and hand it to their outputs, and the
 * process-wide log manager that keeps loggers, outputs, output types and the group logger
 * "All". Interfaces are looked up by GUID text. Loggers and outputs are reference counted:
 * add_ref takes a reference, release drops one and the last frees; the shared null objects
 * ignore both.
 */
#ifndef MANAGEMENT_LOGGING_PMC_LOG_H
#define MANAGEMENT_LOGGING_PMC_LOG_H

#include <cstdarg>
#include <cstdint>

/* Levels of a line and bits of a level mask. */
constexpr uint32_t PMC_LOG_ERROR = 1;
constexpr uint32_t PMC_LOG_WARN = 2;
constexpr uint32_t PMC_LOG_INFO = 4;
constexpr uint32_t PMC_LOG_DEBUG = 8;
constexpr uint32_t PMC_LOG_TRACE = 16;
constexpr uint32_t PMC_LOG_ALL = 31;

/* Header flags: which fields of the header are filled. */
constexpr uint32_t PMC_LOG_HEADER_TIME = 1;
constexpr uint32_t PMC_LOG_HEADER_PROCESS = 2;
constexpr uint32_t PMC_LOG_HEADER_THREAD = 4;

/* Interface identifiers. */
extern const char PMC_IID_BASE[];        /* every object */
extern const char PMC_IID_LOGGER[];      /* every logger, the null logger included */
extern const char PMC_IID_NULL_LOGGER[]; /* the null logger */
extern const char PMC_IID_CHANNEL[];     /* a real logger */
extern const char PMC_IID_GROUP[];       /* the group logger "All" */
extern const char PMC_IID_OUTPUT[];      /* every output */
extern const char PMC_IID_FILE_OUTPUT[]; /* "file" outputs */

/* The longest line, without its terminating NUL. */
constexpr uint32_t PMC_LOG_LINE_MAX = 1024;

/* An output of log lines. */
class IPmcLogOutput
{
public:
    /* query_interface: this object when it accepts `id` (no reference taken); -4 and null
     * for another id; -2 for null arguments. */
    virtual int query_interface(const char *id, void **out) = 0;
    virtual void add_ref() = 0;
    virtual int reserved() = 0; /* answers -5 */
    virtual void release() = 0;
    virtual const char *type_name() = 0;
    /* parameter: the text the output was made with (null when made without one). */
    virtual const char *parameter() = 0;
    /* write_line: writes one line (no line end); 0 or a negative code. */
    virtual int write_line(const char *line) = 0;

protected:
    ~IPmcLogOutput() = default;
};

/* The further operations of a "file" output (PMC_IID_FILE_OUTPUT). */
class IPmcLogFileOutput : public IPmcLogOutput
{
public:
    /* set_max_size: the largest size of the file in bytes before it is rotated; 0. */
    virtual int set_max_size(uint32_t bytes) = 0;
    /* set_file_path: the file written from the next line on; 0, -2 null, -3 no memory. */
    virtual int set_file_path(const char *path) = 0;

protected:
    ~IPmcLogFileOutput() = default;
};

/* A logger. */
class IPmcLogger
{
public:
    virtual int query_interface(const char *id, void **out) = 0;
    virtual void add_ref() = 0;
    virtual int reserved() = 0; /* answers -5 */
    virtual void release() = 0;
    virtual const char *name() = 0;
    /* add_output: attaches `output` (taking a reference) unless an attached output has the
     * same parameter text; 0, -2 for null, -3 no memory. */
    virtual int add_output(IPmcLogOutput *output) = 0;
    virtual int set_level_mask(uint32_t mask) = 0;
    virtual uint32_t get_level_mask() = 0;
    virtual int set_indent(uint32_t count) = 0;
    virtual uint32_t get_indent() = 0;
    virtual int set_header_flags(uint32_t flags) = 0;
    virtual uint32_t get_header_flags() = 0;
    /* set_radix: 10 or 16 for the ids of the header; other values -2. */
    virtual int set_radix(uint32_t radix) = 0;
    virtual uint32_t get_radix() = 0;
    virtual int reserved_6() = 0; /* answers -6 */
    /* write: one line at `level` when the level mask has a bit of it; 0 or the last
     * non-zero result of an output. A null format writes a fixed text. */
    virtual int write(uint32_t level, const char *format, ...) = 0;
    virtual int write_v(uint32_t level, const char *format, va_list args) = 0;

protected:
    ~IPmcLogger() = default;
};

/* One key/value text of the options an output type is created with. */
struct PmcLogOption {
    const char *key;
    const char *value;
};

struct PmcLogOptions {
    const PmcLogOption *items;
    uint32_t count;
};

/* An output factory: makes an output of `type_name` with `parameter` and `options`. */
typedef IPmcLogOutput *(*PmcLogOutputFactory)(const char *type_name, const char *parameter,
                                              const PmcLogOptions *options);

/* The output factories of the two built-in types (registered by the manager). */
IPmcLogOutput *pmc_create_stdout_output(const char *type_name, const char *parameter, const PmcLogOptions *options);
IPmcLogOutput *pmc_create_file_output(const char *type_name, const char *parameter, const PmcLogOptions *options);

/* The shared do-nothing outputs and the null logger ("null_session"). */
IPmcLogOutput *pmc_null_standard_output();
IPmcLogOutput *pmc_null_file_output();
IPmcLogger *pmc_null_logger();

/*
 * IPmcLogManager: the process-wide registry of loggers, outputs and output types.
 * Outputs handed out by get_output and find_output carry one reference for the caller,
 * who releases it; loggers belong to the manager and are never released by callers.
 */
class IPmcLogManager
{
public:
    /* create_logger: the logger of `name`, made and joined to "All" when new; never null
     * (at worst the null logger, with status -2 or -3 or the failing join's code). */
    virtual IPmcLogger *create_logger(const char *name, IPmcLogOutput *output, int *status) = 0;
    /* find_logger: the logger interface of `name`; -6 and null when there is none. */
    virtual IPmcLogger *find_logger(const char *name, int *status) = 0;
    virtual IPmcLogger *create_logger(const char *name, int *status) = 0;
    virtual IPmcLogger *find_logger_2(const char *name, int *status) = 0;
    /* get_output: the registered output of `parameter`, or a new one of `type_name`. */
    virtual IPmcLogOutput *get_output(const char *type_name, const char *parameter) = 0;
    /* find_output: the registered output of `parameter`, else a new "stdout" output. */
    virtual IPmcLogOutput *find_output(const char *parameter, int *status) = 0;
    /* register_output_type: adds a factory under `type_name`; 0, -2, -3. */
    virtual int register_output_type(const char *type_name, PmcLogOutputFactory factory) = 0;
    /* group: the group logger "All". */
    virtual IPmcLogger *group() = 0;

protected:
    ~IPmcLogManager() = default;
};

/*
 * pmc_get_log_manager: the manager, created on first call. status (out, may be null): 0,
 * or -3 when it cannot be created (the result is null then).
 */
IPmcLogManager *pmc_get_log_manager(int *status);

/* The library's static loggers, each fetched from the manager on first use. */
enum PmcStaticLogger { PMC_LOGGER_PSW, PMC_LOGGER_SNMP, PMC_LOGGER_SOCKET };

/* pmc_static_logger: the logger of `which`; never null (at worst the null logger). */
IPmcLogger *pmc_static_logger(PmcStaticLogger which);

/*
 * pmc_log_shutdown: releases every output and logger of the manager and the manager
 * itself, and forgets the static loggers; the next use starts afresh. Runs at unload.
 */
void pmc_log_shutdown();

/*
 * pmc_log_write: one formatted line at `level` on the logger called `logger_name`, which
 * is made when new. 0, or the manager's or the logger's error code (nothing written).
 * The PSW layer writes its failures with "PSW", level 1 and the failing call's name as
 * the format, passing the failing code as an argument the format does not print.
 */
int pmc_log_write(const char *logger_name, uint32_t level, const char *format, ...);

/* pmc_log_manager: the log manager, or null when it cannot be made (a shortcut). */
IPmcLogManager *pmc_log_manager();

#endif /* MANAGEMENT_LOGGING_PMC_LOG_H */
