#include "render/obj_screen.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace {

struct Counts {
    long positions = 0;
    long texCoords = 0;
    long normals = 0;
};

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
    return error == std::errc{} && end == word.data() + word.size() && std::isfinite(value);
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
    // Compared without negating: the smallest long has no positive twin.
    return (value >= 1 && value <= count) || (value < 0 && value >= -count);
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

// A name the ships do not read, written with plain characters only.
void appendName(std::string& out, std::string_view name) {
    out += ' ';
    for (const char c : name) {
        out += c >= ' ' && c <= '~' ? c : '_';
    }
}

void appendLine(std::string& out, const std::vector<std::string_view>& line, std::size_t count) {
    out += line[0];
    for (std::size_t i = 1; i < count; ++i) {
        appendName(out, line[i]);
    }
    out += '\n';
}

// Checks one statement and passes on what the ships use; empty when fine,
// otherwise what is wrong with it.
std::string_view screenLine(const std::vector<std::string_view>& line, Counts& counts,
                            std::string& out) {
    const std::string_view keyword = line[0];
    if (keyword == "v") {
        // x y z, x y z w, or either followed by a vertex colour, dropped here.
        const std::size_t numbers = line.size() - 1;
        if (!numbersBetween(line, 3, 7) || numbers == 5) {
            return "malformed vertex";
        }
        ++counts.positions;
        appendLine(out, line, numbers >= 6 ? numbers - 2 : numbers + 1);
    } else if (keyword == "vt" || keyword == "vn") {
        const bool normal = keyword == "vn";
        if (!numbersBetween(line, normal ? 3 : 1, 3)) {
            return "malformed texture coordinate or normal";
        }
        ++(normal ? counts.normals : counts.texCoords);
        appendLine(out, line, line.size());
    } else if (keyword == "f" || keyword == "l") { // stray lines: the importer skips them
        if (!hasCorners(line, keyword == "f" ? 3 : 2, counts)) {
            return "face or line naming no such vertex";
        }
        appendLine(out, line, line.size());
    } else if (keyword == "usemtl") {
        if (line.size() != 2) {
            return "malformed material name";
        }
        appendLine(out, line, line.size());
    } else if (keyword == "o" || keyword == "g" || keyword == "s") {
        appendLine(out, line, line.size());
    }
    return {};
}

} // namespace

ObjScreening screenObjModel(std::string_view text) {
    ObjScreening result;
    Counts counts;
    const std::string_view byteOrderMark = "\xef\xbb\xbf";
    std::size_t start = text.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
    for (int number = 1; start < text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::vector<std::string_view> line = words(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0].front() == '#') {
            continue;
        }
        const std::string_view fault = screenLine(line, counts, result.model);
        if (!fault.empty()) {
            result.refusal = "line " + std::to_string(number) + ": " + std::string(fault);
            result.model.clear();
            return result;
        }
    }
    if (counts.positions == 0) {
        result.refusal = "no vertex positions";
    }
    return result;
}
