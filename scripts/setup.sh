#!/bin/sh
# Installs the Debian 12 packages Harfora needs to build, run, test and
# package; does nothing when they are all there. The list is checked against
# what the build really uses by scripts/check_setup.sh.
set -e
PACKAGES="cmake g++ make python3 python3-minimal dpkg-dev file
qtbase5-dev qttools5-dev qttools5-dev-tools libqt5sql5-sqlite libqt5charts5-dev qttranslations5-l10n
libx11-dev fonts-noto-core fonts-dejavu-core
xvfb xauth xdotool x11-utils imagemagick imagemagick-6.q16 sqlite3 e2fsprogs
clang libclang-rt-14-dev appstream xkb-data hunspell-ar hunspell
postgresql-15 postgresql-client-15 libqt5sql5-psql openssl"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing:$missing"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
