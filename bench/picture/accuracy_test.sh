#!/usr/bin/env bash
# Scores a stand-in helper that answers what each picture file says, so every outcome of a
# reading is counted once: exact, a wrong and an invented digit, a `?`, no grid, a crash; and the
# held-out photos are picked by numeric order (image100 after image30).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/shots" "$work/photos"

cat >"$work/helper" <<'EOF'
#!/bin/sh
read -r answer
[ "$answer" = crash ] && exit 1
echo "$answer"
EOF
chmod +x "$work/helper"

truth="1 2 3 0 0 0 0 0 0"
dots=$(printf '.%.0s' {1..78})
picture() { # FILE ANSWER STYLE
    echo "$2" >"$1"
    {
        printf '%s\n1x1\n%s\n' "${3:-camera}" "$truth"
        for _ in {1..8}; do echo "0 0 0 0 0 0 0 0 0"; done
    } >"${1%.*}.dat"
}
picture "$work/shots/a.png" "cells 123$dots" "style: page"
picture "$work/shots/b.png" "cells 1?4.5${dots:3}" "style: page"
picture "$work/shots/c.png" "nogrid" "style: dark"
picture "$work/shots/d.jpg" "crash" "style: dark"
for n in 1 2 3 10 11 20 30 100; do
    case $n in 10 | 100) answer="cells 123$dots" ;; *) answer=crash ;; esac
    picture "$work/photos/image$n.jpg" "$answer"
done

"$here/accuracy.sh" "$work/helper" "$work/photos" "$work/shots" | tail -n +2 |
    awk '{ $1 = $1; print }' >"$work/have"
cat >"$work/want" <<'EOF'
page 2 1 2 1 0 0
dark 2 0 0 6 1 1
screenshots 4 1 2 7 1 1
photos 2 2 0 0 0 0
EOF
diff -u "$work/want" "$work/have" && echo "accuracy_test: ok"
