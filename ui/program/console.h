#pragma once

// What the program says on the console it was started from, on every
// platform, and how it lets go of that console on Windows.

#include <cstdio>

class QString;

namespace quelvaris {

// Writes `text` to `stream` (stdout or stderr) for the user to read:
// - to a console as UTF-16, so that "versión" shows whatever the console's
//   code page (Windows), or as UTF-8 (elsewhere);
// - to a file or a pipe as UTF-8;
// - on Windows, a desktop program, with no stream at all: to the console it
//   was started from, if any, attached only for this and let go at once.
void writeToUser(std::FILE* stream, const QString& text);

// On Windows, started by quelvaris.com from a console, which waits for the
// program's answer: tells it, before the windows open, that there is none,
// and closes the program's standard streams, so that the console gets its
// prompt back. Elsewhere nothing is done.
void releaseStartingConsole();

}  // namespace quelvaris
