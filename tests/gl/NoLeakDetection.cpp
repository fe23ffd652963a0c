// Linked only into the binary of the suites that make a GL context: Mesa's driver leaks inside
// modules it unloads, which LeakSanitizer cannot suppress by name.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
