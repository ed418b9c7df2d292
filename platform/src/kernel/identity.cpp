/*
 * The identity of the machine's user, of the machine and of the process: user name,
 * computer name and command line, each pinnable by tests.
 */
#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <mutex>

namespace {
std::mutex g_identity_lock;
std::u16string g_pinned_user;
bool g_computer_pinned;
std::u16string g_pinned_computer;
std::u16string g_command_line; /* read once; GetCommandLineW hands out its buffer */
bool g_command_line_read;

std::u16string widen(const char *s)
{
    std::u16string out;
    qmk::MultiToWide(CP_UTF8, s, strlen(s), &out);
    return out;
}

/* The host's name up to its first dot, upper case, at most MAX_COMPUTERNAME_LENGTH. */
std::u16string host_computer_name()
{
    char host[256] = {};
    if (gethostname(host, sizeof(host) - 1) != 0 || !host[0])
        strcpy(host, "localhost");
    char *dot = strchr(host, '.');
    if (dot)
        *dot = '\0';
    std::u16string name = widen(host).substr(0, MAX_COMPUTERNAME_LENGTH);
    CharUpperBuffW(name.data(), (DWORD)name.size());
    return name;
}

/* The process's arguments joined by blanks, an argument with a blank in double quotes. */
std::u16string host_command_line()
{
    std::string raw;
    FILE *f = fopen("/proc/self/cmdline", "rb");
    if (f) {
        char chunk[512];
        size_t n;
        while ((n = fread(chunk, 1, sizeof(chunk), f)) > 0)
            raw.append(chunk, n);
        fclose(f);
    }
    std::string line;
    for (size_t start = 0; start < raw.size();) {
        size_t end = raw.find('\0', start);
        if (end == std::string::npos)
            end = raw.size();
        std::string arg = raw.substr(start, end - start);
        if (!line.empty())
            line.push_back(' ');
        bool quote = arg.empty() || arg.find_first_of(" \t") != std::string::npos;
        line += quote ? "\"" + arg + "\"" : arg;
        start = end + 1;
    }
    return widen(line.c_str());
}
} // namespace

std::u16string qmk::CurrentUserName()
{
    {
        std::lock_guard<std::mutex> guard(g_identity_lock);
        if (!g_pinned_user.empty())
            return g_pinned_user;
    }
    const char *name = getenv("USER");
    struct passwd *pw = getpwuid(getuid());
    if ((!name || !*name) && pw)
        name = pw->pw_name;
    if (!name || !*name)
        name = "User";
    return widen(name);
}

/* The command line of the process (pinned by qmt_PinCommandLine); the buffer stays valid
 * until the line is pinned again. */
extern "C" LPWSTR WINAPI GetCommandLineW(void)
{
    std::lock_guard<std::mutex> guard(g_identity_lock);
    if (!g_command_line_read) {
        g_command_line = host_command_line();
        g_command_line_read = true;
    }
    return (LPWSTR)g_command_line.c_str();
}

/* On success *nSize is the length without the terminator; a buffer too small fails with
 * ERROR_BUFFER_OVERFLOW and *nSize the size needed with the terminator. */
extern "C" BOOL WINAPI GetComputerNameW(LPWSTR lpBuffer, LPDWORD nSize)
{
    if (!nSize) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string name;
    {
        std::lock_guard<std::mutex> guard(g_identity_lock);
        name = g_computer_pinned ? g_pinned_computer : host_computer_name();
    }
    if (!lpBuffer || *nSize < name.size() + 1) {
        *nSize = (DWORD)name.size() + 1;
        SetLastError(ERROR_BUFFER_OVERFLOW);
        return FALSE;
    }
    memcpy(lpBuffer, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
    *nSize = (DWORD)name.size();
    return TRUE;
}

/* On success *pcbBuffer is the length with the terminator; a buffer too small fails with
 * ERROR_INSUFFICIENT_BUFFER and *pcbBuffer the size needed with the terminator. */
extern "C" BOOL WINAPI GetUserNameW(LPWSTR lpBuffer, LPDWORD pcbBuffer)
{
    if (!pcbBuffer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string name = qmk::CurrentUserName();
    if (!lpBuffer || *pcbBuffer < name.size() + 1) {
        *pcbBuffer = (DWORD)name.size() + 1;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memcpy(lpBuffer, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
    *pcbBuffer = (DWORD)name.size() + 1;
    return TRUE;
}

extern "C" void qmt_PinCommandLine(LPCWSTR command_line)
{
    std::lock_guard<std::mutex> guard(g_identity_lock);
    g_command_line_read = command_line != nullptr;
    g_command_line = command_line ? std::u16string(command_line) : std::u16string();
}

extern "C" void qmt_PinComputerName(LPCWSTR name)
{
    std::lock_guard<std::mutex> guard(g_identity_lock);
    g_computer_pinned = name != nullptr;
    g_pinned_computer = name ? std::u16string(name) : std::u16string();
}

extern "C" void qmt_PinUserName(LPCWSTR name)
{
    std::lock_guard<std::mutex> guard(g_identity_lock);
    g_pinned_user = name ? std::u16string(name) : std::u16string();
}
