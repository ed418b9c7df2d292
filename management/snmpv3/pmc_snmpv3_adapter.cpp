/*
 * The Net-SNMP adapter: session parameters from an SNMPv3 target's values, requests from a
 * PDU's bindings, answers read back, and Net-SNMP's errors mapped and logged.
 */
#include "management/snmpv3/pmc_snmpv3.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "management/base/pmc_status.h"
#include "management/codec/pmc_ber.h"
#include "management/logging/pmc_log.h"
#include "management/network/pmc_address_text.h"

namespace {

/* Net-SNMP errors and the library's code of each; every other error is -200. */
struct PmcErrorRow {
    int snmp_error;
    int code;
};

const PmcErrorRow kErrorMap[] = {
    {SNMPERR_SUCCESS, PMC_OK},
    {SNMPERR_TIMEOUT, PMC_E_TIMEOUT},
    {SNMPERR_UNKNOWN_ENG_ID, PMC_E_RECEIVE},
    {SNMPERR_BAD_RECVFROM, PMC_E_RECEIVE},
    {SNMPERR_BAD_SENDTO, PMC_E_SEND},
    {SNMPERR_MALLOC, PMC_E_MEMORY},
    /* protocol, parse and message errors */
    {SNMPERR_PROTOCOL, PMC_E_MALFORMED},
    {SNMPERR_USM_DECRYPTIONERROR, PMC_E_MALFORMED},
    {SNMPERR_USM_NOTINTIMEWINDOW, PMC_E_MALFORMED},
    {SNMPERR_USM_UNKNOWNENGINEID, PMC_E_MALFORMED},
    {SNMPERR_USM_PARSEERROR, PMC_E_MALFORMED},
    {SNMPERR_UNKNOWN_REPORT, PMC_E_MALFORMED},
    {SNMPERR_SC_GENERAL_FAILURE, PMC_E_MALFORMED},
    {SNMPERR_INVALID_MSG, PMC_E_MALFORMED},
    {SNMPERR_ASN_PARSE_ERR, PMC_E_MALFORMED},
    {SNMPERR_BAD_PARSE, PMC_E_MALFORMED},
    {SNMPERR_BAD_ASN1_BUILD, PMC_E_MALFORMED},
    /* authentication, security level, user, time window, decryption and security model */
    {SNMPERR_USM_AUTHENTICATIONFAILURE, PMC_E_SECURITY},
    {SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL, PMC_E_SECURITY},
    {SNMPERR_USM_UNKNOWNSECURITYNAME, PMC_E_SECURITY},
    {SNMPERR_USM_GENERICERROR, PMC_E_SECURITY},
    {SNMPERR_DECRYPTION_ERR, PMC_E_SECURITY},
    {SNMPERR_NOT_IN_TIME_WINDOW, PMC_E_SECURITY},
    {SNMPERR_AUTHENTICATION_FAILURE, PMC_E_SECURITY},
    {SNMPERR_UNSUPPORTED_SEC_LEVEL, PMC_E_SECURITY},
    {SNMPERR_UNKNOWN_USER_NAME, PMC_E_SECURITY},
    {SNMPERR_UNKNOWN_SEC_MODEL, PMC_E_SECURITY},
    /* bad names, values, variables, security settings or arguments */
    {SNMPERR_VAR_TYPE, PMC_E_ARG},
    {SNMPERR_NO_VARS, PMC_E_ARG},
    {SNMPERR_NULL_PDU, PMC_E_ARG},
    {SNMPERR_UNKNOWN_OBJID, PMC_E_ARG},
    {SNMPERR_VALUE, PMC_E_ARG},
    {SNMPERR_BAD_NAME, PMC_E_ARG},
    {SNMPERR_USM_ENCRYPTIONERROR, PMC_E_ARG},
    {SNMPERR_BAD_SEC_LEVEL, PMC_E_ARG},
    {SNMPERR_BAD_SEC_NAME, PMC_E_ARG},
    {SNMPERR_UNKNOWN_PDU, PMC_E_ARG},
    {SNMPERR_NOAUTH_DESPRIV, PMC_E_ARG},
    {SNMPERR_BAD_CONTEXT, PMC_E_ARG},
    {SNMPERR_BAD_VERSION, PMC_E_ARG},
    {SNMPERR_TOO_LONG, PMC_E_ARG},
    {SNMPERR_BAD_SESSION, PMC_E_ARG},
    {SNMPERR_BAD_ADDRESS, PMC_E_ARG},
};

/* Request PDU types by the library's PDU type. */
struct PmcPduTypeRow {
    int32_t type;
    int command;
};
const PmcPduTypeRow kRequestTypes[] = {
    {0, SNMP_MSG_GET},
    {1, SNMP_MSG_GETNEXT},
    {3, SNMP_MSG_SET},
    {4, SNMP_MSG_TRAP2},
};
const PmcPduTypeRow kAnswerTypes[] = {
    {0, SNMP_MSG_GET},
    {1, SNMP_MSG_GETNEXT},
    {2, SNMP_MSG_RESPONSE},
    {3, SNMP_MSG_SET},
    {5, SNMP_MSG_GETBULK},
    {6, SNMP_MSG_INFORM},
    {4, SNMP_MSG_TRAP2},
    {8, SNMP_MSG_REPORT},
};

/* snmp_add_var's type character of each value kind. */
struct PmcKindRow {
    int kind;
    char type;
};
const PmcKindRow kKindTypes[] = {
    {PMC_V3_OID, 'o'},
    {PMC_V3_OCTETS, 's'},
    {PMC_V3_INTEGER, 'i'},
    {PMC_V3_COUNTER32, 'c'},
    {PMC_V3_GAUGE32, 'u'},
    {PMC_V3_TIMETICKS, 't'},
    {PMC_V3_COUNTER64, 'C'},
    {PMC_V3_IPADDRESS, 'a'},
};

/* Answer value types kept as they are. */
const int kKeptAnswerTypes[] = {2, 5, 6, 64, 65, 67, 68, 70, 128, 129, 130};

const size_t kMaxUserName = 32;

/* Ku of a pass phrase into a 32-byte key buffer: empty gives length 0. -10 when the
 * cryptography is missing, -2 when it fails otherwise. */
int make_ku(const PmcSnmpOid *auth, const char *phrase, unsigned char *key, size_t *key_length)
{
    if (!phrase || !*phrase) {
        *key_length = 0;
        return PMC_OK;
    }
    size_t room = USM_AUTH_KU_LEN;
    int rc = pmc_crypto_password_to_key(auth, 10, (const unsigned char *)phrase, std::strlen(phrase), key, &room);
    if (rc == PMC_SC_UNAVAILABLE)
        return PMC_E_SYSTEM;
    if (rc != PMC_SC_OK)
        return PMC_E_ARG;
    *key_length = room;
    return PMC_OK;
}

/* Logs the session's (or, without one, the library's last) Net-SNMP error and maps it. */
int log_and_map(const char *call, snmp_session *session)
{
    int sys_errno = errno, error = snmp_errno;
    char *message = nullptr;
    if (session)
        snmp_error(session, &sys_errno, &error, &message);
    pmc_snmpv3_log_failure(call, sys_errno, error, session ? message : snmp_api_errstring(error));
    std::free(message);
    return pmc_snmpv3_map_error(error);
}

/* Copies text into out of `size` bytes, cut to fit and terminated. */
void copy_text(const char *text, size_t length, char *out, size_t size)
{
    if (!out || size == 0)
        return;
    size_t n = text ? (length < size - 1 ? length : size - 1) : 0;
    if (n)
        std::memcpy(out, text, n);
    out[n] = '\0';
}

} // namespace

int pmc_snmpv3_map_error(int snmp_error)
{
    for (const PmcErrorRow &row : kErrorMap) {
        if (row.snmp_error == snmp_error)
            return row.code;
    }
    return PMC_E_NETSNMP;
}

CPmcSnmpV3Request::CPmcSnmpV3Request()
    : m_session(nullptr), m_pdu(nullptr), m_oid(), m_oid_length(0), m_probe(false), m_peer()
{}

CPmcSnmpV3Request::~CPmcSnmpV3Request()
{
    if (m_pdu)
        snmp_free_pdu(m_pdu);
    if (m_session)
        snmp_close(m_session);
}

int CPmcSnmpV3Request::fill_session(const PmcSnmpV3SessionSpec &spec, snmp_session *session)
{
    snmp_sess_init(session);
    if (spec.version != 2)
        return PMC_E_ARG;
    session->version = SNMP_VERSION_3;
    session->retries = spec.retries;
    session->timeout = (long)spec.timeout_ms * 1000;
    const char *user = spec.user_name ? spec.user_name : "";
    if (std::strlen(user) > kMaxUserName)
        return PMC_E_ARG;
    session->securityName = (char *)user;
    session->securityNameLen = std::strlen(user);
    if (spec.security_level < 0 || spec.security_level > 2)
        return PMC_E_ARG;
    session->securityLevel = spec.security_level + 1; /* noAuthNoPriv 1, authNoPriv 2, authPriv 3 */
    session->securityModel = SNMP_SEC_MODEL_USM;
    if (session->securityLevel >= SNMP_SEC_LEVEL_AUTHNOPRIV) {
        const PmcSnmpOid *auth = spec.auth_protocol == 1   ? PMC_OID_HMAC_MD5
                                 : spec.auth_protocol == 2 ? PMC_OID_HMAC_SHA1
                                                           : nullptr;
        if (!auth)
            return PMC_E_ARG;
        session->securityAuthProto = (oid *)auth;
        session->securityAuthProtoLen = 10;
        int rc = make_ku(auth, spec.auth_pass_phrase, session->securityAuthKey, &session->securityAuthKeyLen);
        if (rc != PMC_OK)
            return rc;
        if (session->securityLevel == SNMP_SEC_LEVEL_AUTHPRIV) {
            const PmcSnmpOid *priv = spec.priv_protocol == 1   ? PMC_OID_PRIV_DES
                                     : spec.priv_protocol == 2 ? PMC_OID_PRIV_AES
                                                               : nullptr;
            if (!priv)
                return PMC_E_ARG;
            session->securityPrivProto = (oid *)priv;
            session->securityPrivProtoLen = 10;
            rc = make_ku(auth, spec.priv_pass_phrase, session->securityPrivKey, &session->securityPrivKeyLen);
            if (rc != PMC_OK)
                return rc;
        }
    }
    if (spec.context_name && *spec.context_name) {
        session->contextName = (char *)spec.context_name;
        session->contextNameLen = std::strlen(spec.context_name);
    }
    if (spec.engine_id && spec.engine_id_length) {
        session->securityEngineID = (u_char *)spec.engine_id;
        session->securityEngineIDLen = spec.engine_id_length;
    }
    int rc = pmc_snmpv3_peer_name(
        spec.address_protocol, spec.address_text, spec.address_port, spec.target_port, m_peer, sizeof m_peer);
    if (rc != PMC_OK)
        return rc;
    session->peername = m_peer;
    if (spec.no_probe)
        session->flags |= SNMP_FLAGS_DONT_PROBE;
    if (spec.callback) {
        session->callback = spec.callback;
        session->callback_magic = spec.callback_magic;
    }
    return PMC_OK;
}

int CPmcSnmpV3Request::open(const PmcSnmpV3SessionSpec &spec)
{
    if (m_session)
        return PMC_E_ARG;
    snmp_session session;
    int rc = fill_session(spec, &session);
    if (rc != PMC_OK)
        return rc;
    m_session = snmp_open(&session);
    if (m_session)
        return PMC_OK;
    rc = log_and_map("snmp_open", &session);
    return rc == PMC_E_NETSNMP ? PMC_E_ARG : rc;
}

int CPmcSnmpV3Request::build(int32_t pdu_type, int32_t request_id, bool probe)
{
    if (m_pdu) {
        snmp_free_pdu(m_pdu);
        m_pdu = nullptr;
    }
    m_probe = probe;
    if (probe) {
        /* The engine-id probe: an empty GET of version 3, noAuthNoPriv, USM, no user. */
        m_pdu = snmp_pdu_create(SNMP_MSG_GET);
        if (!m_pdu) {
            pmc_snmpv3_log_failure("snmpv3_build_probe_pdu", errno, SNMPERR_MALLOC, nullptr);
            return PMC_E_MEMORY;
        }
        m_pdu->version = SNMP_VERSION_3;
        m_pdu->securityName = (char *)std::calloc(1, 1);
        m_pdu->securityNameLen = 0;
        m_pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
        m_pdu->securityModel = SNMP_SEC_MODEL_USM;
        return PMC_OK;
    }
    int command = 0;
    for (const PmcPduTypeRow &row : kRequestTypes) {
        if (row.type == pdu_type)
            command = row.command;
    }
    if (!command)
        return PMC_E_ARG;
    m_pdu = snmp_pdu_create(command);
    if (!m_pdu) {
        pmc_snmpv3_log_failure("snmp_pdu_create", errno, SNMPERR_MALLOC, nullptr);
        return PMC_E_MEMORY;
    }
    m_pdu->reqid = request_id;
    return PMC_OK;
}

int CPmcSnmpV3Request::add_binding(const char *oid_text, int kind, const char *value_text)
{
    if (!m_pdu || !oid_text)
        return PMC_E_ARG;
    char type = 0;
    for (const PmcKindRow &row : kKindTypes) {
        if (row.kind == kind)
            type = row.type;
    }
    if (!type && kind != PMC_V3_NULL)
        return PMC_E_UNSUPPORTED;
    m_oid_length = sizeof m_oid / sizeof m_oid[0];
    if (!snmp_parse_oid(oid_text, (oid *)m_oid, &m_oid_length)) {
        log_and_map("snmp_parse_oid", nullptr);
        return PMC_E_ARG;
    }
    if (kind == PMC_V3_NULL) {
        if (snmp_add_null_var(m_pdu, (oid *)m_oid, m_oid_length))
            return PMC_OK;
        pmc_snmpv3_log_failure("snmp_add_var", errno, SNMPERR_MALLOC, nullptr);
        return PMC_E_MEMORY;
    }
    int rc = snmp_add_var(m_pdu, (oid *)m_oid, m_oid_length, type, value_text ? value_text : "");
    if (rc == 0)
        return PMC_OK;
    pmc_snmpv3_log_failure("snmp_add_var", errno, rc, snmp_api_errstring(rc));
    return pmc_snmpv3_map_error(rc);
}

int CPmcSnmpV3Request::send(CPmcSnmpV3Answer *answer)
{
    if (!m_session || !m_pdu || !answer)
        return PMC_E_ARG;
    snmp_pdu *request = m_pdu;
    m_pdu = nullptr; /* Net-SNMP takes the request PDU either way */
    snmp_pdu *response = nullptr;
    int status = snmp_synch_response(m_session, request, &response);
    answer->reset(response, true);
    if (status == STAT_SUCCESS)
        return PMC_OK;
    if (status == STAT_TIMEOUT)
        return PMC_E_TIMEOUT;
    return log_and_map("snmp_synch_response", m_session);
}

void CPmcSnmpV3Answer::reset(snmp_pdu *pdu, bool owned)
{
    if (m_pdu && m_owned)
        snmp_free_pdu(m_pdu);
    m_pdu = pdu;
    m_owned = owned;
    m_responder[0] = '\0';
    m_responder_protocol = 0;
    m_responder_port = 0;
    /* The responder's address: the transport data of a UDP message starts with the remote
     * socket address, printed here numerically as the network addresses print theirs. */
    if (!pdu || !pdu->transport_data || pdu->transport_data_length < (int)sizeof(struct sockaddr_in))
        return;
    const struct sockaddr *remote = (const struct sockaddr *)pdu->transport_data;
    if (remote->sa_family == AF_INET) {
        const unsigned char *a = (const unsigned char *)&((const struct sockaddr_in *)remote)->sin_addr;
        std::snprintf(m_responder, sizeof m_responder, "%u.%u.%u.%u", a[0], a[1], a[2], a[3]);
        m_responder_protocol = PMC_V3_IPV4;
        m_responder_port = ntohs(((const struct sockaddr_in *)remote)->sin_port);
    } else if (remote->sa_family == AF_INET6 && pdu->transport_data_length >= (int)sizeof(struct sockaddr_in6)) {
        const struct sockaddr_in6 *v6 = (const struct sockaddr_in6 *)remote;
        pmc_print_ipv6((const uint8_t *)&v6->sin6_addr, v6->sin6_scope_id, m_responder);
        m_responder_protocol = PMC_V3_IPV6;
        m_responder_port = ntohs(v6->sin6_port);
    }
}

bool CPmcSnmpV3Answer::is_v3()
{
    return m_pdu && m_pdu->version == SNMP_VERSION_3;
}

int32_t CPmcSnmpV3Answer::pdu_type()
{
    for (const PmcPduTypeRow &row : kAnswerTypes) {
        if (m_pdu && row.command == m_pdu->command)
            return row.type;
    }
    return -1;
}

int32_t CPmcSnmpV3Answer::request_id()
{
    return m_pdu ? (int32_t)m_pdu->reqid : 0;
}

int32_t CPmcSnmpV3Answer::error_status()
{
    long status = m_pdu ? m_pdu->errstat : 0;
    return status >= 0 && status <= 18 ? (int32_t)status : 100;
}

int32_t CPmcSnmpV3Answer::error_index()
{
    return m_pdu ? (int32_t)m_pdu->errindex : 0;
}

int32_t CPmcSnmpV3Answer::security_level()
{
    int level = m_pdu ? m_pdu->securityLevel : 0;
    return level >= SNMP_SEC_LEVEL_NOAUTH && level <= SNMP_SEC_LEVEL_AUTHPRIV ? level - 1 : PMC_E_ARG;
}

void CPmcSnmpV3Answer::security_name(char *out, size_t size)
{
    copy_text(m_pdu ? m_pdu->securityName : nullptr, m_pdu ? m_pdu->securityNameLen : 0, out, size);
}

void CPmcSnmpV3Answer::context_name(char *out, size_t size)
{
    copy_text(m_pdu ? m_pdu->contextName : nullptr, m_pdu ? m_pdu->contextNameLen : 0, out, size);
}

const unsigned char *CPmcSnmpV3Answer::engine_id(size_t *length)
{
    *length = m_pdu && m_pdu->securityEngineID ? m_pdu->securityEngineIDLen : 0;
    return *length ? m_pdu->securityEngineID : nullptr;
}

uint32_t CPmcSnmpV3Answer::variable_count()
{
    uint32_t count = 0;
    for (netsnmp_variable_list *v = m_pdu ? m_pdu->variables : nullptr; v; v = v->next_variable)
        ++count;
    return count;
}

int CPmcSnmpV3Answer::variable(uint32_t index, PmcSnmpV3Variable *out)
{
    netsnmp_variable_list *v = m_pdu ? m_pdu->variables : nullptr;
    for (uint32_t i = 0; v && i < index; ++i)
        v = v->next_variable;
    if (!v || !out)
        return PMC_E_ARG;
    *out = PmcSnmpV3Variable{};
    out->name = (const PmcSnmpOid *)v->name;
    out->name_length = v->name_length;
    out->bytes = v->val.string;
    out->byte_length = v->val_len;
    int type = v->type;
    if (type == 196)
        type = ASN_OCTET_STR;
    if (type == 71)
        type = ASN_GAUGE;
    out->tag = -10;
    for (int kept : kKeptAnswerTypes) {
        if (kept == type)
            out->tag = type;
    }
    if (type == ASN_OCTET_STR || type == ASN_GAUGE)
        out->tag = type;
    if (out->tag == ASN_COUNTER64 && v->val.counter64 && v->val_len >= sizeof(struct counter64))
        out->number = ((uint64_t)v->val.counter64->high << 32) | (uint32_t)v->val.counter64->low;
    else if (out->tag == ASN_INTEGER && v->val.integer)
        out->integer = *v->val.integer;
    else if (out->tag > 0 && out->tag != ASN_OCTET_STR && out->tag != ASN_OBJECT_ID && out->tag != ASN_NULL &&
             out->tag != ASN_IPADDRESS && v->val.integer)
        out->number = (uint32_t)*v->val.integer;
    return PMC_OK;
}
