#!/usr/bin/env python3
"""What a hard kill left in a memo base, for e2e_crash.sh.

  crash_check.py snapshot BASE OUT.json
      every memo text of BASE (memo folder / text file -> text) into OUT.json
  crash_check.py check BASE BEFORE.json KILLED_AT INTERVAL TEXT PROGRESS [TEXT PROGRESS ...]
      every memo of BEFORE must be unchanged. Each TEXT was typed in turn (PROGRESS is the
      "count seconds" file of x11-type.py) and is looked for among the memos that are new: the
      longest prefix of it that is a new memo's whole text is what came back of it. Everything
      typed INTERVAL seconds before KILLED_AT must have come back. Prints
      "TYPED RECOVERED MAY_LOSE LOST_SECONDS" (how long before the kill the oldest character
      that did not come back was typed) and exits 1 with the reason when something does not hold.
  crash_check.py journal BASE KILLED_AT
      how long before KILLED_AT the journals of BASE were last written, to tell a journal that was
      not written from one that was written without the latest keys
"""
import json
import os
import sys


def memo_texts(base):
    texts = {}
    if not os.path.isdir(base):
        return texts
    for folder in sorted(os.listdir(base)):
        path = os.path.join(base, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if name.lower().endswith(".txt"):
                with open(os.path.join(path, name), "rb") as f:
                    data = f.read()
                try:
                    text = data.decode("cp932")
                except UnicodeDecodeError:
                    text = "<undecodable %d bytes>" % len(data)
                texts[folder + "/" + name] = text.replace("\r\n", "\n")
    return texts


def progress_lines(progress):
    with open(progress) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 2:
                yield int(parts[0]), float(parts[1])


def typed_by(progress, moment):
    count = 0
    for typed, when in progress_lines(progress):
        if when <= moment:
            count = typed
    return count


def typed_at(progress, count):
    """When the COUNTth character was typed, or None."""
    for typed, when in progress_lines(progress):
        if typed >= count:
            return when
    return None


def check(base, before_file, killed_at, interval, pairs):
    with open(before_file) as f:
        before = json.load(f)
    after = memo_texts(base)
    for key, text in before.items():
        if after.get(key) != text:
            return "a memo saved before the kill changed: %s" % key
    new = [text for key, text in after.items() if key not in before]
    typed = recovered = may_lose = 0
    lost_seconds = 0.0
    for text, progress in pairs:
        count = typed_by(progress, killed_at)
        safe = typed_by(progress, killed_at - interval)
        back = max((len(t) for t in new if t and text.startswith(t)), default=0)
        stray = [t for t in new if t and not any(s.startswith(t) for s, _ in pairs)]
        if stray:
            return "a new memo holds text that was not typed: %r" % stray[0][:80]
        if back < safe:
            return "%d characters back of %r, but %d were typed %.1f s before the kill" % (
                back, text[:20], safe, interval)
        if back < count:
            first_lost = typed_at(progress, back + 1)
            if first_lost is not None:
                lost_seconds = max(lost_seconds, killed_at - first_lost)
        typed += count
        recovered += min(back, count)
        may_lose += count - safe
    print(typed, recovered, may_lose, "%.2f" % lost_seconds)
    return None


def journal_ages(base, killed_at):
    if not os.path.isdir(base):
        return "no memo base"
    ages = ["%s %.2f s" % (name, killed_at - os.stat(os.path.join(base, name)).st_mtime)
            for name in sorted(os.listdir(base)) if name.lower().endswith(".jnl")]
    return "journals written before the kill: " + (", ".join(ages) if ages else "none")


def main():
    if len(sys.argv) >= 4 and sys.argv[1] == "snapshot":
        with open(sys.argv[3], "w") as f:
            json.dump(memo_texts(sys.argv[2]), f, ensure_ascii=False)
        return
    if len(sys.argv) == 4 and sys.argv[1] == "journal":
        print(journal_ages(sys.argv[2], float(sys.argv[3])))
        return
    if len(sys.argv) >= 8 and sys.argv[1] == "check" and len(sys.argv) % 2 == 0:
        rest = sys.argv[6:]
        pairs = [(rest[i], rest[i + 1]) for i in range(0, len(rest), 2)]
        failure = check(sys.argv[2], sys.argv[3], float(sys.argv[4]), float(sys.argv[5]), pairs)
        if failure:
            print(failure, file=sys.stderr)
            sys.exit(1)
        return
    sys.exit(__doc__)


if __name__ == "__main__":
    main()
