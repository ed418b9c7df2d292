/*
 * CPmcLogManager: the process-wide registry of loggers by name, outputs by parameter and
 * output types, with the group logger "All". One lock guards the lists and the group.
 */
#include "management/logging/pmc_log_private.h"

#include <cstring>

#include "management/base/pmc_status.h"

/* One registered output type. */
struct PmcLogOutputType : CPmcHeapObject {
    CPmcString name;
    PmcLogOutputFactory create = nullptr;
};

/* The two built-in output types, registered at construction. */
static const struct {
    const char *name;
    PmcLogOutputFactory create;
} kBuiltInTypes[] = {
    {"stdout", pmc_create_stdout_output},
    {"file", pmc_create_file_output},
};

static const char kStdoutType[] = "stdout";

/* The singleton, created on first use under the creation lock of the library set-up. */
constinit static std::atomic<CPmcLogManager *> s_manager{nullptr};

IPmcLogManager *pmc_get_log_manager(int *status)
{
    CPmcLogManager *manager = s_manager.load(std::memory_order_acquire);
    if (!manager) {
        EnterCriticalSection(pmc_log_manager_creation_lock());
        manager = s_manager.load(std::memory_order_acquire);
        if (!manager) {
            manager = new CPmcLogManager();
            if (manager && manager->init() != PMC_OK) {
                delete manager;
                manager = nullptr;
            }
            s_manager.store(manager, std::memory_order_release);
        }
        LeaveCriticalSection(pmc_log_manager_creation_lock());
    }
    if (status)
        *status = manager ? PMC_OK : PMC_E_MEMORY;
    return manager;
}

/* pmc_log_manager_destroy: shuts the singleton down and frees it (library set-up). */
void pmc_log_manager_destroy()
{
    EnterCriticalSection(pmc_log_manager_creation_lock());
    CPmcLogManager *manager = s_manager.exchange(nullptr);
    LeaveCriticalSection(pmc_log_manager_creation_lock());
    if (manager) {
        manager->shutdown();
        delete manager;
    }
}

CPmcLogManager::CPmcLogManager()
{
    InitializeCriticalSection(&m_lock);
}

CPmcLogManager::~CPmcLogManager()
{
    shutdown();
    for (uint32_t i = 0; i < m_types.count(); ++i)
        delete (PmcLogOutputType *)m_types.at(i);
    m_types.clear();
    DeleteCriticalSection(&m_lock);
}

int CPmcLogManager::init()
{
    int code = m_group.init();
    for (const auto &type : kBuiltInTypes)
        if (code == PMC_OK)
            code = register_output_type(type.name, type.create);
    return code;
}

void CPmcLogManager::shutdown()
{
    EnterCriticalSection(&m_lock);
    for (uint32_t i = 0; i < m_outputs.count(); ++i)
        ((IPmcLogOutput *)m_outputs.at(i))->release();
    m_outputs.clear();
    m_group.empty();
    for (uint32_t i = 0; i < m_loggers.count(); ++i)
        ((IPmcLogger *)m_loggers.at(i))->release();
    m_loggers.clear();
    LeaveCriticalSection(&m_lock);
}

int CPmcLogManager::register_output_type(const char *type_name, PmcLogOutputFactory factory)
{
    if (!type_name || !factory)
        return PMC_E_ARG;
    PmcLogOutputType *type = new PmcLogOutputType();
    if (!type)
        return PMC_E_MEMORY;
    type->create = factory;
    EnterCriticalSection(&m_lock);
    int code = type->name.assign(type_name);
    if (code == PMC_OK)
        code = m_types.append(type);
    LeaveCriticalSection(&m_lock);
    if (code != PMC_OK)
        delete type;
    return code;
}

/* logger_named: the group for "All", else the listed logger of that exact name. */
IPmcLogger *CPmcLogManager::logger_named(const char *name)
{
    if (std::strcmp(name, m_group.name()) == 0)
        return &m_group;
    for (uint32_t i = 0; i < m_loggers.count(); ++i) {
        IPmcLogger *logger = (IPmcLogger *)m_loggers.at(i);
        if (std::strcmp(logger->name(), name) == 0)
            return logger;
    }
    return nullptr;
}

IPmcLogger *CPmcLogManager::create_logger(const char *name, IPmcLogOutput *output, int *status)
{
    int code = PMC_OK;
    if (!name) {
        if (status)
            *status = PMC_E_ARG;
        return pmc_null_logger();
    }
    EnterCriticalSection(&m_lock);
    IPmcLogger *logger = logger_named(name);
    if (!logger) {
        CPmcLogChannel *channel = pmc_create_log_channel(name, &code);
        if (channel) {
            code = m_group.join(channel);
            bool joined = code == PMC_OK;
            if (code == PMC_OK && output)
                code = channel->add_output(output);
            if (code == PMC_OK)
                code = m_loggers.append(channel);
            if (code == PMC_OK) {
                logger = channel;
            } else {
                if (joined)
                    m_group.leave(channel);
                channel->release();
            }
        }
    }
    LeaveCriticalSection(&m_lock);
    if (status)
        *status = code;
    return logger ? logger : pmc_null_logger();
}

IPmcLogger *CPmcLogManager::create_logger(const char *name, int *status)
{
    return create_logger(name, nullptr, status);
}

/* find_logger: the logger's logger interface; -1 when it yields none, -6 for no logger. */
IPmcLogger *CPmcLogManager::find_logger(const char *name, int *status)
{
    if (!name) {
        if (status)
            *status = PMC_E_ARG;
        return pmc_null_logger();
    }
    EnterCriticalSection(&m_lock);
    IPmcLogger *logger = logger_named(name);
    LeaveCriticalSection(&m_lock);
    int code = PMC_E_NOT_FOUND;
    void *found = nullptr;
    if (logger && logger->query_interface(PMC_IID_LOGGER, &found) == PMC_OK)
        code = PMC_OK;
    else if (logger)
        code = PMC_E_FAIL;
    if (status)
        *status = code;
    return (IPmcLogger *)found;
}

IPmcLogger *CPmcLogManager::find_logger_2(const char *name, int *status)
{
    return find_logger(name, status);
}

/* new_output: made by the first registered factory of the type; null when none. */
IPmcLogOutput *CPmcLogManager::new_output(const char *type_name, const char *parameter)
{
    for (uint32_t i = 0; i < m_types.count(); ++i) {
        PmcLogOutputType *type = (PmcLogOutputType *)m_types.at(i);
        if (std::strcmp(type->name.data(), type_name) == 0)
            return type->create(type_name, parameter, nullptr);
    }
    return nullptr;
}

/*
 * get_output: the registered output of the parameter when its type matches; else a new
 * output, registered only when it has a parameter no registered output has. The caller
 * receives one reference.
 */
IPmcLogOutput *CPmcLogManager::get_output(const char *type_name, const char *parameter)
{
    EnterCriticalSection(&m_lock);
    IPmcLogOutput *output = nullptr;
    if (!type_name) {
        output = new_output(kStdoutType, parameter);
    } else if (!parameter) {
        output = new_output(type_name, nullptr);
    } else if (IPmcLogOutput *existing = pmc_find_output_by_parameter(m_outputs, parameter)) {
        if (std::strcmp(existing->type_name(), type_name) == 0) {
            output = existing;
            output->add_ref();
        } else {
            output = new_output(type_name, nullptr);
        }
    } else {
        output = new_output(type_name, parameter);
        if (output && output->parameter() && std::strcmp(output->parameter(), parameter) == 0) {
            if (m_outputs.append(output) == PMC_OK) {
                output->add_ref();
            } else {
                output->release();
                output = new_output(type_name, nullptr);
            }
        }
    }
    LeaveCriticalSection(&m_lock);
    return output;
}

/* find_output: the registered output of the parameter, else a new "stdout" output. */
IPmcLogOutput *CPmcLogManager::find_output(const char *parameter, int *status)
{
    if (status)
        *status = parameter ? PMC_OK : PMC_E_ARG;
    EnterCriticalSection(&m_lock);
    IPmcLogOutput *output = pmc_find_output_by_parameter(m_outputs, parameter);
    if (output)
        output->add_ref();
    else
        output = new_output(kStdoutType, parameter);
    LeaveCriticalSection(&m_lock);
    return output;
}

IPmcLogger *CPmcLogManager::group()
{
    return &m_group;
}
