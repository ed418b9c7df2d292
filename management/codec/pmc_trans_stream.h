/*
 * The library's own codec as a translator of the registry ("TransStream"), and the
 * packet hooks through which the registry builds its temporary packets. Registering
 * both at load is the library set-up's part.
 */
#ifndef MANAGEMENT_CODEC_PMC_TRANS_STREAM_H
#define MANAGEMENT_CODEC_PMC_TRANS_STREAM_H

#include "management/codec/pmc_translator.h"

/* The name the codec is registered under. */
extern const char PMC_TRANS_STREAM_NAME[];

/* pmc_trans_stream: the static translator object (never freed). */
IPmcTranslator *pmc_trans_stream();

/* pms_packet_hooks: the packet hooks of the registry (static data). */
const PmcPacketHooks *pms_packet_hooks();

#endif /* MANAGEMENT_CODEC_PMC_TRANS_STREAM_H */
