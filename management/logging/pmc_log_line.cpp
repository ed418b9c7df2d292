/*
 * The layout of one log line: time, process id, thread id, logger name, level word,
 * indent and message, cut at 1024 characters.
 */
#include "management/logging/pmc_log_private.h"

#include <cstdio>
#include <cstring>

#include "management/base/pmc_system.h"

/* The words of the levels; any other level value has none. */
static const struct {
    uint32_t level;
    const char *word;
} kLevelWords[] = {
    {PMC_LOG_ERROR, "Error, "},
    {PMC_LOG_WARN, "Warn , "},
    {PMC_LOG_INFO, "Info , "},
    {PMC_LOG_DEBUG, "Debug, "},
    {PMC_LOG_TRACE, "Trace, "},
    {PMC_LOG_ALL, "All  , "},
};

static const char kNullMessage[] = "(client was about to output null message...)";

/* put_text: appends `text` at *pos, as far as it fits the line. */
static void put_text(char *line, uint32_t *pos, const char *text)
{
    while (*text && *pos < PMC_LOG_LINE_MAX)
        line[(*pos)++] = *text++;
    line[*pos] = 0;
}

/* put_id: an id field: "%08X" in radix 16, else "%8d"; 8 blanks when not wanted. */
static void put_id(char *line, uint32_t *pos, bool wanted, uint32_t radix, DWORD id)
{
    char field[16];
    if (!wanted)
        std::snprintf(field, sizeof field, "%8s", "");
    else if (radix == 16)
        std::snprintf(field, sizeof field, "%08lX", (unsigned long)id);
    else
        std::snprintf(field, sizeof field, "%8ld", (long)id);
    put_text(line, pos, field);
    put_text(line, pos, ", ");
}

void pmc_log_format_line(char *line, const char *name, uint32_t header_flags, uint32_t radix, uint32_t level,
                         uint32_t indent, const char *format, va_list args)
{
    uint32_t pos = 0;
    line[0] = 0;
    char field[64];
    if (header_flags & PMC_LOG_HEADER_TIME) {
        PmcLocalTime t;
        pmc_local_time(&t);
        std::snprintf(field,
                      sizeof field,
                      "%04d/%02d/%02d %02d:%02d:%02d:%03d",
                      t.year,
                      t.month,
                      t.day,
                      t.hour,
                      t.minute,
                      t.second,
                      t.millisecond);
    } else {
        std::snprintf(field, sizeof field, "%23s", "");
    }
    put_text(line, &pos, field);
    put_text(line, &pos, ", ");
    put_id(line, &pos, (header_flags & PMC_LOG_HEADER_PROCESS) != 0, radix, GetCurrentProcessId());
    put_id(line, &pos, (header_flags & PMC_LOG_HEADER_THREAD) != 0, radix, GetCurrentThreadId());
    std::snprintf(field, sizeof field, "%-16.16s", name ? name : "");
    put_text(line, &pos, field);
    put_text(line, &pos, ", ");
    for (const auto &entry : kLevelWords)
        if (entry.level == level)
            put_text(line, &pos, entry.word);
    for (uint32_t i = 0; i < indent && pos < PMC_LOG_LINE_MAX; ++i)
        put_text(line, &pos, "    ");
    if (pos >= PMC_LOG_LINE_MAX)
        return;
    if (!format) {
        put_text(line, &pos, kNullMessage);
        return;
    }
    std::vsnprintf(line + pos, PMC_LOG_LINE_MAX + 1 - pos, format, args);
}
