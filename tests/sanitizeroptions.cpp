// Defaults for the sanitizer build of the tests (the environment's ASAN_OPTIONS add to them).
//
// The leak checker of this toolchain tracks dynamic TLS blocks through __tls_get_addr and can
// take a block of the dynamically loaded GL driver's threads for an old glibc layout; its scan
// at exit then reads an invalid range and dies ("Tracer caught signal 11"), depending only on
// where the blocks happened to land. Not tracking those blocks avoids that; the driver's own
// allocations are suppressed anyway.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
