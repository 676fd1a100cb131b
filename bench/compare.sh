#!/usr/bin/env bash
# One table of the component's figures beside Windows' own code doing the
# same work, as ratios measured in one run on this machine: the Linux
# benchmarks of bench/ (build/bench/), the Windows benchmark under Wine
# (bench/windows/run.sh, needs root; QUIBOR15_SKIP_WINDOWS=1 leaves it
# out) and, when it is there, bench/script_vs_wine.sh. Each figure is the
# best of several runs (the machine may be shared).
#   bash bench/compare.sh            (QUIBOR15_BUILD_DIR: the Linux build, default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QUIBOR15_BUILD_DIR:-build}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# ---- Linux
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
nice cmake --build "$build" --target bench_locale bench_dispatch -j 2 >&2
# name<TAB>ns: the least real time of seven repetitions.
linux() { # binary filter
  "$build/bench/$1" --benchmark_filter="$2" --benchmark_repetitions=7 --benchmark_format=csv 2>/dev/null |
    awk -F, 'NR > 1 && $1 !~ /_(mean|median|stddev|cv)"?$/ {
      gsub(/"/, "", $1); n = $1; sub(/\/repeats:.*/, "", n)
      t = $3; u = $5; gsub(/"/, "", u)
      f = u == "ms" ? 1e6 : u == "us" ? 1e3 : 1
      if (!(n in best) || t * f < best[n]) best[n] = t * f }
      END { for (n in best) printf "%s\t%.1f\n", n, best[n] }'
}
linux bench_locale 'BM_CatalogueCreation|ListSort100|LocaleCDateDefaultPicture' >"$out/linux.txt"
linux bench_dispatch 'Get$' >>"$out/linux.txt"

# ---- Windows' own code and quibor15.dll under Wine
if [ "${QUIBOR15_SKIP_WINDOWS:-0}" != 1 ]; then
  bash bench/windows/run.sh >"$out/windows.txt" || { echo "the Windows benchmark failed" >&2; : >"$out/windows.txt"; }
else
  : >"$out/windows.txt"
fi

# ---- the table
cat "$out/linux.txt" "$out/windows.txt" | awk -F'\t' '
  NF == 2 { v[$1] = $2 }
  function has(k) { return k in v }
  function t(ns) { return ns >= 1e6 ? sprintf("%.2f ms", ns / 1e6) : ns >= 1e3 ? sprintf("%.2f us", ns / 1e3) : sprintf("%.1f ns", ns) }
  function row(what, a, b, how, goal,   r) {
    if (!has(a) || (b != "" && !has(b))) { printf "| %s | %s | %s | - | %s |\n", what, has(a) ? t(v[a]) : "-", b != "" && has(b) ? t(v[b]) : "-", goal; return }
    if (b == "") { printf "| %s | %s | - | - | %s |\n", what, t(v[a]), goal; return }
    r = how == "faster" ? v[b] / v[a] : v[a] / v[b]
    printf "| %s | %s | %s | %.2fx %s | %s |\n", what, t(v[a]), t(v[b]), r, how, goal
  }
  END {
    print "| What | quibor15 | against | ratio | goal |"
    print "|---|---|---|---|---|"
    row("catalogue creation, database warm (Linux) / the Windows probe", "BM_CatalogueCreation", "windows.catalogue_probe", "as long", "<= 1.0x as long")
    row("catalogue creation, database cold (Linux) / the Windows probe", "BM_CatalogueCreationColdDatabase", "windows.catalogue_probe", "as long", "cold <= 3 ms")
    row("catalogue creation, quibor15.dll / the Windows probe", "quibor15.catalogue_creation", "windows.catalogue_probe", "as long", "-")
    row("ListSort of 100 texts (Linux) / CompareStringA sort", "EnglishLocale/ListSort100", "windows.comparestringa_sort100", "faster", ">= 5x faster")
    row("ListSort of 100 texts, quibor15.dll / CompareStringA sort", "quibor15.listsort100", "windows.comparestringa_sort100", "faster", "-")
    row("LocaleCDate, default picture (Linux)", "EnglishLocale/LocaleCDateDefaultPicture", "", "", "<= 5 us")
    row("late-bound by DISPID / early-bound (Linux)", "LateBoundByDispIdGet", "EarlyBoundGet", "as long", "<= 10x")
    row("late-bound by name / early-bound (Linux)", "LateBoundByNameGet", "EarlyBoundGet", "as long", "<= 25x")
    row("quibor15.dll Invoke by DISPID / DispInvoke", "quibor15.invoke_by_dispid", "windows.invoke_by_dispid", "faster", ">= 5x faster")
    row("quibor15.dll by name / GetIDsOfNames + DispInvoke", "quibor15.invoke_by_name", "windows.invoke_by_name", "faster", ">= 5x faster")
    row("quibor15.dll early-bound / the same on the DispInvoke object", "quibor15.early_bound_get", "windows.early_bound_get", "faster", "-")
  }'

# ---- the script host against Wine's (kept by its own author)
if [ -f bench/script_vs_wine.sh ]; then
  echo
  bash bench/script_vs_wine.sh "$build/host/quibor15" || echo "script_vs_wine.sh failed"
fi
