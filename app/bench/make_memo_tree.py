#!/usr/bin/env python3
"""Makes a memo base of N memo folders for the listing measurements.

usage: make_memo_tree.py FOLDER N
Each memo folder is named after a creation time (YYYY年MM月DD日HH時MM分SS秒(W)_NNN) and holds
its text file and one picture; a "cntlbasepic" folder and a plain file stand beside them.
"""
import os
import sys

DAYS = "日月火水木金土"


def main():
    root, count = sys.argv[1], int(sys.argv[2])
    os.makedirs(root, exist_ok=True)
    for i in range(count):
        s = i * 37
        name = "%04d年%02d月%02d日%02d時%02d分%02d秒(%s)_%03d" % (
            2000 + i // 40000, 1 + i // 3400 % 12, 1 + i // 120 % 28,
            s // 3600 % 24, s // 60 % 60, s % 60, DAYS[i % 7], 1 + i % 998)
        folder = os.path.join(root, name)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name + ".txt"), "wb") as f:
            f.write(b"memo\r\n")
        with open(os.path.join(folder, name + "_1.jpg"), "wb") as f:
            f.write(b"x")
    os.makedirs(os.path.join(root, "cntlbasepic"), exist_ok=True)
    with open(os.path.join(root, "plain.txt"), "wb") as f:
        f.write(b"x")


if __name__ == "__main__":
    main()
