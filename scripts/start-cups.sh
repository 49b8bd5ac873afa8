#!/usr/bin/env bash
# Starts a CUPS server with the cups-pdf queue "PDF" as the default destination, so print tests print
# for real and read the result back. Prints the folder where cups-pdf writes its files. Needs root (or
# sudo); safe to run again while the server is up.
set -euo pipefail

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
out=/var/spool/cups-pdf/out

# cups-pdf writes into the job owner's home by default; one fixed folder is easier to find.
conf=/etc/cups/cups-pdf.conf
if ! grep -q "^Out $out\$" "$conf"; then
  $sudo sed -i "s|^Out .*|Out $out|" "$conf"
fi
$sudo mkdir -p "$out"
$sudo chmod 1777 "$out"

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  $sudo mkdir -p /run/cups
  $sudo cupsd
  for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
  done
fi
lpstat -r | grep -q "is running" || { echo "CUPS did not start" >&2; exit 1; }

if ! lpstat -p PDF >/dev/null 2>&1; then
  $sudo lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
fi
# cups-pdf takes PostScript only, so CUPS turns the application's PDF into PostScript first. Its default
# converter (Ghostscript's ps2write) rewrites the embedded CID TrueType fonts that Qt writes as Type 3
# fonts with made-up codes, and the PDF that comes out has text nobody can read back or search. The
# cairo converter keeps the fonts as TrueType with their glyph names, so the printed text survives.
$sudo lpadmin -p PDF -o pdftops-renderer-default=pdftocairo
$sudo lpadmin -d PDF
echo "$out"
