#pragma once

// Sanitizer settings for the programs of the tests that open an X display; the environment's
// ASAN_OPTIONS (scripts/test) still set every other flag. Include in exactly one file of a
// program.
extern "C" const char* __asan_default_options()
{
    return "suppressions=" GLOSSIVO_ASAN_SUPPRESSIONS;
}
