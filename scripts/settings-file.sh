#!/usr/bin/env bash
# Writes to standard output a dialer settings file ("Ondrel.dat") that remembers one phonebook
# entry and makes it current, with no account ID or password stored and every option off but,
# when asked, keep-dialing. Choosing an entry is the Options dialog's work; the run command gives
# a new program folder this file for its sample entry, and the end-to-end tests start the dialer
# with it.
# Usage: scripts/settings-file.sh <entry name> [keep-dialing: 0 or 1] >Ondrel.dat
set -euo pipefail
export LC_ALL=C # lengths count bytes

if [ $# -lt 1 ] || [ $# -gt 2 ] || [ -z "$1" ] || [ ${#1} -gt 254 ] ||
    [[ ! ${2:-0} =~ ^[01]$ ]]; then
    echo "usage: $0 <entry name, at most 254 characters> [keep-dialing: 0 or 1]" >&2
    exit 2
fi

# A 32-bit little-endian number; the values here are all below 256.
u32() { printf "\\x$(printf %02x "$1")\\x00\\x00\\x00"; }
# An archived string up to 254 characters: one length byte, then the characters.
str() { printf "\\x$(printf %02x ${#1})%s" "$1"; }

u32 0                     # save user ID and password
u32 "${2:-0}"             # keep dialing
u32 0; u32 0; u32 0       # start with Windows, dial at start, start minimised
u32 0; str ""             # start a program, its path
u32 0; str ""             # play a sound, its path
u32 0                     # dial by schedule
u32 1; u32 0              # entry count, current entry
str "$1"; str ""; str ""  # name, account ID, password
