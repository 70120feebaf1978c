#include <gtest/gtest.h>

#include "tests/support/TestEnvironment.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    zemora::test::isolateUserDirs();
    return RUN_ALL_TESTS();
}
