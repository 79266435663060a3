#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/config.h"

namespace {

TEST(ConfigEchoTest, EveryLineSplitsAtItsFirstEqualsSign) {
    const std::pair<std::string, std::string> cases[] = {
        {"a=1\n", "a:1\n"},
        {"a=b=c\n", "a:b=c\n"},
        {"=value\nkey=\n", ":value\nkey:\n"},
        {"abc\n", "abc:abc\n"}, // no '=': both key and value
        {" key = value \n\nlast=1\n", " key : value \n:\nlast:1\n"},
        {"a=1\nb=2", "a:1\nb:2\n"}, // the last line counts without a newline
        {"", ""},
    };
    for (const auto& [text, echo] : cases) {
        std::istringstream in(text);
        std::ostringstream out;
        echoConfiguration(in, out);
        EXPECT_EQ(out.str(), echo) << text;
    }
}

} // namespace
