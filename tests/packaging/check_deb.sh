#!/bin/bash
# Builds the Debian package and checks that it declares what the program
# needs on a machine that has none of it: the Qt libraries (found by the
# shared-library scan, which is skipped without dpkg-dev), the SQLite driver
# and an Arabic-capable font.
# Usage: check_deb.sh BUILD-DIR
set -eu
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$1" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
failed=0
for want in libqt5core5a libqt5widgets5 libqt5charts5 libqt5sql5-sqlite fonts-noto-core; do
    case ", $depends," in *"$want"*) ;; *) echo "the package does not depend on $want"; failed=$((failed + 1));; esac
done
contents=$(dpkg-deb -c "$deb")
for want in ./usr/bin/harfora-report ./usr/share/doc/harfora/copyright; do
    case "$contents" in *" $want"*) ;; *) echo "the package lacks $want"; failed=$((failed + 1));; esac
done
echo "debian package: $((7 - failed)) passed, $failed failed"
[ $failed -eq 0 ]
