#include "render/obj_screen.h"

#include <charconv>
#include <cstdlib>
#include <vector>

namespace {

struct Counts {
    long positions = 0;
    long texCoords = 0;
    long normals = 0;
};

bool isPlainCharacter(char c) {
    return c == '\t' || c == '\r' || (c >= ' ' && c <= '~');
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            ++i;
        }
        if (i > start) {
            result.push_back(line.substr(start, i - start));
        }
    }
    return result;
}

bool isNumber(std::string_view word) {
    float value = 0.0f;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc{} && end == word.data() + word.size();
}

bool numbersBetween(const std::vector<std::string_view>& line, std::size_t least,
                    std::size_t most) {
    const std::size_t count = line.size() - 1;
    if (count < least || count > most) {
        return false;
    }
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (!isNumber(line[i])) {
            return false;
        }
    }
    return true;
}

// One face index: 1-based, or negative counting back from the last one.
bool isIndexOf(std::string_view word, long count) {
    long value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size()) {
        return false;
    }
    return (value >= 1 && value <= count) || (value < 0 && -value <= count);
}

// "v", "v/t", "v//n" or "v/t/n", each naming an element already read.
bool isFaceCorner(std::string_view corner, const Counts& counts) {
    const std::size_t first = corner.find('/');
    if (first == std::string_view::npos) {
        return isIndexOf(corner, counts.positions);
    }
    const std::size_t second = corner.find('/', first + 1);
    const std::string_view texture = corner.substr(
        first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1);
    const bool textureOk =
        texture.empty() ? second != std::string_view::npos : isIndexOf(texture, counts.texCoords);
    const bool normalOk =
        second == std::string_view::npos || isIndexOf(corner.substr(second + 1), counts.normals);
    return isIndexOf(corner.substr(0, first), counts.positions) && textureOk && normalOk;
}

// A face needs three corners, a stray line element two.
bool hasCorners(const std::vector<std::string_view>& line, std::size_t least,
                const Counts& counts) {
    if (line.size() < least + 1) {
        return false;
    }
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (!isFaceCorner(line[i], counts)) {
            return false;
        }
    }
    return true;
}

bool isPlainLine(const std::vector<std::string_view>& line, Counts& counts) {
    if (line.empty() || line[0].front() == '#') {
        return true;
    }
    const std::string_view keyword = line[0];
    if (keyword == "v" && numbersBetween(line, 3, 4)) {
        ++counts.positions;
        return true;
    }
    if (keyword == "vt" && numbersBetween(line, 1, 3)) {
        ++counts.texCoords;
        return true;
    }
    if (keyword == "vn" && numbersBetween(line, 3, 3)) {
        ++counts.normals;
        return true;
    }
    if (keyword == "f") {
        return hasCorners(line, 3, counts);
    }
    if (keyword == "l") { // stray lines: the importer skips them
        return hasCorners(line, 2, counts);
    }
    if (keyword == "usemtl") {
        return line.size() == 2;
    }
    return keyword == "o" || keyword == "g" || keyword == "s";
}

} // namespace

bool isPlainObjModel(std::string_view text) {
    Counts counts;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(start, end - start);
        for (const char c : line) {
            if (!isPlainCharacter(c)) {
                return false;
            }
        }
        if (!isPlainLine(words(line), counts)) {
            return false;
        }
        start = end + 1;
    }
    return counts.positions > 0;
}
