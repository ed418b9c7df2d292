/*
 * Interface identifiers of the logging objects and which kind of object accepts which.
 */
#include "management/logging/pmc_log_private.h"

#include <cstring>

#include "management/base/pmc_status.h"

const char PMC_IID_BASE[] = "da74598a-9178-43c9-86c6-cee9988f1b7f";
const char PMC_IID_LOGGER[] = "5fe5b960-6b6f-11d5-82ea-00e02941dfe1";
const char PMC_IID_NULL_LOGGER[] = "a1fc9560-6b6f-11d5-82ea-00e02941dfe1";
const char PMC_IID_CHANNEL[] = "d638c730-6b6f-11d5-82ea-00e02941dfe1";
const char PMC_IID_GROUP[] = "34430190-6b77-11d5-82ea-00e02941dfe1";
const char PMC_IID_OUTPUT[] = "13102460-7602-11d5-82f1-00e02941dfe1";
const char PMC_IID_FILE_OUTPUT[] = "2fb9f6c0-7602-11d5-82f1-00e02941dfe1";

static const uint32_t kAllKinds = PMC_LOG_KIND_CHANNEL | PMC_LOG_KIND_NULL_LOGGER | PMC_LOG_KIND_GROUP |
                                  PMC_LOG_KIND_OUTPUT | PMC_LOG_KIND_FILE_OUTPUT;

/* Each identifier with the kinds of object that accept it. */
static const struct {
    const char *id;
    uint32_t kinds;
} kInterfaces[] = {
    {PMC_IID_BASE, kAllKinds},
    {PMC_IID_LOGGER, PMC_LOG_KIND_CHANNEL | PMC_LOG_KIND_NULL_LOGGER | PMC_LOG_KIND_GROUP},
    {PMC_IID_NULL_LOGGER, PMC_LOG_KIND_NULL_LOGGER},
    {PMC_IID_CHANNEL, PMC_LOG_KIND_CHANNEL | PMC_LOG_KIND_GROUP},
    {PMC_IID_GROUP, PMC_LOG_KIND_GROUP},
    {PMC_IID_OUTPUT, PMC_LOG_KIND_OUTPUT | PMC_LOG_KIND_FILE_OUTPUT},
    {PMC_IID_FILE_OUTPUT, PMC_LOG_KIND_FILE_OUTPUT},
};

int pmc_log_query(uint32_t kind, void *self, const char *id, void **out)
{
    if (!id || !out)
        return PMC_E_ARG;
    *out = nullptr;
    for (const auto &entry : kInterfaces) {
        if (std::strcmp(entry.id, id) == 0) {
            if (!(entry.kinds & kind))
                break;
            *out = self;
            return PMC_OK;
        }
    }
    return PMC_E_NO_INTERFACE;
}
