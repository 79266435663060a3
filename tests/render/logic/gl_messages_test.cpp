// What the game prints about an old GL context.
#include <sstream>

#include <gtest/gtest.h>

#include "render/gl_check.h"

namespace {

TEST(GLVersionTest, RefusesContextsOlderThanThreeTwoAndAcceptsLaterOnesSilently) {
    std::ostringstream errors;
    EXPECT_FALSE(checkGLVersion(3, 1, errors));
    EXPECT_EQ(errors.str(), "Error: OpenGL version 3.2 not supported.\n"
                            "       Your version is 3.1.\n"
                            "       Try updating your graphics driver.\n");
    EXPECT_FALSE(checkGLVersion(2, 9, errors));
    for (const auto& [major, minor] : {std::pair{3, 2}, {3, 3}, {4, 0}}) {
        std::ostringstream none;
        EXPECT_TRUE(checkGLVersion(major, minor, none)) << major << "." << minor;
        EXPECT_EQ(none.str(), "");
    }
}

} // namespace
