#!/usr/bin/env bash
# Runs a Windows program under Wine with a network interface that carries the simulated
# card's MAC address, so that the IP helper functions list the card's interface:
#
#   tests/pages/MainPageInterface.sh BUILD_DIR [PROGRAM.exe [ARGS...]]
#
# (default program: the Network Status page's interface test). Everything happens in a
# network namespace of its own (root, or unprivileged user namespaces, is needed): a veth
# pair whose near end "tovix0" has the card's address 00:1D:6A:70:42:17 and 10.77.0.5/24
# with the default gateway 10.77.0.1, and whose far end, in a second namespace, is that
# gateway and sends the card ten 1000-byte datagrams a second, which the card's side
# echoes, so that both byte counters move (about 80 kbit/s each way; python3 runs both
# ends). TOVIX_CARD_INTERFACE tells the program what to expect.
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR [PROGRAM.exe [ARGS...]]}" && pwd)
shift
program=${1:-$build/bin/pages_mainpage_interface.exe}
[ $# -gt 0 ] && shift
here=$(cd "$(dirname "$0")/../.." && pwd)
mac=00:1d:6a:70:42:17

# No Wine server of this prefix may live outside the namespace: its network view would win.
WINEPREFIX=$build/wineprefix "$(command -v wineserver || echo /usr/lib/wine/wineserver)" -k 2>/dev/null || true

exec unshare -n bash -euo pipefail -c '
    mac=$1 build=$2 here=$3 program=$4
    shift 4
    ip link set lo up
    ip link add tovix0 type veth peer name tovixpeer
    ip link set tovix0 address "$mac"
    ip addr add 10.77.0.5/24 dev tovix0
    unshare -n sleep 3600 &
    peer=$!
    sleep 0.2
    ip link set tovixpeer netns "$peer"
    nsenter -t "$peer" -n sh -c "ip link set lo up && ip addr add 10.77.0.1/24 dev tovixpeer && ip link set tovixpeer up"
    ip link set tovix0 up
    ip route add default via 10.77.0.1
    python3 -c "
import socket
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind((\"10.77.0.5\", 7))
while True:
    data, sender = s.recvfrom(2048)
    s.sendto(data, sender)
" &
    nsenter -t "$peer" -n python3 -c "
import socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
while True:
    s.sendto(bytes(1000), (\"10.77.0.5\", 7))
    time.sleep(0.1)
" &
    trap "kill $peer \$(jobs -p) 2>/dev/null || true" EXIT
    export TOVIX_CARD_INTERFACE="$mac 10.77.0.5 255.255.255.0 10.77.0.1"
    TOVIX_BUILD=$build "$here/tools/wine-run" "$program" "$@"
' tovix-interface "$mac" "$build" "$here" "$program" "$@"
