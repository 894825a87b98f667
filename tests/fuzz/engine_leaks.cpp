// SpiderMonkey (the builder's code check) keeps what it allocates reachable
// from its own garbage-collected heap, which LeakSanitizer does not scan:
// every such block would look lost.
extern "C" const char* __lsan_default_suppressions() { return "leak:libmozjs-102.so\n"; }
