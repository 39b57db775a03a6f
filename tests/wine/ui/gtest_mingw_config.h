/*
 * Forced into every file that uses the Wine tests' GoogleTest build. The
 * MinGW toolchain's win32 thread model has no std::mutex, which GoogleTest's
 * thread-safe parts need, so it is built without them; its death tests need
 * those parts on Windows, so they are left out too. The tests use neither.
 */
#pragma once

#include <gtest/internal/gtest-port.h>

#undef GTEST_HAS_DEATH_TEST
#define GTEST_HAS_DEATH_TEST 0
