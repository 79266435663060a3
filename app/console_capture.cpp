#include "app/console_capture.h"

#include <iostream>
#include <memory>

namespace {

std::unique_ptr<LineSplitter> splitter;
std::streambuf* consoleBuffer = nullptr;

} // namespace

LineSplitter::LineSplitter(std::streambuf* console, LineHandler onLine)
    : console_(console), onLine_(std::move(onLine)) {}

LineSplitter::int_type LineSplitter::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    take(traits_type::to_char_type(c));
    return console_->sputc(traits_type::to_char_type(c));
}

std::streamsize LineSplitter::xsputn(const char* text, std::streamsize count) {
    for (std::streamsize i = 0; i < count; ++i) {
        take(text[i]);
    }
    return console_->sputn(text, count);
}

int LineSplitter::sync() {
    endLine();
    return console_->pubsync();
}

void LineSplitter::take(char c) {
    if (c == '\n') {
        endLine();
        return;
    }
    if (afterReturn_) {
        pending_.clear();
        cut_ = false;
    }
    afterReturn_ = c == '\r';
    if (afterReturn_) {
        return;
    }
    if (pending_.size() < kLongestLine) {
        pending_ += c;
    } else {
        cut_ = true;
    }
}

// Empty lines, such as the newline that starts many of the game's texts,
// show nothing.
void LineSplitter::endLine() {
    if (cut_) {
        pending_ += "...";
    }
    if (!pending_.empty()) {
        onLine_(pending_);
    }
    pending_.clear();
    cut_ = false;
    afterReturn_ = false;
}

void startConsoleCapture(LineSplitter::LineHandler onLine) {
    stopConsoleCapture();
    consoleBuffer = std::cout.rdbuf();
    splitter = std::make_unique<LineSplitter>(consoleBuffer, std::move(onLine));
    std::cout.rdbuf(splitter.get());
}

void stopConsoleCapture() {
    if (splitter != nullptr) {
        std::cout.flush();
        std::cout.rdbuf(consoleBuffer);
        splitter.reset();
    }
}

std::ostream& uncapturedConsole() {
    static std::ostream direct(nullptr);
    if (splitter == nullptr) {
        return std::cout;
    }
    direct.copyfmt(std::cout);
    direct.rdbuf(consoleBuffer);
    return direct;
}
