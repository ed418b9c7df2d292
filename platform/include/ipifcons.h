/* Interface types of the IP Helper tables (host build). */
#ifndef QM_IPIFCONS_H
#define QM_IPIFCONS_H

#define IF_TYPE_OTHER 1
#define IF_TYPE_ETHERNET_CSMACD 6
#define IF_TYPE_SOFTWARE_LOOPBACK 24
#define IF_TYPE_TUNNEL 131
#define MIB_IF_TYPE_ETHERNET 6
#define MIB_IF_TYPE_LOOPBACK 24

#endif
