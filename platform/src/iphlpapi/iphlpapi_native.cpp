/*
 * Host side of the IP Helper area: adapters from getifaddrs, the IPv4 routes of the
 * kernel's main table (/proc/net/route) and the best interface from a connected UDP
 * socket's local address. This file alone includes the host network headers.
 */
#include "platform/src/iphlpapi/iphlpapi_private.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <netinet/in.h>
#include <stdio.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

qmip::Adapter &adapter_of(std::vector<qmip::Adapter> &list, const char *name)
{
    for (qmip::Adapter &a : list) {
        if (a.name == name)
            return a;
    }
    qmip::Adapter a{};
    a.name = name;
    a.index = if_nametoindex(name);
    a.type = 6;
    list.push_back(a);
    return list.back();
}

} // namespace

std::vector<qmip::Adapter> qmip::HostAdapters()
{
    std::vector<Adapter> list;
    ifaddrs *all = nullptr;
    if (getifaddrs(&all) != 0)
        return list;
    for (ifaddrs *i = all; i; i = i->ifa_next) {
        if (!i->ifa_name)
            continue;
        Adapter &a = adapter_of(list, i->ifa_name);
        if (i->ifa_flags & IFF_LOOPBACK)
            a.type = 24;
        if (!i->ifa_addr)
            continue;
        int family = i->ifa_addr->sa_family;
        if (family == AF_INET) {
            Address4 v4;
            v4.address = ((sockaddr_in *)i->ifa_addr)->sin_addr.s_addr;
            v4.mask = i->ifa_netmask ? ((sockaddr_in *)i->ifa_netmask)->sin_addr.s_addr : 0;
            a.ipv4.push_back(v4);
        } else if (family == AF_INET6) {
            Address6 v6;
            memcpy(v6.bytes, &((sockaddr_in6 *)i->ifa_addr)->sin6_addr, 16);
            v6.scope = ((sockaddr_in6 *)i->ifa_addr)->sin6_scope_id;
            a.ipv6.push_back(v6);
        } else if (family == AF_PACKET) {
            sockaddr_ll *ll = (sockaddr_ll *)i->ifa_addr;
            if (ll->sll_hatype == ARPHRD_TUNNEL6 || ll->sll_hatype == ARPHRD_SIT || ll->sll_hatype == ARPHRD_TUNNEL)
                a.type = 131;
            a.mac_length = ll->sll_halen <= 6 ? ll->sll_halen : 6;
            memcpy(a.mac, ll->sll_addr, a.mac_length);
        }
    }
    freeifaddrs(all);
    return list;
}

std::vector<qmip::Route> qmip::HostRoutes()
{
    std::vector<Route> routes;
    FILE *f = fopen("/proc/net/route", "r");
    if (!f)
        return routes;
    char line[512];
    if (!fgets(line, sizeof line, f)) {
        fclose(f);
        return routes;
    }
    while (fgets(line, sizeof line, f)) {
        char name[64];
        unsigned destination, gateway, flags, refs, use, metric, mask;
        if (sscanf(
                line, "%63s %x %x %x %u %u %u %x", name, &destination, &gateway, &flags, &refs, &use, &metric, &mask) !=
            8)
            continue;
        if (!(flags & 1))
            continue; /* RTF_UP */
        Route r;
        r.destination = destination;
        r.mask = mask;
        r.next_hop = gateway;
        r.if_index = if_nametoindex(name);
        r.type = gateway ? 4 : 3;
        routes.push_back(r);
    }
    fclose(f);
    return routes;
}

bool qmip::HostBestInterface(const uint8_t *address, bool ipv6, uint32_t *index)
{
    int fd = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return false;
    sockaddr_storage peer;
    memset(&peer, 0, sizeof peer);
    socklen_t len;
    if (ipv6) {
        sockaddr_in6 *s = (sockaddr_in6 *)&peer;
        s->sin6_family = AF_INET6;
        s->sin6_port = htons(9);
        memcpy(&s->sin6_addr, address, 16);
        len = sizeof *s;
    } else {
        sockaddr_in *s = (sockaddr_in *)&peer;
        s->sin_family = AF_INET;
        s->sin_port = htons(9);
        memcpy(&s->sin_addr, address, 4);
        len = sizeof *s;
    }
    sockaddr_storage local;
    socklen_t local_len = sizeof local;
    bool ok = connect(fd, (sockaddr *)&peer, len) == 0 && getsockname(fd, (sockaddr *)&local, &local_len) == 0;
    close(fd);
    if (!ok)
        return false;
    for (const Adapter &a : HostAdapters()) {
        if (ipv6) {
            for (const Address6 &v6 : a.ipv6) {
                if (memcmp(v6.bytes, &((sockaddr_in6 *)&local)->sin6_addr, 16) == 0) {
                    *index = a.index;
                    return true;
                }
            }
        } else {
            for (const Address4 &v4 : a.ipv4) {
                if (v4.address == ((sockaddr_in *)&local)->sin_addr.s_addr) {
                    *index = a.index;
                    return true;
                }
            }
        }
    }
    return false;
}

bool qmip::ParseAddress4(const char *text, uint32_t *address)
{
    in_addr a;
    if (!text || inet_pton(AF_INET, text, &a) != 1)
        return false;
    *address = a.s_addr;
    return true;
}

bool qmip::ParseAddress6(const char *text, uint8_t bytes[16])
{
    return text && inet_pton(AF_INET6, text, bytes) == 1;
}
