/*
 * The SNMPv3 adapter's seam with the packet objects: targets, PDUs and their bindings to
 * and from the plain values of the adapter objects.
 */
#include "management/snmpv3/pmc_snmpv3_packet.h"

#include <cstring>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_status.h"
#include "management/base/pmc_string.h"
#include "management/network/pmc_network_address.h"
#include "management/packets/pmc_packet.h"
#include "management/values/pmc_value.h"

namespace {

/* The text form of a value into a byte string; an empty text when it has none. */
int value_text(IPmsValue *value, CPmcByteString **out)
{
    int code = PMC_OK;
    *out = value ? value->text(&code) : nullptr;
    if (!*out && code == PMC_E_MEMORY)
        return code;
    return PMC_OK;
}

/* Sets value from the answer variable (its tag already the variable's). */
int fill_value(IPmsValue *value, const PmcSnmpV3Variable &v)
{
    switch (v.tag) {
    case PMS_TAG_INTEGER: return value->set_signed((int32_t)v.integer);
    case PMS_TAG_COUNTER32:
    case PMS_TAG_GAUGE32:
    case PMS_TAG_TIMETICKS: return value->set_unsigned((uint32_t)v.number);
    case PMS_TAG_COUNTER64: {
        int code = value->set_high((uint32_t)(v.number >> 32));
        return code != PMC_OK ? code : value->set_low((uint32_t)v.number);
    }
    case PMS_TAG_OID: {
        value->clear();
        IPmsOid *oid = value->as_oid();
        const PmcSnmpOid *subids = (const PmcSnmpOid *)v.bytes;
        for (size_t i = 0; oid && subids && i < v.byte_length / sizeof(PmcSnmpOid); ++i) {
            int code = oid->append_number((uint32_t)subids[i]);
            if (code != PMC_OK)
                return code;
        }
        return PMC_OK;
    }
    case PMS_TAG_OCTET_STRING:
    case PMS_TAG_IP_ADDRESS:
    case PMS_TAG_OPAQUE: return value->set_bytes(v.bytes, (uint32_t)v.byte_length);
    default: /* NULL and the exceptions carry nothing */ return PMC_OK;
    }
}

/* The binding's name from the variable's sub-identifiers. */
int fill_name(IPmsVarBind *binding, const PmcSnmpV3Variable &v)
{
    int code = PMC_OK;
    IPmsOid *name = pms_create_oid(&code);
    if (!name)
        return code;
    for (size_t i = 0; i < v.name_length; ++i) {
        code = name->append_number((uint32_t)v.name[i]);
        if (code != PMC_OK) {
            name->value()->release();
            return code;
        }
    }
    binding->set_name(name);
    return PMC_OK;
}

/* Converts one variable into a binding, replacing its value when the tag differs. */
int convert_variable(IPmsVarBind *binding, const PmcSnmpV3Variable &v)
{
    if (v.tag < 0)
        return PMC_E_SYSTEM;
    int code = fill_name(binding, v);
    if (code != PMC_OK)
        return code;
    IPmsValue *value = binding->get_value();
    if (!value || value->tag() != (uint32_t)v.tag) {
        value = pms_create_value((uint32_t)v.tag, &code);
        if (!value)
            return code;
        binding->set_value(value);
    }
    return fill_value(value, v);
}

IPmsUsmTarget *usm_of(IPmsSnmpTarget *target)
{
    void *usm = nullptr;
    if (target && target->kind() == PMS_TARGET_USM)
        target->query(PMS_QUERY_USM, &usm);
    return (IPmsUsmTarget *)usm;
}

} // namespace

int pmc_snmpv3_open_target(CPmcSnmpV3Request *request, IPmsSnmpTarget *target, bool discovery,
                           PmcSnmpV3Callback callback, void *magic)
{
    IPmsUsmTarget *usm = usm_of(target);
    if (!request || !usm)
        return PMC_E_ARG;
    PmcSnmpV3SessionSpec spec = {};
    spec.version = usm->get_version();
    spec.retries = usm->get_retry_count();
    spec.timeout_ms = usm->get_timeout();
    spec.user_name = usm->get_user_name().data();
    spec.security_level = usm->get_security_level();
    spec.auth_protocol = usm->get_auth_protocol();
    spec.priv_protocol = usm->get_priv_protocol();
    spec.auth_pass_phrase = usm->get_auth_passphrase().data();
    spec.priv_pass_phrase = usm->get_priv_passphrase().data();
    spec.context_name = usm->get_context_name().data();
    const CPmcByteString &engine = usm->get_engine_id();
    spec.engine_id = (const unsigned char *)engine.data();
    spec.engine_id_length = engine.length();
    IPmcNetworkAddress *address = usm->get_address();
    int protocol = 0;
    if (!address || address->get(&spec.address_text, &protocol, &spec.address_port) != PMC_OK)
        return PMC_E_ARG;
    spec.address_protocol = protocol;
    spec.target_port = usm->get_port();
    spec.no_probe = discovery;
    spec.callback = discovery ? callback : nullptr;
    spec.callback_magic = discovery ? magic : nullptr;
    return request->open(spec);
}

int pmc_snmpv3_build_from_pdu(CPmcSnmpV3Request *request, IPmsPdu *pdu, bool probe)
{
    if (!request || !pdu)
        return PMC_E_ARG;
    int code = request->build(pdu->get_type(), pdu->get_request_id(), probe);
    if (code != PMC_OK || probe)
        return code;
    IPmsVarBindList *list = pdu->get_list();
    uint32_t count = list ? list->count() : 0;
    for (uint32_t i = 0; i < count; ++i) {
        IPmsVarBind *binding = list->get(i);
        IPmsOid *name = binding ? binding->get_name() : nullptr;
        if (!name)
            return PMC_E_ARG;
        CPmcByteString *name_text = nullptr, *text = nullptr;
        code = value_text(name->value(), &name_text);
        IPmsValue *value = binding->get_value();
        if (code == PMC_OK)
            code = value_text(value, &text);
        if (code == PMC_OK && !name_text)
            code = PMC_E_ARG;
        if (code == PMC_OK) {
            code = request->add_binding(
                name_text->data(), value ? (int)value->tag() : PMC_V3_NULL, text ? text->data() : "");
        }
        if (name_text)
            name_text->release();
        if (text)
            text->release();
        if (code != PMC_OK)
            return code;
    }
    return PMC_OK;
}

int pmc_snmpv3_convert_answer(CPmcSnmpV3Answer *answer, IPmsPdu *pdu, IPmsSnmpTarget *target)
{
    IPmsUsmTarget *usm = usm_of(target);
    if (!answer || !pdu || !usm || !answer->is_v3())
        return PMC_E_ARG;
    int32_t level = answer->security_level();
    if (level < 0)
        return PMC_E_ARG;
    usm->set_version(PMS_VERSION_3);
    char text[256];
    answer->security_name(text, sizeof text);
    int code = usm->set_user_name(text);
    if (code != PMC_OK)
        return code;
    usm->set_security_level(level);
    answer->context_name(text, sizeof text);
    if ((code = usm->set_context_name(text)) != PMC_OK)
        return code;
    size_t engine_length = 0;
    const unsigned char *engine = answer->engine_id(&engine_length);
    if ((code = usm->set_engine_id(engine, (uint32_t)engine_length)) != PMC_OK)
        return code;
    if (*answer->responder()) {
        IPmcNetworkAddress *responder = nullptr;
        code =
            pmc_make_address(answer->responder(), answer->responder_protocol(), answer->responder_port(), &responder);
        if (code != PMC_OK)
            return code;
        code = usm->set_address(responder);
        responder->release();
        if (code != PMC_OK)
            return code;
    }

    pdu->set_type(answer->pdu_type());
    pdu->set_request_id(answer->request_id());
    pdu->set_error_status(answer->error_status());
    pdu->set_error_index(answer->error_index());
    IPmsVarBindList *list = pdu->get_list();
    if (!list) {
        list = pms_create_var_bind_list(&code);
        if (!list)
            return code;
        pdu->set_list(list);
    }
    uint32_t count = answer->variable_count();
    while (list->count() > count)
        list->remove(list->count() - 1, nullptr);
    for (uint32_t i = 0; i < count; ++i) {
        PmcSnmpV3Variable v;
        answer->variable(i, &v);
        if (i == list->count()) {
            IPmsVarBind *binding = pms_create_var_bind(&code);
            if (!binding)
                return code;
            if ((code = list->append(binding)) != PMC_OK) {
                binding->release();
                return code;
            }
        }
        if ((code = convert_variable(list->get(i), v)) != PMC_OK)
            return code;
    }
    return PMC_OK;
}
