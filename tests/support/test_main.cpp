// Entry of the test program.
#include <gtest/gtest.h>

#include "test_support.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ResetTestSession();
    return RUN_ALL_TESTS();
}
