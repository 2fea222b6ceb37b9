#!/usr/bin/env python3
"""Types text into the focused X window, any character included, for the end-to-end tests.

xdotool's own typing remaps a spare keycode, types and reverts at once; Wine re-reads the keyboard
map after the revert and drops the character now and then. Here one spare keycode is mapped to each
character in turn, Wine is given time to read the map, and the key is pressed and released with
XTest. Line ends are typed as Return, TABs as Tab.

    x11-type.py TEXT [--delay SECONDS] [--progress FILE]
With --progress, a line "COUNT SECONDS" goes to FILE after each character typed (the count of
characters typed so far and the wall-clock time), for tests that stop the program midway.
"""
import ctypes
import ctypes.util
import os
import sys
import time

x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")

x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
x11.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
x11.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
x11.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                       ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XFree.argtypes = [ctypes.c_void_p]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

XK_RETURN = 0xFF0D
XK_TAB = 0xFF09
XK_SHIFT_L = 0xFFE1
# Wine gives every keysym it does not know the same spare virtual key and finds the character
# again from that key when the program translates the message: only one such keycode may be
# mapped while its key is on its way.
KEYS_PER_BATCH = 1


def keysym_of(ch):
    code = ord(ch)
    if 0x20 <= code <= 0x7E or 0xA0 <= code <= 0xFF:
        return code
    return 0x01000000 | code


def spare_keycodes(display):
    low, high = ctypes.c_int(), ctypes.c_int()
    x11.XDisplayKeycodes(display, ctypes.byref(low), ctypes.byref(high))
    per = ctypes.c_int()
    count = high.value - low.value + 1
    syms = x11.XGetKeyboardMapping(display, low.value, count, ctypes.byref(per))
    spare = [low.value + i for i in range(count)
             if all(syms[i * per.value + j] == 0 for j in range(per.value))]
    x11.XFree(syms)
    if not spare:
        sys.exit("x11-type: no spare keycode")
    return spare


def map_keys(display, pairs):
    for keycode, sym in pairs:
        # The same keysym at both levels: a lone capital letter would be read as its small one.
        both = (ctypes.c_ulong * 2)(sym, sym)
        x11.XChangeKeyboardMapping(display, keycode, 2, both, 1)
    x11.XSync(display, 0)


def press(display, keycode, shift=0):
    if shift:
        xtst.XTestFakeKeyEvent(display, shift, 1, 0)
    xtst.XTestFakeKeyEvent(display, keycode, 1, 0)
    xtst.XTestFakeKeyEvent(display, keycode, 0, 0)
    if shift:
        xtst.XTestFakeKeyEvent(display, shift, 0, 0)
    x11.XSync(display, 0)


def keyboard_keys(display):
    """The characters the keyboard map already has, as (keycode, needs Shift)."""
    low, high = ctypes.c_int(), ctypes.c_int()
    x11.XDisplayKeycodes(display, ctypes.byref(low), ctypes.byref(high))
    per = ctypes.c_int()
    count = high.value - low.value + 1
    syms = x11.XGetKeyboardMapping(display, low.value, count, ctypes.byref(per))
    found = {}
    for i in range(count):
        for level in range(min(2, per.value)):
            sym = syms[i * per.value + level]
            if 0x20 <= sym <= 0x7E and chr(sym) not in found:
                found[chr(sym)] = (low.value + i, level == 1)
    x11.XFree(syms)
    return found


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    text = sys.argv[1]
    delay = 0.03
    if "--delay" in sys.argv:
        delay = float(sys.argv[sys.argv.index("--delay") + 1])
    map_wait = float(os.environ.get("VEL_MAP_WAIT", "0.12"))
    progress = None
    if "--progress" in sys.argv:
        progress = open(sys.argv[sys.argv.index("--progress") + 1], "w", buffering=1)
    typed = 0
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("x11-type: cannot open the display")
    spare = spare_keycodes(display)
    fixed = {"\n": (x11.XKeysymToKeycode(display, XK_RETURN), False),
             "\t": (x11.XKeysymToKeycode(display, XK_TAB), False)}
    # Characters the keyboard has need no mapping and no waiting.
    fixed.update(keyboard_keys(display))
    shift = x11.XKeysymToKeycode(display, XK_SHIFT_L)
    # The text goes in runs of one character: it is mapped onto a spare keycode, Wine is given
    # time to read the map, the run is typed, and the program is given time to translate the
    # keys before the keycode is mapped again.
    pos = 0
    while pos < len(text):
        keys = {}
        batch = []
        while pos < len(text):
            ch = text[pos]
            if ch not in fixed and ch not in keys:
                if len(keys) == min(len(spare), KEYS_PER_BATCH):
                    break
                keys[ch] = spare[len(keys)]
            batch.append(ch)
            pos += 1
        if keys:
            map_keys(display, [(code, keysym_of(ch)) for ch, code in keys.items()])
            time.sleep(map_wait)
        for ch in batch:
            if ch in fixed:
                code, shifted = fixed[ch]
                press(display, code, shift if shifted else 0)
            else:
                press(display, keys[ch])
            typed += 1
            if progress:
                progress.write("%d %.3f\n" % (typed, time.time()))
            time.sleep(delay)
        if keys:
            time.sleep(map_wait)
    map_keys(display, [(code, 0) for code in spare])


if __name__ == "__main__":
    main()
