#!/usr/bin/env bash
# Saves what quorvane-cli prints for a fixed set of cases, or compares it with what was saved, so that a
# change meant to leave every output as it was can be checked byte for byte.
#
#   scripts/compare-outputs.sh save  DIR [BUILD]   # writes DIR/cases.txt and one file per output
#   scripts/compare-outputs.sh check DIR [BUILD]   # runs the same cases again and diffs them with DIR
#
# BUILD is the build tree (default: build). The cases vary every input (latitude, longitude, zone, day,
# azimuth, slope, altitude, colour, glass, sun method) from a fixed seed; each case is printed as CSV
# with its header lines, as each page's clipboard text, as its peaks, and as the working behind one
# hour as text and as JSON; --help once. The first cases also give the design year, the nine facades and the
# report, whose PDF is compared as its text (pdftotext).
set -euo pipefail

mode=${1:-}
dir=${2:-}
build=${3:-build}
[[ ($mode == save || $mode == check) && -n $dir ]] || { sed -n '4,5p' "$0" >&2; exit 2; }
cli="$(cd "$build" && pwd)/tools/quorvane-cli/quorvane-cli"
[[ -x $cli ]] || { echo "no $cli: build first" >&2; exit 2; }
command -v pdftotext >/dev/null || { echo "pdftotext is missing (poppler-utils)" >&2; exit 2; }

cases=300
report_cases=12
wide_cases=20

# One case per line: its number, then its options.
make_cases() {
    awk -v n="$cases" 'BEGIN {
        srand(26);
        for (i = 0; i < n; i++) {
            lat = int(rand() * 1780 - 890) / 10;
            lon = int(rand() * 3600 - 1800) / 10;
            zone = int(rand() * 104 - 48) * 3.75;
            day = 1 + int(rand() * 365);
            if (i % 7 == 3) day += 0.5;
            azi = int(rand() * 720 - 360);
            slope = int(rand() * 181);
            alt = int(rand() * 3000 - 100);
            colour = (i % 2) ? "dark" : "light";
            gh = 0.5 + int(rand() * 30) / 10; gw = 0.5 + int(rand() * 30) / 10; gd = int(rand() * 10) / 10;
            sun = (i % 5 == 4) ? "--sun precise --sun-year " (1950 + i % 100) : "--sun published";
            printf "%03d --latitude %g --longitude %g --timezone %g --day %g --azimuth %g --slope %g --altitude %g --colour %s --glass-height %g --glass-width %g --glass-depth %g %s\n",
                   i, lat, lon, zone, day, azi, slope, alt, colour, gh, gw, gd, sun;
        }
    }'
}

# Runs the CLI; the file holds its output, then its exit status and its stderr.
run() {
    local out=$1; shift
    local status=0
    "$cli" "$@" >"$out" 2>"$out.err" || status=$?
    { echo "--- exit $status"; cat "$out.err"; } >>"$out"
    rm -f "$out.err"
}

one_case() {
    local id=$1; shift
    local d=$work/$id
    mkdir -p "$d"
    # Relative names, so no message holds the temporary folder's name.
    cd "$d"
    run "csv" "$@" --csv --csv-meta
    local page
    for page in angles solar solair local window; do run "table-$page" "$@" --table "$page"; done
    run "peaks" "$@" --peaks
    # The first computed hour, else 12 (which then gives the error text).
    local hour
    hour=$(awk -F, 'NR > 1 && !/^#/ && $NF == 1 { print $1; exit }' "csv")
    hour=${hour:-12}
    run "explain" "$@" --explain "$hour"
    run "explain-json" "$@" --explain "$hour" --json
    local n=$((10#$id))
    if ((n < wide_cases)); then
        run "year" "$@" --year
        run "orientations" "$@" --orientations
    fi
    if ((n < report_cases)); then
        run report.status "$@" --report report.pdf --letterhead-folder ../no-letterhead
        pdftotext -layout report.pdf report.txt && rm -f report.pdf
    fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/no-letterhead"
make_cases >"$work/cases.txt"
export -f run one_case
export cli work wide_cases report_cases
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
# Two at a time: the machine is shared.
xargs -P 2 -L 1 bash -c 'one_case "$@"' _ <"$work/cases.txt"
run "$work/help" --help
rmdir "$work/no-letterhead"

if [[ $mode == save ]]; then
    rm -rf "$dir"
    mkdir -p "$dir"
    cp -r "$work"/. "$dir"/
    echo "saved $(find "$dir" -type f | wc -l) files of $cases cases in $dir"
else
    if diff -r "$dir" "$work" >"$work.diff"; then
        echo "identical: $(find "$dir" -type f | wc -l) files of $cases cases"
        rm -f "$work.diff"
    else
        head -50 "$work.diff"
        echo "DIFFERENT: $(grep -c '^diff ' "$work.diff" || true) files differ (whole diff: $work.diff)" >&2
        exit 1
    fi
fi
