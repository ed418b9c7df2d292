/*
 * SNMP extension-agent interface of the host build: the ASN value records, variable
 * bindings and the utility memory functions, with Windows values.
 */
#ifndef QM_SNMP_H
#define QM_SNMP_H

#include <windows.h>

#define SNMP_FUNC_TYPE WINAPI

#define ASN_INTEGER 0x02
#define ASN_OCTETSTRING 0x04
#define ASN_NULL 0x05
#define ASN_OBJECTIDENTIFIER 0x06
#define ASN_IPADDRESS 0x40
#define ASN_COUNTER32 0x41
#define ASN_GAUGE32 0x42
#define ASN_TIMETICKS 0x43

#define SNMP_PDU_GET 0xA0
#define SNMP_PDU_GETNEXT 0xA1

#define SNMP_ERRORSTATUS_NOERROR 0
#define SNMP_ERRORSTATUS_NOSUCHNAME 2
#define SNMP_ERRORSTATUS_GENERR 5

typedef LONG AsnInteger32;
typedef ULONG AsnUnsigned32;
typedef ULONG AsnCounter32;
typedef ULONG AsnGauge32;
typedef ULONG AsnTimeticks;
typedef AsnInteger32 AsnInteger;

typedef struct {
    BYTE *stream;
    UINT length;
    BOOL dynamic;
} AsnOctetString, AsnIPAddress, AsnOpaque, AsnBits;

typedef struct {
    UINT idLength;
    UINT *ids;
} AsnObjectIdentifier, AsnObjectName;

typedef struct {
    BYTE asnType;
    union {
        AsnInteger32 number;
        AsnUnsigned32 unsigned32;
        ULARGE_INTEGER counter64;
        AsnOctetString string;
        AsnBits bits;
        AsnObjectIdentifier object;
        AsnOctetString sequence;
        AsnIPAddress address;
        AsnCounter32 counter;
        AsnGauge32 gauge;
        AsnTimeticks ticks;
        AsnOpaque arbitrary;
    } asnValue;
} AsnAny, AsnObjectSyntax;

typedef struct {
    AsnObjectName name;
    AsnObjectSyntax value;
} SnmpVarBind;

typedef struct {
    SnmpVarBind *list;
    UINT len;
} SnmpVarBindList;

#ifdef __cplusplus
extern "C" {
#endif

LPVOID SNMP_FUNC_TYPE SnmpUtilMemAlloc(UINT nBytes);
VOID SNMP_FUNC_TYPE SnmpUtilMemFree(LPVOID pMem);
LPVOID SNMP_FUNC_TYPE SnmpUtilMemReAlloc(LPVOID pMem, UINT nBytes);

#ifdef __cplusplus
}
#endif

#endif
