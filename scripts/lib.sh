# What the scripts share; sourced, never run. Sets $root (the project's
# folder) and gives the steps every script repeats.
#   . "$(dirname "$0")/lib.sh"

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The normal build folder; scripts/sanitize, scripts/fuzz and scripts/package
# keep their own beside it.
build=${TALLOMAR_BUILD_DIR:-$root/build}
# One compile per core, unless told otherwise.
jobs=${TALLOMAR_JOBS:-$(nproc)}

# tallomar_configure FOLDER SOURCE [CMAKE ARGUMENTS...]
# Configures FOLDER from SOURCE with the given arguments, unless it was
# configured with exactly these (and the same compilers and ccache) before.
# A folder configured otherwise is configured afresh, never reused silently:
# objects built with other flags would be linked with the new ones.
tallomar_configure() {
  local folder=$1 source=$2
  shift 2
  local stamp_file=$folder/tallomar-configure.stamp
  local stamp
  stamp=$(printf '%s\n' "source=$source" "CC=${CC:-}" "CXX=${CXX:-}" "ccache=$(command -v ccache || true)" "$@")
  if [ -f "$folder/build.ninja" ] && [ -f "$stamp_file" ] && [ "$(cat "$stamp_file")" = "$stamp" ]; then
    return 0
  fi
  local fresh=()
  if [ -f "$folder/CMakeCache.txt" ]; then
    echo "$(basename "$0"): $folder was configured otherwise; configuring it afresh"
    fresh=(--fresh)
  fi
  rm -f "$stamp_file"
  cmake "${fresh[@]}" -S "$source" -B "$folder" -G Ninja "$@" >/dev/null
  printf '%s\n' "$stamp" >"$stamp_file"
}

# tallomar_build FOLDER [CMAKE --build ARGUMENTS...]
tallomar_build() {
  local folder=$1
  shift
  cmake --build "$folder" --parallel "$jobs" "$@"
}

# The sanitizers' settings for tests and fuzzers: any report fails the run,
# leaks included; leaks inside Qt's plugins, fontconfig and the system
# libraries only are suppressed (scripts/lsan.supp), never ours.
tallomar_sanitizer_env() {
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp:print_suppressions=0}
}

# Tests and fuzzers run without a display.
tallomar_headless() {
  export QT_QPA_PLATFORM=offscreen
}
