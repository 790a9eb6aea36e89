#!/usr/bin/env bash
# The real printer check: the game's own Print button sends a practice score sheet to a
# private print server whose default printer writes PDF files; the first page must arrive
# and carry ink.
#
#   real_printer_check.sh QUILLMOOR DATA_DIR WORK_DIR
#
# Exits 77 (counted as skipped) where cupsd, the cups-pdf printer or root is missing: the
# cups-pdf backend runs only as root. The printed page is left in WORK_DIR/printed_page.png
# (and .pdf) for a person to look at.
set -u

if [[ $# -ne 3 ]]; then
  echo "usage: real_printer_check.sh QUILLMOOR DATA_DIR WORK_DIR" >&2
  exit 2
fi
game=$(realpath "$1")
data=$(realpath "$2")
mkdir -p "$3" && work=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
skip() {
  echo "SKIP: $*"
  exit 77
}
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
pdf_conf=/etc/cups/cups-pdf.conf
[[ -x "$cupsd" ]] || skip "cupsd is not installed (scripts/install-deps.sh installs cups)"
[[ -e /usr/lib/cups/backend/cups-pdf ]] || skip "the cups-pdf printer is not installed (printer-driver-cups-pdf)"
[[ $(id -u) -eq 0 ]] || skip "the cups-pdf printer only runs for a print server started as root"
for tool in lpadmin lpoptions pdftoppm convert; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing" >&2; exit 1; }
done

# cups-pdf writes every user's files into one place: one check at a time on this machine,
# so that each finds its own page. The lock is taken on the temporary folder itself, which
# every checkout shares and which nothing is left behind in.
exec 9</tmp
flock 9

tmp=$(mktemp -d /tmp/qm-printing-XXXXXX)
socket=$tmp/cups.sock
server_pid=""
printed=""
made_out_dir=""

cleanup() {
  [[ -n "$server_pid" ]] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  [[ -n "$printed" ]] && rm -f "$printed"
  [[ -n "$made_out_dir" ]] && rmdir "$made_out_dir" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [[ -f "$tmp/log/error_log" ]]; then
    echo "---- print server log" >&2
    grep -E '^[EW] ' "$tmp/log/error_log" | tail -n 20 >&2
  fi
  exit 1
}

# ---- A print server of our own: its own socket, configuration, spool and logs.
mkdir -p "$tmp"/{spool,cache,state,tmp,log,home}
# Filters run as lp and must reach the spool and scratch directories.
chmod -R a+rwx "$tmp"
cat >"$tmp/cupsd.conf" <<CONF
Listen $socket
LogLevel info
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$tmp/cups-files.conf" <<CONF
ServerRoot $tmp
RequestRoot $tmp/spool
CacheDir $tmp/cache
StateDir $tmp/state
TempDir $tmp/tmp
ErrorLog $tmp/log/error_log
AccessLog $tmp/log/access_log
PageLog $tmp/log/page_log
User lp
Group lp
CONF
"$cupsd" -f -c "$tmp/cupsd.conf" -s "$tmp/cups-files.conf" 9>&- &
server_pid=$!
for _ in $(seq 100); do
  [[ -S "$socket" ]] && break
  kill -0 "$server_pid" 2>/dev/null || fail "the print server stopped at start"
  sleep 0.1
done
[[ -S "$socket" ]] || fail "the print server did not open $socket"

# Clients read the private server and a scratch home, never the user's own settings.
export CUPS_SERVER=$socket HOME=$tmp/home

model=$(lpinfo -m 2>/dev/null | awk 'tolower($0) ~ /cups-pdf/ { print $1; exit }')
[[ -n "$model" ]] || model=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -h "$socket" -p QuillmoorPDF -v cups-pdf:/ -m "$model" -E 2>"$tmp/lpadmin.err" ||
  fail "lpadmin could not add the PDF printer: $(cat "$tmp/lpadmin.err")"
# ---- Where cups-pdf writes. Its settings live only in $pdf_conf, which we do not edit: read
# its Out and AnonDirName (the packaged defaults otherwise) for the user who prints.
user=$(id -un)
user_home=$(getent passwd "$user" | cut -d: -f6)
conf_value() {
  [[ -f "$pdf_conf" ]] && awk -v key="$1" '$1 == key { $1 = ""; sub(/^ +/, ""); print; exit }' "$pdf_conf"
}
out=$(conf_value Out)
[[ -n "$out" ]] || out='/var/spool/cups-pdf/${USER}'
out=$(printf '%s' "$out" | sed -e "s|\${HOME}|$user_home|g" -e "s|\${USER}|$user|g")
anon=$(conf_value AnonDirName)
anon=${anon:-/var/spool/cups-pdf/ANONYMOUS}
[[ -d "$out" ]] || made_out_dir=$out

# ---- The game prints a practice sheet with its own Print button, as the scenario without a
# print server does: first with no default printer, which it must report, then to the PDF
# printer.
print_sheet() {  # NAME: runs the game on the script, its trace in $work/NAME.trace.jsonl
  rm -rf "$work/config" && mkdir -p "$work/config"
  cp "$here/../scripts/fixtures/scores_one_shooter.ini" "$work/config/quillmoor.ini"
  (cd "$work" && timeout 120 "$game" --headless --data "$data" --config "$work/config" --seed 1 \
    --script "$here/without_server.script" --trace "$work/$1.trace.jsonl") \
    >"$work/$1.stdout" 2>"$work/$1.stderr" || fail "the game exited with $?: $(tail -n 3 "$work/$1.stderr")"
}
print_sheet no_default
grep -q '"text":"There was an error sending the page' "$work/no_default.trace.jsonl" ||
  fail "with no default printer the game did not say so: see $work/no_default.trace.jsonl"
lpadmin -h "$socket" -d QuillmoorPDF || fail "lpadmin could not make the PDF printer the default"
lpoptions -h "$socket" -d QuillmoorPDF >/dev/null || fail "lpoptions could not pick the PDF printer"

touch "$tmp/marker"
print_sheet print
grep -q '"ev":"print","ok":true,"text":"12:00:13 Monday, January 1, 2001\\r\\nQuillmoor Practice Scoring' \
  "$work/print.trace.jsonl" || fail "the game did not send the practice sheet: see $work/print.trace.jsonl"
grep -q '"text":"There was an error sending the page' "$work/print.trace.jsonl" &&
  fail "the game showed the printer message although a printer was there"

for _ in $(seq 600); do
  printed=$(find "$out" "$anon" -maxdepth 1 -name '*.pdf' -newer "$tmp/marker" 2>/dev/null | head -n 1)
  [[ -n "$printed" ]] && break
  sleep 0.1
done
[[ -n "$printed" ]] || fail "no PDF arrived in $out or $anon within 60 seconds"
# cups-pdf may still be writing when the file appears: wait until its size holds.
for _ in $(seq 50); do
  size=$(stat -c %s "$printed")
  sleep 0.2
  [[ $size -gt 0 && $size -eq $(stat -c %s "$printed") ]] && break
done
cp "$printed" "$work/printed_page.pdf"

pdftoppm -r 72 -f 1 -l 1 -png -singlefile "$printed" "$work/printed_page" 2>/dev/null ||
  fail "pdftoppm could not render $printed"
deviation=$(convert "$work/printed_page.png" -format '%[fx:standard_deviation]' info:)
inked=$(convert "$work/printed_page.png" -colorspace Gray -threshold 50% -format '%[fx:int(w*h*(1-mean))]' info:)
echo "printed: $printed -> $work/printed_page.png (deviation $deviation, $inked inked pixels)"
awk -v d="$deviation" 'BEGIN { exit !(d > 0) }' || fail "the printed page is blank"
# Nine lines of a practice sheet leave a few hundred dark pixels at 72 dpi.
[[ $inked -ge 200 ]] || fail "the printed page carries almost no text ($inked inked pixels)"
echo "ok: the practice sheet reached the PDF printer and its page carries the text"
