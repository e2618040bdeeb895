#!/usr/bin/env bash
# Generates the ja_JP.UTF-8 locale when it is missing. Wine takes its ANSI code
# page from the locale: only with this one generated does Varnock.exe see code
# page 932, without it the Japanese labels silently turn into mojibake.
set -euo pipefail

if locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then exit 0; fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "need root (or sudo) to generate ja_JP.UTF-8" >&2; exit 1; }
    sudo="sudo"
fi
echo "Generating the ja_JP.UTF-8 locale"
if grep -qE '^# *ja_JP\.UTF-8 UTF-8' /etc/locale.gen; then
    $sudo sed -i -E 's/^# *(ja_JP\.UTF-8 UTF-8)/\1/' /etc/locale.gen
elif ! grep -qE '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
fi
$sudo locale-gen
