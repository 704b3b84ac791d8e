#!/usr/bin/env bash
# Starts CUPS when it is not running and adds two CUPS-PDF virtual printers
# for the end-to-end printing tests: "TintwisePDF", and "TintwiseGreyDefault",
# a colour printer whose jobs come out grey unless they ask for colour (as an
# office printer set to save its colour ink). The system's default printer is
# left alone: the tests name their printer (TintwisePDF through the PRINTER
# environment variable). Exits non-zero, saying why, when CUPS or a printer
# cannot be set up; the printing tests then skip.
set -u

# Setting CUPS up needs root: as root, or through sudo without a password.
run() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo -n "$@"
    else
        echo "$1 needs root, and sudo is not installed" >&2
        return 1
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
if ! lpstat -p TintwiseGreyDefault >/dev/null 2>&1; then
    # The CUPS-PDF driver with a colour mode whose default is grey.
    source_ppd=$(find /usr/share/ppd -name CUPS-PDF_opt.ppd 2>/dev/null | head -n 1)
    if [ -z "$source_ppd" ]; then
        echo "the CUPS-PDF driver file is not installed" >&2
        exit 1
    fi
    ppd=$(mktemp --suffix=.ppd)
    trap 'rm -f "$ppd"' EXIT
    {
        cat "$source_ppd"
        cat <<'PPD'
*OpenUI *ColorModel/Color Mode: PickOne
*OrderDependency: 10 AnySetup *ColorModel
*DefaultColorModel: Gray
*ColorModel Gray/Grayscale: "<</cupsColorOrder 0/cupsColorSpace 0>>setpagedevice"
*ColorModel RGB/Color: "<</cupsColorOrder 0/cupsColorSpace 1>>setpagedevice"
*CloseUI: *ColorModel
PPD
    } >"$ppd"
    chmod 644 "$ppd"
    run lpadmin -p TintwiseGreyDefault -v cups-pdf:/ -E -P "$ppd" 2>/dev/null \
        || { echo "the TintwiseGreyDefault printer could not be added" >&2; exit 1; }
fi
echo "CUPS is running with the TintwisePDF and TintwiseGreyDefault printers"
