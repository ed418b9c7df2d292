/*
 * The PSW exports of the handle's life and its commands.
 */
#include <cstring>

#include "management/include/psw.h"
#include "management/psw/psw_handle.h"

int32_t PSW_API PSWInit(CPSWHandle **handle)
{
    if (!handle)
        return PSW_E_ARG;
    return psw_create_handle(handle);
}

void PSW_API PSWUnInit(CPSWHandle *handle)
{
    delete handle;
}

/* The string commands and the community text each one sets. */
struct PSWCommandRow {
    const char *name;
    char (CPSWHandle::*community)[PSW_COMMUNITY_FIELD];
};

static const PSWCommandRow PSW_COMMANDS[] = {
    {"CmdSetCommunityGetOption", &CPSWHandle::option_community},
    {"CmdSetCommunityFind", &CPSWHandle::find_community},
    {"CmdSetCommunityWrite", &CPSWHandle::write_community},
};

int32_t PSW_API PSWCommandString(CPSWHandle *handle, const char *command, const char *value)
{
    if (!handle || !command || !value)
        return PSW_E_ARG;
    for (const PSWCommandRow &row : PSW_COMMANDS) {
        if (std::strcmp(command, row.name) != 0)
            continue;
        /* A text that does not fit its field is refused whole. */
        if (!psw_text_fits(value, PSW_COMMUNITY_FIELD))
            return PSW_E_ARG;
        std::strcpy(handle->*row.community, value);
        return PSW_OK;
    }
    return PSW_E_UNKNOWN;
}

int32_t PSW_API PSWCommandInteger(CPSWHandle *handle, const char *, int32_t value)
{
    if (!handle || value == 0)
        return PSW_E_ARG;
    return PSW_E_UNKNOWN;
}
