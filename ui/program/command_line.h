#pragma once

#include <QStringList>
#include <optional>

namespace quelvaris {

// Reads the program's command line, after Qt has taken its own options
// (-platform, -style, ...) out of it:
//   quelvaris             -> nullopt: start the windows
//   quelvaris --version   -> prints "Quelvaris 1.00", 0
//   quelvaris --help      -> prints a short usage in Spanish, 0
//   quelvaris --otra      -> says in Spanish what is wrong, on stderr, 2
// The exit status is returned when the program must end at once.
std::optional<int> handleCommandLine(const QStringList& arguments);

}  // namespace quelvaris
