#!/usr/bin/env python3
"""Compares the pages of a printed PDF, rasterised by pdftoppm, with the same pages drawn by the
program into memory (VelPrintProbe), both as binary PPM files of one resolution.

    print_pages.py PROBE_DIR PDF_PREFIX PAGES

On every page the rows of dark ink form bands, one per printed line: the bands must match in
number and place, and each band's ink, summed per pixel column, must match closely (the two
renderers differ only at the glyphs' edges). The red picture's rectangle must match. Last, the
page number of each printed page must match its own page drawn in memory better than any other
page's number, so that "- 3 -" is not taken for "- 2 -". Prints one line per page; exits 1 when
anything differs.
"""
import sys

ROW_TOLERANCE = 3        # pixels
PROFILE_DISTANCE = 0.15  # share of the ink that may lie in other columns


def table(test):
    return bytes(1 if test(v) else 0 for v in range(256))


DARK = table(lambda v: v < 200)
RED_HIGH = table(lambda v: v > 180)
RED_LOW = table(lambda v: v < 90)


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    magic, width, height, _, pixels = data.split(maxsplit=4)
    if magic != b'P6':
        raise ValueError(path + ': not a binary PPM')
    width, height = int(width), int(height)
    return width, height, pixels[:width * height * 3]


class Page:
    def __init__(self, path):
        self.width, self.height, px = read_ppm(path)
        stride = self.width * 3
        self.ink = []  # per row: 1 where the pixel is dark in all three channels
        self.red = []  # per row: 1 where the pixel is the picture's red
        blank = bytes(self.width)
        for y in range(self.height):
            row = px[y * stride:(y + 1) * stride]
            g = row[1::3]
            if not g.translate(DARK).count(1):
                self.ink.append(blank)
                self.red.append(blank)
                continue
            r, b = row[0::3], row[2::3]
            self.ink.append(bytes(x & y & z for x, y, z in
                                  zip(r.translate(DARK), g.translate(DARK), b.translate(DARK))))
            self.red.append(bytes(x & y & z for x, y, z in
                                  zip(r.translate(RED_HIGH), g.translate(RED_LOW), b.translate(RED_LOW))))

    def bands(self):
        bands, start = [], None
        for y, row in enumerate(self.ink):
            inked = 1 in row
            if inked and start is None:
                start = y
            elif not inked and start is not None:
                bands.append((start, y - 1))
                start = None
        if start is not None:
            bands.append((start, self.height - 1))
        return bands

    def profile(self, band, x0=0, x1=None):
        x1 = self.width if x1 is None else x1
        columns = [0] * (x1 - x0)
        for y in range(band[0], band[1] + 1):
            for x, v in enumerate(self.ink[y][x0:x1]):
                columns[x] += v
        return columns

    def extent(self, band):
        rows = [self.ink[y] for y in range(band[0], band[1] + 1) if 1 in self.ink[y]]
        return min(r.find(1) for r in rows), max(r.rfind(1) for r in rows) + 1

    def red_box(self):
        rows = [y for y, row in enumerate(self.red) if 1 in row]
        if not rows:
            return None
        return (min(self.red[y].find(1) for y in rows), rows[0], max(self.red[y].rfind(1) for y in rows), rows[-1])


def distance(a, b):
    total = sum(a) + sum(b)
    return sum(abs(x - y) for x, y in zip(a, b)) / total if total else 0.0


def near(a, b):
    return abs(a - b) <= ROW_TOLERANCE


def compare(memory, paper, name):
    problems = []
    mb, pb = memory.bands(), paper.bands()
    if len(mb) != len(pb):
        return ['%s: %d lines of ink in memory, %d on paper' % (name, len(mb), len(pb))]
    for i, (m, p) in enumerate(zip(mb, pb)):
        if not (near(m[0], p[0]) and near(m[1], p[1])):
            problems.append('%s: line %d at rows %s in memory, %s on paper' % (name, i, m, p))
            continue
        d = distance(memory.profile(m), paper.profile(p))
        if d > PROFILE_DISTANCE:
            problems.append('%s: line %d at rows %s differs (%.2f of its ink)' % (name, i, m, d))
    mr, pr = memory.red_box(), paper.red_box()
    if (mr is None) != (pr is None) or (mr and not all(near(a, b) for a, b in zip(mr, pr))):
        problems.append('%s: picture at %s in memory, %s on paper' % (name, mr, pr))
    return problems


def page_numbers(memory, paper):
    """For each printed page, how well its last line matches each page's last line in memory."""
    problems = []
    for i, printed in enumerate(paper):
        band = printed.bands()[-1]
        scores = []
        for drawn in memory:
            own = drawn.bands()[-1]
            x0, x1 = drawn.extent(own)
            x0, x1 = max(0, x0 - 3), x1 + 3
            scores.append(distance(printed.profile(band, x0, x1), drawn.profile(own, x0, x1)))
        best = min(range(len(scores)), key=scores.__getitem__)
        if best != i:
            problems.append('page %d: its number looks like the number of page %d (%s)'
                            % (i + 1, best + 1, ', '.join('%.2f' % s for s in scores)))
    return problems


def main():
    probe_dir, pdf_prefix, pages = sys.argv[1], sys.argv[2], int(sys.argv[3])
    memory = [Page('%s/page-%d.ppm' % (probe_dir, n)) for n in range(1, pages + 1)]
    paper = [Page('%s-%d.ppm' % (pdf_prefix, n)) for n in range(1, pages + 1)]
    failed = False
    for n, (m, p) in enumerate(zip(memory, paper), 1):
        problems = compare(m, p, 'page %d' % n)
        print('page %d: %d lines of ink, picture %s%s' % (n, len(m.bands()), m.red_box(),
                                                          ' DIFFERS' if problems else ''))
        for problem in problems:
            print('  ' + problem)
        failed = failed or bool(problems)
    for problem in page_numbers(memory, paper):
        print(problem)
        failed = True
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
