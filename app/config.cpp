#include "app/config.h"

#include <fstream>
#include <iostream>
#include <vector>

std::string formatConfigLine(const std::string& line) {
    const std::size_t split = line.find('=');
    if (split == std::string::npos) {
        return line + ":" + line;
    }
    return line.substr(0, split) + ":" + line.substr(split + 1);
}

void echoConfiguration(const std::string& path, std::ostream& out) {
    std::ifstream file(path);
    echoConfiguration(file, out);
}

void echoConfiguration(std::istream& in, std::ostream& out) {
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    for (const std::string& each : lines) {
        out << formatConfigLine(each) << '\n';
    }
}

void loadConfiguration() {
    echoConfiguration("./game.config", std::cout);
}
