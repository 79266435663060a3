// The machine a benchmark runs on, printed with its figures so that two
// machines' figures can be told apart from a regression: the CPU model,
// the cores online and the load average when the run starts.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace bench {

// The first "model name" of /proc/cpuinfo, or "unknown CPU".
inline std::string cpuModel() {
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    while (std::getline(info, line)) {
        const std::size_t colon = line.find(':');
        if (line.rfind("model name", 0) == 0 && colon != std::string::npos) {
            return line.substr(line.find_first_not_of(" \t", colon + 1));
        }
    }
    return "unknown CPU";
}

// The 1, 5 and 15 minute load averages of /proc/loadavg.
inline std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return file ? one + " " + five + " " + fifteen : "unknown";
}

inline std::string machineLine() {
    std::ostringstream line;
    line << "machine: " << cpuModel() << ", " << std::thread::hardware_concurrency()
         << " cores, load average " << loadAverage();
    return line.str();
}

} // namespace bench
