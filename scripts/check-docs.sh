#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a file under docs/ is referenced nowhere else in the repository
# (by its path or its name), so scratch files do not pile up there.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only a git checkout knows which files belong to the repository.
git rev-parse --is-inside-work-tree >/dev/null 2>&1 || exit 0

unreferenced=0
while IFS= read -r file; do
  name=$(basename "$file")
  if ! git ls-files -z | grep -zv -x -F "$file" | xargs -0 grep -q -F -e "$name" --; then
    echo "docs: $file is referenced nowhere" >&2
    unreferenced=1
  fi
done < <(git ls-files docs)
exit "$unreferenced"
