#!/usr/bin/env bash
# Installs the Debian package that `./build.sh package` made, with what it
# depends on, and uses it as a user would: the validators on its desktop entry
# and metainfo, ravek-cli info on a structure file and a picture drawn by the
# installed viewer, both from /usr/bin. Run as root on a Debian 12 machine.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=$(ls build/package/ravek_*.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "./$deb"
dpkg -L ravek >/dev/null

desktop-file-validate /usr/share/applications/org.ravek.Ravek.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.ravek.Ravek.metainfo.xml

# A shared real file when the shared test data lies beside the project, else
# the sample the build makes.
shared=../shared/testdata
info_file=build/sample/sample-peptide.pdb
picture_file=build/sample/sample-peptide.pdb
[ -f "$shared/pdb/1crn.pdb" ] && info_file=$shared/pdb/1crn.pdb
[ -f "$shared/gaussian/g16/dvb_gopt.out" ] && picture_file=$shared/gaussian/g16/dvb_gopt.out

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
/usr/bin/ravek-cli info "$info_file" --frames last >"$out/info.json"
python3 -c 'import json, sys; m = json.load(open(sys.argv[1])); assert m["atomCount"] > 0, m' \
    "$out/info.json"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    /usr/bin/ravek --export-picture "$out/picture.png" --size 400x300 "$picture_file"
python3 -c 'import struct, sys
head = open(sys.argv[1], "rb").read(24)
assert head[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", head[16:24]) == (400, 300)' \
    "$out/picture.png"
echo "The package installs and runs: $deb"
