#!/bin/sh
# Runs a command in a private network namespace of its own (root only), so that tests can
# bind fixed ports, broadcast and use IPv6 multicast without touching the host's network:
# loopback up with a broadcast route to 255.255.255.255, and a veth pair v0/v1 whose
# link-local IPv6 addresses are ready (IPv6 multicast does not work on loopback alone).
# Usage: run-in-netns.sh <program> [arguments...]
set -e
if [ "${QM_IN_NETNS:-}" != 1 ]; then
  QM_IN_NETNS=1 exec unshare -n "$0" "$@"
fi
ip link set lo up
ip route add broadcast 255.255.255.255 dev lo src 127.0.0.1 table local
ip link add v0 type veth peer name v1
ip link set v0 up
ip link set v1 up
# Wait (up to 10 s) until no IPv6 address is tentative any more.
i=0
while [ $i -lt 100 ]; do
  if [ -n "$(ip -6 addr show dev v0 scope link)" ] && [ -z "$(ip -6 addr show tentative)" ]; then
    break
  fi
  sleep 0.1
  i=$((i + 1))
done
exec "$@"
