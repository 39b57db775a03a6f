/*
 * The Wine UI tests' entry: the control window is started once, as the
 * program starts it, and every test then drives that one window.
 */
#include <gtest/gtest.h>

#include <cstdio>

#include "ui_harness_win32.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!StartHarness()) {
        std::fprintf(stderr, "could not start the control window\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    StopHarness();
    return result;
}
