#!/bin/sh
# Installs the Debian 12 packages the build, the tests and the sandbox need,
# only when some are missing.
set -e
PKGS="build-essential cmake pkg-config qtbase5-dev qttools5-dev qttools5-dev-tools
libqt5svg5-dev libjsoncpp-dev libcurl4-openssl-dev libboost-regex-dev
fonts-wqy-zenhei librsvg2-bin xvfb python3 zlib1g-dev openssl"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
