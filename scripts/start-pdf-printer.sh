#!/usr/bin/env bash
# Starts CUPS when it is not running and adds the CUPS-PDF virtual printer
# "TintwisePDF", for the end-to-end printing test. The system's default
# printer is left alone: the test makes TintwisePDF its own default through
# the PRINTER environment variable. Exits non-zero, saying why, when CUPS or
# the printer cannot be set up; the printing test then skips.
set -u

run() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo -n "$@"
    fi
}

if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
    echo "CUPS is not installed" >&2
    exit 1
fi
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    run cupsd 2>/dev/null || { echo "cupsd could not be started" >&2; exit 1; }
    for _ in $(seq 40); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.25
    done
fi
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    echo "the CUPS scheduler did not come up" >&2
    exit 1
fi
if ! lpstat -p TintwisePDF >/dev/null 2>&1; then
    ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt.ppd/ { print $1; exit }')
    if [ -z "$ppd" ]; then
        echo "the CUPS-PDF driver is not installed" >&2
        exit 1
    fi
    run lpadmin -p TintwisePDF -v cups-pdf:/ -E -m "$ppd" 2>/dev/null \
        || { echo "the TintwisePDF printer could not be added" >&2; exit 1; }
fi
echo "CUPS is running with the TintwisePDF printer"
