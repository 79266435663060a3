#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/config.h"

namespace {

std::string echoOf(const std::string& contents) {
    const std::string path = ::testing::TempDir() + "vorlaxis_config_test.config";
    {
        std::ofstream file(path, std::ios::binary);
        file << contents;
    }
    std::ostringstream out;
    echoConfiguration(path, out);
    std::remove(path.c_str());
    return out.str();
}

TEST(ConfigEchoTest, SplitsAtTheFirstEqualsSignOnly) {
    EXPECT_EQ(echoOf("a=1\n"), "a:1\n");
    EXPECT_EQ(echoOf("a=b=c\n"), "a:b=c\n");
    EXPECT_EQ(echoOf("=value\nkey=\n"), ":value\nkey:\n");
}

TEST(ConfigEchoTest, LineWithoutEqualsSignIsBothKeyAndValue) {
    EXPECT_EQ(echoOf("abc\n"), "abc:abc\n");
}

TEST(ConfigEchoTest, KeepsSpacesAndEmptyLinesInTheMiddle) {
    EXPECT_EQ(echoOf(" key = value \n\nlast=1\n"), " key : value \n:\nlast:1\n");
}

TEST(ConfigEchoTest, LastLineCountsWithoutNewlineButNoTrailingEmptyLine) {
    EXPECT_EQ(echoOf("a=1\nb=2"), "a:1\nb:2\n");
    EXPECT_EQ(echoOf("a=1\n"), "a:1\n");
    EXPECT_EQ(echoOf(""), "");
}

TEST(ConfigEchoTest, MissingFilePrintsNothing) {
    std::ostringstream out;
    echoConfiguration(::testing::TempDir() + "no_such_dir/game.config", out);
    EXPECT_EQ(out.str(), "");
}

} // namespace
