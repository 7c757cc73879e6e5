#!/bin/sh
# `pip install --no-build-isolation` of the source tree into a fresh prefix, then
# the installed module imported from outside the tree (installed_check.py) with
# its type stubs beside it.
set -eu
source=$1
python=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$python" -m pip install --quiet --no-index --no-deps --no-build-isolation \
    --disable-pip-version-check --root-user-action=ignore --prefix "$prefix" "$source"
module=$(find "$prefix" -name '_geoframe.*.so' | head -n 1)
package=$(dirname "$module")
site=$(dirname "$package")
test -f "$package/__init__.pyi" && test -f "$package/py.typed"
cd /
PYTHONPATH=$site "$python" "$source/tests/python/installed_check.py" "$prefix"
