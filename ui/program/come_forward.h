#pragma once

// Bringing the program's window forward when the user starts the program
// again: its windows have no task-bar button, so the desktops keep them out
// of their task switchers, and starting it again is the user's way back.

#include <QByteArray>

namespace quelvaris {

// What a start of the program carries from the launcher that lets its window
// take the keyboard from another program: the desktops' focus-stealing
// prevention lets a window forward only on the user's recent request, which
// these stand for. X11's startup notification id (its "_TIME" part is when
// the user asked) and Wayland's activation token; either may be empty.
struct StartTokens {
  QByteArray startupId;
  QByteArray activationToken;
};

// The tokens of this start, read from the environment before the
// application object exists (Qt takes X11's out of the environment).
StartTokens tokensOfThisStart();

// From now on, notes which window of the program the user was in last.
void rememberActiveWindow();

// Brings forward the window of the program the user was in last (the main
// window, or the help or about window while open), restored if minimised,
// with the keyboard where it was, at the request of another start whose
// tokens are `tokens`.
void comeForward(const StartTokens& tokens);

}  // namespace quelvaris
