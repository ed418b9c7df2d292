/*
 * The peer address of a target: the only place the packet objects touch the network
 * address class.
 */
#ifndef MANAGEMENT_PMC_TARGET_ADDRESS_H
#define MANAGEMENT_PMC_TARGET_ADDRESS_H

class IPmcNetworkAddress;

/* pms_copy_address: *out (out) = a copy of `address` (not null); 0 or the copy's code. */
int pms_copy_address(IPmcNetworkAddress *address, IPmcNetworkAddress **out);

/* pms_release_address: releases an address; null is ignored. */
void pms_release_address(IPmcNetworkAddress *address);

#endif /* MANAGEMENT_PMC_TARGET_ADDRESS_H */
