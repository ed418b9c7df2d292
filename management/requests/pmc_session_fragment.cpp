/*
 * Splitting a request into fragments and merging the fragments' answers, for requests too
 * big for one message.
 */
#include "management/requests/pmc_session.h"

#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"
#include "management/packets/pmc_packet.h"

static void release_all(IPmsPdu **pdus, uint32_t count);

/* release_all: releases the first `count` PDUs of an array and clears them. */
static void release_all(IPmsPdu **pdus, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        if (pdus[i])
            pdus[i]->release();
        pdus[i] = nullptr;
    }
}

/*
 * pmc_fragment_pdu: each fragment is a new PDU with the request's header and a copy of
 * its share of the bindings, so that the request is whole again should a fragment fail.
 */
int pmc_fragment_pdu(IPmsPdu *pdu, uint32_t count, IPmsPdu **fragments)
{
    if (!pdu || !fragments || count == 0)
        return PMC_E_ARG;
    IPmsVarBindList *list = pdu->get_list();
    uint32_t total = list ? list->count() : 0;
    uint32_t share = total / count;
    if (share == 0) {
        pmc_static_logger(PMC_LOGGER_SNMP)
            ->write(PMC_LOG_ERROR,
                    "[RequestSession::fragment_pdu] can't fragment the packet[%d] any more.",
                    pdu->get_request_id());
        return PMC_E_UNSPLITTABLE;
    }
    for (uint32_t i = 0; i < count; ++i)
        fragments[i] = nullptr;
    uint32_t start = 0;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t size = share + (i < total % count ? 1 : 0);
        int code = PMC_OK;
        IPmsPdu *fragment = pms_create_pdu(&code);
        IPmsVarBindList *part = fragment ? list->copy_range(start, size, &code) : nullptr;
        if (part)
            code = fragment->copy_header_from(pdu);
        if (!part || code != PMC_OK) {
            if (part)
                part->release();
            if (fragment)
                fragment->release();
            release_all(fragments, i);
            return code != PMC_OK ? code : PMC_E_MEMORY;
        }
        fragment->set_list(part);
        fragments[i] = fragment;
        start += size;
    }
    return PMC_OK;
}

int pmc_merge_fragments(IPmsPdu *pdu, IPmsPdu **answers, uint32_t count)
{
    if (!pdu || !answers || count == 0)
        return PMC_E_ARG;
    int code = PMC_OK;
    IPmsVarBindList *merged = pms_create_var_bind_list(&code);
    if (!merged)
        return code;
    int32_t status = 0, index = 0;
    uint32_t before = 0;
    for (uint32_t i = 0; i < count; ++i) {
        IPmsVarBindList *list = answers[i]->get_list();
        if (status == 0 && answers[i]->get_error_status() != 0) {
            status = answers[i]->get_error_status();
            index = answers[i]->get_error_index() + (int32_t)before;
        }
        while (list && list->count() > 0) {
            IPmsVarBind *binding = list->take_first();
            if (!binding || merged->append(binding) != PMC_OK) {
                if (binding)
                    binding->release();
                merged->release();
                return PMC_E_MEMORY;
            }
            ++before;
        }
    }
    pdu->set_type(answers[0]->get_type());
    pdu->set_error_status(status);
    pdu->set_error_index(index);
    pdu->set_list(merged);
    return PMC_OK;
}
