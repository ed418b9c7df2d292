/*
 * The log front end of the upper layers: a line on a logger chosen by name.
 */
#include "management/logging/pmc_log.h"

#include "management/base/pmc_status.h"

int pmc_log_write(const char *logger_name, uint32_t level, const char *format, ...)
{
    int status = PMC_OK;
    IPmcLogManager *manager = pmc_get_log_manager(&status);
    if (!manager)
        return status;
    IPmcLogger *logger = manager->create_logger(logger_name, &status);
    if (status != PMC_OK)
        return status;
    va_list args;
    va_start(args, format);
    logger->write_v(level, format, args);
    va_end(args);
    return PMC_OK;
}

IPmcLogManager *pmc_log_manager()
{
    return pmc_get_log_manager(nullptr);
}
