#!/usr/bin/env bash
# Succeeds when this machine can execute 32-bit x86 programs and has the 32-bit Wine to run them.
# Some virtual machines run only 64-bit code; there the Windows tests use a 64-bit Wine.
[ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
