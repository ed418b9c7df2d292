#!/bin/sh
# Runs a command in a private network namespace of its own (root only), so that tests can
# bind fixed ports, broadcast and use IPv6 multicast without touching the host's network:
# loopback up with a broadcast route to 255.255.255.255, and a veth pair v0/v1 whose
# link-local IPv6 addresses are ready (IPv6 multicast does not work on loopback alone).
# Usage: run-in-netns.sh [--agent <fixture program>] <program> [arguments...]
# With --agent an SNMP agent (snmpd) serves the namespace on port 161, its printer objects
# answered by the fixture program (see start_agent below), and the program learns the
# agent's directory from QM_SNMP_AGENT_DIR.
# The program never runs outside a namespace. Without root no namespace can be made: the
# script exits 77, which CTest reports as a skip, saying why. As root, or where the
# environment sets CI, a namespace that cannot be made fails the run loudly, and so does an
# agent that cannot start.
set -e
if [ "${QM_IN_NETNS:-}" != 1 ]; then
  if ! unshare -n true 2>/dev/null; then
    if [ "$(id -u)" != 0 ] && [ -z "${CI:-}" ]; then
      echo "run-in-netns: skipped: cannot make a network namespace without root (unshare -n)" >&2
      exit 77
    fi
    echo "run-in-netns: FAILED: cannot make a network namespace (unshare -n), though root or CI" >&2
    exit 1
  fi
  QM_IN_NETNS=1 exec unshare -n "$0" "$@"
fi
agent=""
if [ "${1:-}" = --agent ]; then
  agent="$2"
  shift 2
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
[ -n "$agent" ] || exec "$@"

# The subtrees the fixture program serves, each through its own pass_persist line.
SUBTREES=".1.3.6.1.2.1.1.2 .1.3.6.1.2.1.1.5 .1.3.6.1.2.1.25.2.2 .1.3.6.1.2.1.25.2.3 \
  .1.3.6.1.2.1.25.3.2 .1.3.6.1.2.1.25.3.5 .1.3.6.1.2.1.43 .1.3.6.1.4.1.99941"

# start_agent: writes the configuration and a first fixture into a temporary directory,
# starts snmpd on udp:161 and udp6:161 with its built-in system and host modules left out
# (the fixture answers those objects) and waits until sysName.0 answers. 0 when it runs.
start_agent() {
  command -v snmpd >/dev/null 2>&1 || { echo "run-in-netns: snmpd is not installed" >&2; return 1; }
  command -v snmpget >/dev/null 2>&1 || { echo "run-in-netns: snmpget is not installed" >&2; return 1; }
  [ -x "$agent" ] || { echo "run-in-netns: no fixture program $agent" >&2; return 1; }
  dir="$(mktemp -d /tmp/qm-snmp-agent.XXXXXX)"
  cat > "$dir/fixture.txt" <<'FIXTURE'
.1.3.6.1.2.1.1.2.0 objectid .1.3.6.1.4.1.99953.1.11.93.1.33.5.1
.1.3.6.1.2.1.1.5.0 string fixture-printer
FIXTURE
  : > "$dir/sets.txt"
  {
    echo "agentaddress udp:161,udp6:161"
    echo "rocommunity public default"
    echo "rocommunity6 public default"
    echo "rwcommunity private default"
    echo "rwcommunity6 private default"
    echo "rocommunity printer default -V printerview"
    echo "view printerview included .1.3.6.1.2.1.43"
    echo "view printerview included .1.3.6.1.4.1.99941"
    echo 'createUser Vdrivers MD5 "Wq8rNz2kLp5vBt7yHd3m" DES "Fs6jKc1xQe9uGa4oPb0n"'
    echo 'createUser shaaes SHA "authpass123" AES "privpass123"'
    echo 'createUser authonly MD5 "authonly123"'
    echo 'createUser noauth'
    echo 'createUser pview MD5 "pviewpass12" DES "pviewpass12"'
    echo "rwuser Vdrivers priv"
    echo "rwuser shaaes priv"
    echo "rouser authonly auth"
    echo "rouser noauth noauth"
    echo "rouser pview priv -V printerview"
    for t in $SUBTREES; do
      echo "pass_persist $t $agent $t $dir/fixture.txt $dir/sets.txt"
    done
  } > "$dir/snmpd.conf"
  MIBS= SNMP_PERSISTENT_DIR="$dir" snmpd -f -C -c "$dir/snmpd.conf" -Lf "$dir/snmpd.log" -p "$dir/snmpd.pid" \
    -I -system_mib,hr_system,hr_device,hr_other,hr_proc,hr_network,hr_print,hr_disk,hr_partition,hrh_storage,hrh_filesys \
    &
  agent_pid=$!
  i=0
  while [ $i -lt 100 ]; do
    if MIBS= snmpget -v1 -c public -t 0.3 -r 0 -On -Oqv 127.0.0.1 .1.3.6.1.2.1.1.5.0 2>/dev/null |
        grep -q fixture-printer; then
      return 0
    fi
    kill -0 "$agent_pid" 2>/dev/null || break
    sleep 0.1
    i=$((i + 1))
  done
  echo "run-in-netns: the SNMP agent did not answer; its log:" >&2
  cat "$dir/snmpd.log" >&2 || true
  kill "$agent_pid" 2>/dev/null || true
  rm -rf "$dir"
  return 1
}

if start_agent; then
  status=0
  QM_SNMP_AGENT_DIR="$dir" "$@" || status=$?
  kill "$agent_pid" 2>/dev/null || true
  wait "$agent_pid" 2>/dev/null || true
  rm -rf "$dir"
  exit $status
fi
echo "run-in-netns: the SNMP agent could not be started" >&2
exit 1
