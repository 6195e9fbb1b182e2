#pragma once

class QWidget;

namespace quelvaris {

// Gives `window`, just shown, the keyboard, as the program must start with it
// on "Calcular": most desktops map a tool window without it, and a
// keyboard-only or blind user has no other way in. The request is repeated
// every 100 ms through the first second, then until the window has the
// keyboard, for at most 3 s: GNOME Shell on Wayland gives a request that
// comes before it has paired the X11 window with its Wayland surface X11's
// focus only, and the pairing happens a moment after the window shows, at no
// event the program sees. The requests end at once when the user presses a
// key or clicks anywhere in the program, or another window of the program
// (the help, opened with F1) is the active one: they never take the
// keyboard from where the user put it. The timer that repeats them is
// called "keyboardAtStart" and is gone once they end.
void takeKeyboardAtStart(QWidget* window);

}  // namespace quelvaris
