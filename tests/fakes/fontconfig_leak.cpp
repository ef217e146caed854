// fontconfig 2.14 loses 288 bytes in FcInit itself, once per process; LeakSanitizer
// would fail every test that looks for a font for it. Linked into the programs that
// do.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
