#!/bin/bash
# Makes this machine print through a real CUPS spooler into PDF files: starts cupsd when
# it is not running and adds the cups-pdf queue TotemPDF. Safe to run again.
#
# Needs root and the packages cups, cups-client and printer-driver-cups-pdf.
# On success prints one line on stdout: the folder where cups-pdf writes the PDF files of
# jobs submitted by the calling user. Anything else goes to stderr; a non-zero exit says
# why printing through CUPS is not possible here.
set -euo pipefail

queue=${TOTEM_CUPS_QUEUE:-TotemPDF}
cupsd=/usr/sbin/cupsd
conf=/etc/cups/cups-pdf.conf

fail() {
    echo "cups-setup: $2" >&2
    exit "$1"
}

[[ $(id -u) -eq 0 ]] || fail 2 "must run as root (cupsd and lpadmin need it)"
for tool in "$cupsd" lpstat lpadmin lpinfo cupsenable cupsaccept; do
    command -v "$tool" >/dev/null || fail 3 "$tool missing: install cups and cups-client"
done
[[ -x /usr/lib/cups/backend/cups-pdf ]] || fail 3 "cups-pdf backend missing: install printer-driver-cups-pdf"

running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q '^scheduler is running'; }

# There is no systemd here: cupsd is started by hand and puts itself in the background.
if ! running; then
    "$cupsd" >&2 || fail 4 "cupsd did not start (see /var/log/cups/error_log)"
    for _ in $(seq 1 100); do
        running && break
        sleep 0.1
    done
    running || fail 4 "cupsd started but the scheduler does not answer (see /var/log/cups/error_log)"
fi

# The driver's own name for its PPD, whatever folder the package put the file in.
model=$(lpinfo -m 2>/dev/null | awk '$1 ~ /CUPS-PDF_noopt\.ppd$/ { print $1; exit }')
[[ -n $model ]] || fail 5 "the scheduler lists no CUPS-PDF_noopt.ppd model (printer-driver-cups-pdf)"

if ! lpstat -v "$queue" >/dev/null 2>&1; then
    # lpadmin warns that printer drivers are deprecated; the queue works all the same.
    lpadmin -p "$queue" -E -v cups-pdf:/ -m "$model" 2>/dev/null ||
        fail 6 "lpadmin could not add the queue $queue"
fi
# A queue left stopped or rejecting by an earlier failed job would hold ours for ever.
cupsenable "$queue"
cupsaccept "$queue"

# cups-pdf writes into "Out" of its configuration (default ${HOME}/PDF) of the job's user.
out=$(awk '$1 == "Out" { $1 = ""; sub(/^ +/, ""); print; exit }' "$conf" 2>/dev/null || true)
out=${out:-'${HOME}/PDF'}
user=$(id -un)
home=$(getent passwd "$user" | cut -d: -f6)
out=${out//'${HOME}'/$home}
out=${out//'${USER}'/$user}
mkdir -p "$out"
echo "$out"
