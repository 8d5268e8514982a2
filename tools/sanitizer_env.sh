# Sourced by the scripts that run the AddressSanitizer/UndefinedBehaviorSanitizer
# build: one place for the sanitizer options and the leak suppressions.
sanitizer_repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0${ASAN_EXTRA:+:$ASAN_EXTRA}"
export LSAN_OPTIONS="suppressions=$sanitizer_repo/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Mesa's driver keeps option tables in its own globals for the life of the
# process. GLFW unloads the driver when the game ends, before the leak check,
# which turns that memory into leaks in an unknown module that no suppression
# can name. Loading the driver up front keeps it mapped and its memory
# reachable. Prints the LD_PRELOAD list for the game alone (the sanitizer
# runtime must come first); helper tools such as xdotool must not get it.
gl_driver_preload() {
  local driver
  driver="/usr/lib/$(gcc -print-multiarch)/dri/swrast_dri.so"
  [[ -f $driver ]] && echo "$(gcc -print-file-name=libasan.so):$driver"
  return 0
}
