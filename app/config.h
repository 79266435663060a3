// The configuration file is echoed at start-up, one "key:value" line per
// line of the file, and otherwise ignored.
#pragma once

#include <iosfwd>
#include <string>

// Splits a line at its first '='; a line without one is both key and value.
std::string formatConfigLine(const std::string& line);

// Echoes every line of the file; a file that cannot be opened prints nothing.
void echoConfiguration(const std::string& path, std::ostream& out);

// The same for text already open: every line is read first, then echoed.
void echoConfiguration(std::istream& in, std::ostream& out);

// Echoes ./game.config to standard output.
void loadConfiguration();
