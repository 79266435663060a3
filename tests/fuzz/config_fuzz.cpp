// Arbitrary bytes as ./game.config: every line comes back once, in order,
// with its first '=' turned into ':' (or doubled around a ':' when it has
// none), and nothing else changes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    std::ostringstream out;
    echoConfiguration(in, out);
    const std::string echoed = out.str();

    std::size_t inAt = 0;
    std::size_t outAt = 0;
    while (inAt < text.size()) {
        std::size_t end = text.find('\n', inAt);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(inAt, end - inAt);
        const std::size_t split = line.find('=');
        std::string expected = line;
        if (split == std::string::npos) {
            expected += ":" + line;
        } else {
            expected[split] = ':';
        }
        expected += '\n';
        if (echoed.compare(outAt, expected.size(), expected) != 0) {
            std::abort();
        }
        outAt += expected.size();
        inAt = end + 1;
    }
    if (outAt != echoed.size()) {
        std::abort();
    }
    return 0;
}
