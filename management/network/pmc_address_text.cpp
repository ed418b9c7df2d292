/*
 * Text forms of addresses.
 */
#include "management/network/pmc_address_text.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "management/base/pmc_status.h"

const char PMC_BROADCAST_IPV4[] = "255.255.255.255";
const char PMC_BROADCAST_IPV6[] = "ff02::1";

/* Socket families of the protocols, both ways. */
static const int s_families[][2] = {
    {PMC_PROTOCOL_IPV4, 2},
    {PMC_PROTOCOL_IPX, 6},
    {PMC_PROTOCOL_IPV6, 23},
    {PMC_PROTOCOL_UNSPEC, 0},
};

int pmc_protocol_of_family(int family)
{
    for (const auto &pair : s_families) {
        if (pair[1] == family)
            return pair[0];
    }
    return PMC_PROTOCOL_UNSPEC;
}

int pmc_family_of_protocol(int protocol)
{
    for (const auto &pair : s_families) {
        if (pair[0] == protocol)
            return pair[1];
    }
    return protocol;
}

bool pmc_parse_ipv4(const char *text, uint8_t bytes[4])
{
    if (!text)
        return false;
    unsigned parts[4];
    char extra;
    if (std::sscanf(text, "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3], &extra) != 4)
        return false;
    for (unsigned part : parts) {
        if (part > 255)
            return false;
    }
    if (bytes) {
        for (int i = 0; i < 4; ++i)
            bytes[i] = (uint8_t)parts[i];
    }
    return true;
}

bool pmc_parse_ipx(const char *text, uint8_t network[4], uint8_t node[6])
{
    if (!text || std::strlen(text) != 21)
        return false;
    unsigned f[10];
    if (std::sscanf(text,
                    "%2x%2x%2x%2x:%2x%2x%2x%2x%2x%2x",
                    &f[0],
                    &f[1],
                    &f[2],
                    &f[3],
                    &f[4],
                    &f[5],
                    &f[6],
                    &f[7],
                    &f[8],
                    &f[9]) != 10)
        return false;
    for (int i = 0; network && i < 4; ++i)
        network[i] = (uint8_t)f[i];
    for (int i = 0; node && i < 6; ++i)
        node[i] = (uint8_t)f[4 + i];
    return true;
}

int pmc_parse_ipv6(const char *text, uint8_t bytes[16])
{
    if (!text)
        return PMC_E_ARG;
    char expanded[64];
    const char *gap = std::strstr(text, "::");
    if (gap) {
        int colons = 0;
        for (const char *c = text; *c && colons < 8; ++c)
            colons += *c == ':';
        const char *after = gap + 2;
        std::size_t before = (std::size_t)(gap - text);
        if (before > 40 || std::strlen(after) > 40)
            return PMC_E_ARG;
        std::string_view lead = before ? std::string_view(text, before) : std::string_view("0");
        std::size_t used = (std::size_t)std::snprintf(expanded, sizeof expanded, "%.*s", (int)lead.size(), lead.data());
        /* A trailing "::" stands for the missing groups too: one more "0" closes the text. */
        int zeros = 8 - colons + (*after ? 0 : 1);
        for (int i = 0; i < zeros && used < sizeof expanded; ++i)
            used += (std::size_t)std::snprintf(expanded + used, sizeof expanded - used, ":0");
        if (*after && used < sizeof expanded)
            std::snprintf(expanded + used, sizeof expanded - used, ":%s", after);
    } else {
        std::snprintf(expanded, sizeof expanded, "%.43s", text);
    }
    unsigned g[8];
    if (std::sscanf(expanded, "%x:%x:%x:%x:%x:%x:%x:%x", &g[0], &g[1], &g[2], &g[3], &g[4], &g[5], &g[6], &g[7]) != 8)
        return PMC_E_ARG;
    for (int i = 0; i < 8; ++i) {
        if (g[i] > 0xffff)
            return PMC_E_ARG;
        bytes[2 * i] = (uint8_t)(g[i] >> 8);
        bytes[2 * i + 1] = (uint8_t)g[i];
    }
    return PMC_OK;
}

void pmc_print_ipv6(const uint8_t b[16], uint32_t scope, char *out)
{
    int n = std::snprintf(out,
                          PMC_IPV6_TEXT_SIZE,
                          "%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x",
                          b[0],
                          b[1],
                          b[2],
                          b[3],
                          b[4],
                          b[5],
                          b[6],
                          b[7],
                          b[8],
                          b[9],
                          b[10],
                          b[11],
                          b[12],
                          b[13],
                          b[14],
                          b[15]);
    if (scope)
        std::snprintf(out + n, PMC_IPV6_SCOPED_TEXT_SIZE - (std::size_t)n, "%%%d", (int)scope);
}

void pmc_print_mac(const uint8_t m[6], char *out)
{
    std::snprintf(out, PMC_MAC_TEXT_SIZE, "%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
}

bool pmc_equal_nocase(const char *a, const char *b)
{
    if (!a || !b)
        return false;
    for (;; ++a, ++b) {
        char ca = (*a >= 'A' && *a <= 'Z') ? (char)(*a - 'A' + 'a') : *a;
        char cb = (*b >= 'A' && *b <= 'Z') ? (char)(*b - 'A' + 'a') : *b;
        if (ca != cb)
            return false;
        if (!ca)
            return true;
    }
}
