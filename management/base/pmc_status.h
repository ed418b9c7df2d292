/*
 * Status codes of the printer-management library. Every operation answers 0 or one of
 * these negative codes; the later layers add the network codes (-200 and below).
 */
#ifndef MANAGEMENT_BASE_PMC_STATUS_H
#define MANAGEMENT_BASE_PMC_STATUS_H

enum {
    PMC_OK = 0,
    PMC_E_FAIL = -1,         /* a read that has no value to give */
    PMC_E_ARG = -2,          /* null or malformed argument, another kind, no match */
    PMC_E_MEMORY = -3,       /* an allocation was refused */
    PMC_E_NO_INTERFACE = -4, /* an interface identifier the object does not know */
    PMC_E_UNSUPPORTED = -5,  /* the operation does not fit the object */
    PMC_E_NOT_FOUND = -6,    /* no object of that name */
    PMC_E_RANGE = -7,        /* a position past the end; a log line longer than the file limit */
    PMC_E_EMPTY = -8,        /* reading from an empty identifier; no translator or table provider */
    PMC_E_SYSTEM = -10,      /* a system library, entry point or file that cannot be used */
    PMC_E_NETSNMP = -200,    /* a Net-SNMP error without a code of its own */
    PMC_E_SOCKET = -201,     /* socket creation failed */
    PMC_E_BIND = -202,       /* local address or bind failed */
    PMC_E_TIMEOUT = -203,    /* no answer within the time-out */
    PMC_E_RECEIVE = -204,    /* select or recvfrom failed */
    PMC_E_SEND = -205,       /* sendto failed */
    PMC_E_SECURITY = -214,   /* SNMPv3 security failure */
    PMC_E_INDEX = -401       /* an identifier that is no table index of the value */
};

#endif /* MANAGEMENT_BASE_PMC_STATUS_H */
