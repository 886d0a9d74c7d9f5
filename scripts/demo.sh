#!/usr/bin/env bash
# Builds the engine and runs the main job on the bundled demo application, without windows:
# a procedure seeds the demo's customers, items and invoices through the save pipeline (whose
# relation updates keep stock and balances), a second procedure recomputes every customer's
# balance from the invoices and writes a summary, and orvale-db shows and checks the files.
# Each run starts from empty data files, so it can be repeated.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=scripts/packages.sh
source scripts/packages.sh
ensure_packages

build=${ORVALE_DEMO_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target orvale orvale-db
bin=$(pwd)/$build
app=$(pwd)/apps/demo

find "$app/datas" -mindepth 1 ! -name .gitkeep -delete
cd "$app/datas"
for procedure in SEED.PRX BALANCES.PRX; do
  echo "== orvale: PrcExec $procedure"
  "$bin/orvale" /APNAME:DE "/DPATH:$app/data" "/RUN:'PrcExec $procedure'"
done
echo "== balances.txt"
cat balances.txt
echo "== items (stock after the invoice lines)"
"$bin/orvale-db" --app "$app" dump items
echo "== orvale-db check"
"$bin/orvale-db" --app "$app" check
