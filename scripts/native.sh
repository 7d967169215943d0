# Sourced: configures and builds the host build of the core (clang, with the
# sanitizers and the fuzz targets) into $native. Fails with a one-line reason.
native=${HOLM_NATIVE_DIR:-$top/build/native}
build_native() {
  bash "$top/scripts/fetch-libjpeg.sh" || { echo "native: the libjpeg sources could not be fetched" >&2; return 1; }
  if [ ! -f "$native/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$top" -B "$native" -G Ninja >/dev/null \
      || { echo "native: cmake could not configure the host build in $native" >&2; return 1; }
  fi
  cmake --build "$native" || { echo "native: the host build failed (errors above)" >&2; return 1; }
}
