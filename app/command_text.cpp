#include "app/command_text.h"

#include <cctype>

namespace {

std::string cap(int key) {
    return "[" + keyLabel(key) + "]";
}

std::string modifierCaps(Modifiers modifiers) {
    std::string caps;
    const std::pair<ModifierBit, int> order[] = {
        {kCtrlBit, Key::LeftCtrl}, {kShiftBit, Key::LeftShift}, {kAltBit, Key::LeftAlt}};
    for (const auto& [bit, key] : order) {
        if (modifiers.down & bit) {
            caps += cap(key) + " + ";
        }
    }
    return caps;
}

// A run of more than three keys is written first…last; two keys are
// alternatives, "[R] / [F]"; other keys stand side by side.
std::string keyCaps(const std::vector<KeySpan>& spans) {
    if (spans.size() == 1 && spans[0].last - spans[0].first > 2) {
        return cap(spans[0].first) + "…" + cap(spans[0].last);
    }
    std::vector<int> keys;
    for (const KeySpan& span : spans) {
        for (int key = span.first; key <= span.last; ++key) {
            keys.push_back(key);
        }
    }
    const char* const join = keys.size() == 2 ? " / " : " ";
    std::string caps;
    for (const int key : keys) {
        caps += (caps.empty() ? "" : join) + cap(key);
    }
    return caps;
}

std::string controlsOf(std::span<const KeyCommand> rows) {
    const KeyCommand& first = rows.front();
    if (first.stage == Stage::Mouse) {
        return first.mouse;
    }
    std::vector<KeySpan> spans;
    for (const KeyCommand& row : rows) {
        spans.push_back(row.keys);
    }
    const std::string tap = first.stage == Stage::DoubleTap ? "  twice quickly" : "";
    return modifierCaps(first.modifiers) + keyCaps(spans) + tap;
}

// Key caps in backticks, mouse actions as words: "`Ctrl` + right click".
std::string markdownControls(const std::string& controls) {
    std::string text;
    bool mouseStart = false;
    for (const char c : controls) {
        if (c == '[' || c == ']') {
            text += '`';
        } else if (c != '{' && c != '}') {
            text += mouseStart ? static_cast<char>(std::tolower(c)) : c;
        }
        mouseStart = c == '{';
    }
    return text;
}

} // namespace

std::vector<CommandLine> commandLines() {
    const std::span<const KeyCommand> rows = keyCommands();
    std::vector<CommandLine> lines;
    for (std::size_t begin = 0; begin < rows.size();) {
        std::size_t end = begin + 1;
        while (end < rows.size() && *rows[end].words == '\0') {
            ++end;
        }
        const KeyCommand& first = rows[begin];
        lines.push_back({first.group, controlsOf(rows.subspan(begin, end - begin)), first.words});
        begin = end;
    }
    return lines;
}

const char* groupTitle(Group group) {
    switch (group) {
    case Group::Camera:
        return "Camera";
    case Group::Selection:
        return "Selection and orders";
    case Group::ControlGroups:
        return "Control groups";
    case Group::Display:
        return "Display";
    case Group::Game:
        return "Game";
    }
    return "";
}

std::string keyLabel(int key) {
    switch (key) {
    case Key::Escape:
        return "Esc";
    case Key::Enter:
        return "Enter";
    case Key::Space:
        return "Space";
    case Key::Tab:
        return "Tab";
    case Key::PageUp:
        return "PgUp";
    case Key::PageDown:
        return "PgDn";
    case Key::Up:
        return "↑";
    case Key::Down:
        return "↓";
    case Key::Left:
        return "←";
    case Key::Right:
        return "→";
    case Key::KeypadAdd:
        return "Num +";
    case Key::KeypadSubtract:
        return "Num −";
    case Key::LeftCtrl:
        return "Ctrl";
    case Key::LeftShift:
        return "Shift";
    case Key::LeftAlt:
        return "Alt";
    default:
        break;
    }
    if (key >= Key::F1 && key < Key::Up) {
        return "F" + std::to_string(key - Key::F1 + 1);
    }
    if (key >= Key::keypad(0) && key <= Key::keypad(9)) {
        return "Num " + std::to_string(key - Key::keypad(0));
    }
    return std::string(1, static_cast<char>(key));
}

std::vector<std::string> readmeControlsTable() {
    std::vector<std::string> table{"| Input | Action |", "|---|---|"};
    for (int g = 0; g <= static_cast<int>(Group::Game); ++g) {
        const Group group = static_cast<Group>(g);
        table.push_back("| **" + std::string(groupTitle(group)) + "** | |");
        for (const CommandLine& line : commandLines()) {
            if (line.group == group) {
                table.push_back("| " + markdownControls(line.controls) + " | " + line.words + " |");
            }
        }
    }
    return table;
}
