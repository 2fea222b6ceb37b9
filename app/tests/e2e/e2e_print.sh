#!/usr/bin/env bash
# Printing through the real program onto the PDF printer: a memo of text, a page break and a
# picture split over two pages is printed with Ctrl+P and the print dialog's Return; the PDF the
# printer writes must have the pages that the same program draws into memory for that printer
# (VelPrintProbe), with their lines, page numbers and picture where they belong.
# Arguments: WINE_RUN ARCH_OPTION VELTEXT_EXE PRINT_PROBE_EXE OUTPUT_DIR PRINTER_STATE_DIR
source "$(dirname "$0")/e2e_common.sh"
here=$(cd "$(dirname "$0")" && pwd)
tools=$(cd "$here/../../../tools" && pwd)
state=$6
pdf_dir=$(bash "$tools/test-printer.sh" outdir "$state")
work=$out/e2e-print
rm -rf "$work"
mkdir -p "$work" "$pdf_dir"

memo_dir=$WINEPREFIX/drive_c/vel-e2e-print
memo_win='C:\vel-e2e-print\memo.txt'
rm -rf "$memo_dir"
mkdir -p "$memo_dir/probe"

# How many lines a page of the default printer takes, so that the picture can be put across the
# end of page 2.
layout=$("${emu[@]}" "$probe" layout | tr -d '\r') || fail "the probe found no printer"
lines=$(echo "$layout" | sed -n 's/^lines \([0-9]*\) .*/\1/p')
[ -n "$lines" ] && [ "$lines" -gt 10 ] || fail "printer layout: $layout"
echo "printer: $layout"

# Page 1: three lines and a page break. Page 2: lines up to two before its end, then a picture of
# seven screen lines; page 3 shows the rest of the picture and the last line.
convert -size 120x130 xc:'#FF0000' BMP3:"$memo_dir/red.bmp"
{
  printf 'Printed memo: first line\r\n日本語の行です。漢字とかな\r\n\tindented line\r\n<page>\r\n'
  for i in $(seq 1 $((lines - 2))); do printf 'page two line %d abc\r\n' "$i"; done
  printf '<IMG SRC="red.bmp">\r\nthe last line after the picture'
} | iconv -f utf-8 -t cp932 >"$memo_dir/memo.txt"

before=$(ls "$pdf_dir" 2>/dev/null | wc -l)
"${emu[@]}" "$exe" "$memo_win" >/dev/null 2>&1 &
pids+=($!)
wait_windows 1 30 || fail "VelText did not start"
w=$(windows)
focus "$w"
xdotool key ctrl+p
dialog=
for i in $(seq 1 100); do
  dialog=$(xdotool search --name '^印刷$' 2>/dev/null | head -n1 || true)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || fail "the print dialog did not open"
sleep 0.5
import -window root "$work/print-dialog.png" 2>/dev/null || true
xdotool key Return

# The printer writes the file when the job has gone through Ghostscript.
pdf=
for i in $(seq 1 600); do
  pdf=$(ls -t "$pdf_dir"/*.pdf 2>/dev/null | head -n1 || true)
  if [ -n "$pdf" ] && [ "$(ls "$pdf_dir" | wc -l)" -gt "$before" ]; then
    size=$(stat -c %s "$pdf"); sleep 0.5
    [ "$size" -gt 0 ] && [ "$size" = "$(stat -c %s "$pdf")" ] && pdfinfo "$pdf" >/dev/null 2>&1 && break
  fi
  pdf=
  sleep 0.1
done
[ -n "$pdf" ] || fail "no PDF from the printer in $pdf_dir"
cp "$pdf" "$work/printed.pdf" && rm -f "$pdf"
focus "$w"
xdotool key ctrl+e
wait_exit "${pids[0]}" || fail "VelText did not end cleanly"

pages=$(pdfinfo "$work/printed.pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 3 ] || fail "the PDF has $pages pages, not 3"
probe_out=$("${emu[@]}" "$probe" pages "$memo_win" 'C:\vel-e2e-print\probe' 2 | tr -d '\r') \
  || fail "the probe could not draw the pages"
mv "$memo_dir/probe" "$work/probe"
echo "memory: $probe_out"
[ "$(echo "$probe_out" | sed -n 's/^pages \([0-9]*\).*/\1/p')" = "$pages" ] || fail "memory has other pages: $probe_out"
dpi=$(echo "$probe_out" | sed -n 's/.* dpi \([0-9]*\).*/\1/p')
pdftoppm -r $((dpi / 2)) "$work/printed.pdf" "$work/pdf"
python3 "$here/print_pages.py" "$work/probe" "$work/pdf" "$pages" || fail "the printed pages differ"
rm -rf "$memo_dir"
echo "ok"
