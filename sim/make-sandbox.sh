#!/bin/sh
# Lays out a fresh system root for running the program on a development host:
# device and sysfs stand-ins, the program's folders, sample prints, the Wi-Fi
# files, the font and the stand-in tools. printer-sim adds dev/ttyS2 when it starts.
# Usage: make-sandbox.sh ROOT
set -eu
[ $# -eq 1 ] || { echo "usage: $0 ROOT" >&2; exit 2; }
ROOT=$1
HERE=$(cd "$(dirname "$0")" && pwd)
FONT=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc

mkdir -p "$ROOT"
ROOT=$(cd "$ROOT" && pwd)
cd "$ROOT"

put() { # put FILE TEXT: a file holding exactly TEXT
    mkdir -p "$(dirname "$1")"
    printf '%s' "$2" > "$1"
}

mkdir -p dev media data run proc etc opt/qt-4.8.6/plugins opt/qt-4.8.6/lib/fonts sbin-standin
for d in config log kernel control library software; do mkdir -p "opt/PROGRAM/$d"; done
: > proc/mounts

# GPIO 131 (the board's buffer-check input) and 137 (the board's reset output).
put sys/class/gpio/export ""
put sys/class/gpio/unexport ""
for pin in 131 137; do
    put "sys/class/gpio/gpio$pin/value" "0
"
    put "sys/class/gpio/gpio$pin/active_low" "0
"
done
put sys/class/gpio/gpio131/direction "in
"
put sys/class/gpio/gpio131/edge "falling
"
put sys/class/gpio/gpio137/direction "out
"
put sys/class/gpio/gpio137/edge "none
"

# The buzzer's PWM channel, as the kernel shows it once exported.
put sys/class/pwm/pwmchip0/export ""
put sys/class/pwm/pwmchip0/unexport ""
put sys/class/pwm/pwmchip0/npwm "2
"
put sys/class/pwm/pwmchip0/pwm1/period "0
"
put sys/class/pwm/pwmchip0/pwm1/duty_cycle "0
"
put sys/class/pwm/pwmchip0/pwm1/enable "0
"
put sys/class/pwm/pwmchip0/pwm1/polarity "normal
"

# A control package with a firmware image for the board's reflash.
mkdir -p opt/PROGRAM/control/1.0.0
head -c 4096 /dev/zero | tr '\000' '\377' > opt/PROGRAM/control/1.0.0/firmware.bin

put opt/wifi/wpa_supplicant.conf "ctrl_interface=DIR=/var/run/wpa_supplicant
update_config=1
"
put opt/wifi/rtl_hostapd_2G.conf "interface=wlan0
driver=nl80211
ssid=Printer-AP
channel=6
hw_mode=g
auth_algs=1
wpa=2
wpa_passphrase=12345678
wpa_key_mgmt=WPA-PSK
rsn_pairwise=CCMP
"
put etc/MAC "00:11:22:33:44:55
"

if [ -f "$FONT" ]; then
    cp "$FONT" opt/qt-4.8.6/lib/fonts/code2000.ttf
else
    echo "make-sandbox: $FONT missing (package fonts-wqy-zenhei); no font installed" >&2
fi

python3 "$HERE/make-samples.py" data

# Stand-in tools: every file of sim/tools, links resolved, so the root is
# self-contained.
for tool in "$HERE"/tools/*; do
    cp -L "$tool" sbin-standin/
done
chmod +x sbin-standin/*
: > standin.log
