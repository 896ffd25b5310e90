#!/bin/bash
# Lets a test print through a real CUPS spooler into PDF files, and takes it all away again.
#   cups-setup.sh QUEUE [PPD]     starts cupsd if it is not running, adds QUEUE printing into
#                                 cups-pdf, described by PPD (default: cups-pdf's own);
#                                 prints the folder where cups-pdf writes this user's jobs
#   cups-setup.sh --remove QUEUE... removes the queues, and stops cupsd if the set-up started
#                                 it and no other test queue (Totem*) is left on it
# Needs root and the packages cups, cups-client and printer-driver-cups-pdf; a non-zero exit
# says on stderr why printing through CUPS is not possible here.
set -euo pipefail
fail() { echo "cups-setup: $2" >&2; exit "$1"; }
running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q '^scheduler is running'; }

if [[ ${1:-} == --remove ]]; then
    shift
    for queue in "$@"; do lpadmin -x "$queue" 2>/dev/null || true; done
    for queue in "$@"; do
        started=${TMPDIR:-/tmp}/totem-cups-$queue.pid
        if [[ -f $started ]] && ! lpstat -v 2>/dev/null | grep -q '^device for Totem'; then
            kill "$(cat "$started")" 2>/dev/null || true
        fi
        rm -f "$started"
    done
    exit 0
fi
queue=${1:?queue name} ppd=${2:-}
[[ $(id -u) -eq 0 ]] || fail 2 "must run as root (cupsd and lpadmin need it)"
for tool in /usr/sbin/cupsd lpstat lpadmin lpinfo cupsenable cupsaccept; do
    command -v "$tool" >/dev/null || fail 3 "$tool missing: install cups and cups-client"
done
[[ -x /usr/lib/cups/backend/cups-pdf ]] || fail 3 "install printer-driver-cups-pdf"

# No systemd here: cupsd runs in the foreground of a child whose id is kept for --remove.
if ! running; then
    /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
    echo $! >"${TMPDIR:-/tmp}/totem-cups-$queue.pid"
    for _ in $(seq 1 100); do running && break; sleep 0.1; done
    running || fail 4 "cupsd does not answer (see /var/log/cups/error_log)"
fi
# Queues of test runs that died before removing them, told by the process id they end in.
for stale in $(lpstat -v 2>/dev/null | sed -n 's/^device for \(Totem[A-Za-z]*-\([0-9][0-9]*\)\):.*/\1/p'); do
    kill -0 "${stale##*-}" 2>/dev/null || lpadmin -x "$stale" 2>/dev/null || true
done
if [[ -n $ppd ]]; then
    driver=(-P "$ppd")
else
    model=$(lpinfo -m 2>/dev/null | awk '$1 ~ /CUPS-PDF_noopt\.ppd$/ { print $1; exit }')
    [[ -n $model ]] || fail 5 "the scheduler lists no CUPS-PDF_noopt.ppd model"
    driver=(-m "$model")
fi
# lpadmin warns that printer drivers are deprecated; the queue works all the same.
lpadmin -p "$queue" -E -v cups-pdf:/ "${driver[@]}" 2>/dev/null || fail 6 "lpadmin cannot add $queue"
cupsenable "$queue" && cupsaccept "$queue"

# cups-pdf writes into "Out" of its configuration (default ${HOME}/PDF) of the job's user.
out=$(awk '$1 == "Out" { $1 = ""; sub(/^ +/, ""); print; exit }' /etc/cups/cups-pdf.conf \
    2>/dev/null || true)
out=${out:-'${HOME}/PDF'}
user=$(id -un)
out=${out//'${HOME}'/$(getent passwd "$user" | cut -d: -f6)}
out=${out//'${USER}'/$user}
mkdir -p "$out"
echo "$out"
