# The fuzz targets, each a LLVMFuzzerTestOneInput over one part of the Qt-free code, with its
# seed inputs in corpus/<name>. The including project defines zoltrek_add_fuzzer(<name> <libs>):
# libFuzzer's build (fuzz/) or the replay of the corpora under the sanitizers (tests/sanitized/).
zoltrek_add_fuzzer(textnum zoltrek_journal)
zoltrek_add_fuzzer(load zoltrek_journal)
zoltrek_add_fuzzer(rewrite zoltrek_journal zoltrek_test_support)
# The controls' fuzzers drive them through the same fakes as their tests.
zoltrek_add_fuzzer(datetime zoltrek_datetime_core zoltrek_test_support)
zoltrek_add_fuzzer(xpb zoltrek_xpb_core zoltrek_test_support)
