// Standard output line by line: every byte still reaches the console at
// once and unchanged, and each line also goes to a handler (the window's
// messages). A text flushed without its newline counts as a line of its own;
// a carriage return starts its line over, as on a terminal, unless a newline
// follows it. The handler gets at most the first kLongestLine bytes of a
// line, then "...": a text that never ends its line costs no more than that.
#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <streambuf>
#include <string>

class LineSplitter : public std::streambuf {
  public:
    static constexpr std::size_t kLongestLine = 1024;

    using LineHandler = std::function<void(const std::string&)>;

    LineSplitter(std::streambuf* console, LineHandler onLine);

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

  private:
    void take(char c);
    void endLine();

    std::streambuf* console_;
    LineHandler onLine_;
    std::string pending_;
    bool cut_ = false;         // the line was longer than pending_ holds
    bool afterReturn_ = false; // the last character was a carriage return
};

// Puts a splitter behind std::cout that hands every line to `onLine`.
void startConsoleCapture(LineSplitter::LineHandler onLine);

// Gives std::cout its own buffer back.
void stopConsoleCapture();

// Standard output past the splitter, for what the window shows otherwise
// (the statistics report, which is the status).
std::ostream& uncapturedConsole();
