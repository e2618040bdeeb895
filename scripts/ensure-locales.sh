#!/usr/bin/env bash
# Generates the locales that Varnock.exe is run under when they are missing.
# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives code page 932
# (without it the Japanese labels silently turn into mojibake), en_US.UTF-8 gives
# 1252, the Western Windows on which the tests check the first start in English.
set -euo pipefail

wanted=(ja_JP en_US)
missing=()
for name in "${wanted[@]}"; do
    locale -a 2>/dev/null | grep -qiE "^${name}\.utf-?8$" || missing+=("$name")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "need root (or sudo) to generate ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
for name in "${missing[@]}"; do
    echo "Generating the $name.UTF-8 locale"
    if grep -qE "^# *$name\.UTF-8 UTF-8" /etc/locale.gen; then
        $sudo sed -i -E "s/^# *($name\.UTF-8 UTF-8)/\1/" /etc/locale.gen
    elif ! grep -qE "^$name\.UTF-8 UTF-8" /etc/locale.gen; then
        echo "$name.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    fi
done
$sudo locale-gen
