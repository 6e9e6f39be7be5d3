#!/usr/bin/env bash
# Builds the Debian package from a configured and built build folder, unpacks it
# into a temporary root (dpkg -x: nothing is installed on this machine) and starts
# the unpacked program there, offscreen, from the station folder as its desktop
# entry does. The program's start-up probe tells which files it found; they must
# all be the unpacked ones, and report.log must go to the program folder, the
# file the package's postinst makes writable for the operators.
#
#   scripts/check-package.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1

fail() { echo "check-package: $*" >&2; exit 1; }

rm -f "$build"/quaveron_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quaveron_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

program_dir=$root/opt/quaveron
for file in quaveron quaveron-sim quaveron-demo Lingua.ini demo/Conf.ini demo/smoke-run.txt; do
  [ -e "$program_dir/$file" ] || fail "the package lacks /opt/quaveron/$file"
done
for picture in data/Immagini/*; do
  cmp -s "$picture" "$program_dir/Immagini/$(basename "$picture")" || fail "the package lacks /opt/quaveron/Immagini/$(basename "$picture")"
done
desktop=$root/usr/share/applications/quaveron.desktop
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
station=$(sed -n 's/^Path=//p' "$desktop")
[ -x "$root$exec_line" ] || fail "the desktop entry starts $exec_line, which the package does not hold"
[ -d "$root$station" ] || fail "the desktop entry's folder $station is not in the package"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$root/usr/share/icons/hicolor/96x96/apps/$icon.png" ] || fail "the desktop entry's icon $icon is missing"

probe=$(cd "$root$station" && QT_QPA_PLATFORM=offscreen QUAVERON_STARTUP_PROBE=1 timeout 60 "$root$exec_line" 2>&1) ||
  fail "the unpacked program did not start: $probe"
grep -qx shown <<<"$probe" || fail "the unpacked program showed no main window: $probe"
texts=$(sed -n 's/^texts //p' <<<"$probe")
[ "${texts% *}" = "$(readlink -m "$root$station/Lingua.ini")" ] || [ "${texts% *}" = "$root$station/Lingua.ini" ] ||
  fail "texts from ${texts% *}, not the station folder's Lingua.ini"
loaded=${texts##* }
[ "${loaded%/*}" = "${loaded#*/}" ] || fail "only $loaded operator texts were found"
while read -r _ name path; do
  [ "$path" = "$program_dir/$name" ] || fail "picture $name: $path, not the unpacked one"
done < <(grep '^picture ' <<<"$probe")
report=$(sed -n 's/^report.log //p' <<<"$probe")
[ "$report" = "$program_dir/report.log" ] || fail "report.log goes to $report, not the program folder"
grep -q '/opt/quaveron/report.log' packaging/postinst || fail "postinst does not make /opt/quaveron/report.log"
echo "check-package: $(basename "$deb") unpacked and started: $(grep -c '^picture ' <<<"$probe") pictures, $loaded texts, report.log in the program folder."
