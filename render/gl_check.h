// Checking the GL context at start-up and reporting GL errors.
#pragma once

#include <ostream>

// Refuses contexts older than 3.2 with three lines on standard error; on a
// good context records the two optional extensions in renderState(). The
// game starts anyway.
bool checkGLContext();

// Whether a context of this version will do; if not, writes the three lines
// of the refusal to `errors`.
bool checkGLVersion(int major, int minor, std::ostream& errors);

// Reports the oldest pending GL error, if any, as one line on standard error.
void checkGLError();

// The line checkGLError prints for a GL error code.
const char* glErrorText(unsigned int code);
