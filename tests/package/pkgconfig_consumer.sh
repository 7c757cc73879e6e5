#!/bin/sh
# Compiles and runs the consumer with the flags pkg-config gives for geoframe.
set -eu
pkgconfig=$1 cxx=$2 prefix=$3 source=$4 out=$5
for dir in "$prefix"/lib*/pkgconfig "$prefix"/lib/*/pkgconfig; do
    [ -d "$dir" ] && PKG_CONFIG_PATH="$dir${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}"
done
export PKG_CONFIG_PATH
flags=$("$pkgconfig" --cflags --libs geoframe)
libdir=$("$pkgconfig" --variable=libdir geoframe)
datadir=$("$pkgconfig" --variable=datadir geoframe)
# shellcheck disable=SC2086
"$cxx" -std=c++17 -o "$out" "$source" $flags -Wl,-rpath,"$libdir" \
    -DGEOFRAME_CONSUMER_DATUM_FILE="\"$datadir/datums.txt\""
"$out"
