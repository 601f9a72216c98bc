extern "C" __attribute__((visibility("default"))) int some_other_library_function() { return 0; }
