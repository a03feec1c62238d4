#!/usr/bin/env bash
# A match of International draughts between two engines, with its score and Elo estimate.
# Builds engine_match (tools/engine_match) in the build folder when it is missing or stale and
# runs it; its defaults are the match settings of Quorvin's measurements: 40 games from 3-ply
# ballot openings, each opening played with both colours, 0.5 s a move, the first engine White
# in the odd games. An engine is
#   hub:PROGRAM               a Hub engine, started as "PROGRAM hub" (build/quorvin-cli, ...)
#   dxp:HOST:PORT             a DamExchange follower listening there (Moby Dam, or
#                             build/quorvin-cli dxp --listen PORT)
#   quorvin[:classic|master]  Quorvin's own search, inside the match tool
# Further options go to engine_match: --games N, --move-time S, --openings FILE (a FEN a line,
# in place of the ballots), --ballot-plies P, --seed S (the order of the ballots), --max-plies P,
# --pdn FILE, --chat TEXT (sent to every DXP engine once connected), --verbose (DXP messages).
# It prints every game, then the first engine's wins, draws and losses, its score, and the Elo
# difference with a 95 % error from the trinomial variance of the game scores.
#
#   bench/match.sh ENGINE1 ENGINE2 [options]      (QUORVIN_BUILD: the build folder, build/)
set -euo pipefail
if [ $# -lt 2 ]; then
  sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVIN_BUILD:-$top/build}
cmake --build "$build" --target engine_match >/dev/null
engine1=$1
engine2=$2
shift 2
exec "$build/engine_match" --engine1 "$engine1" --engine2 "$engine2" "$@"
