#pragma once

class QApplication;

namespace quelvaris {

// What the program settles once its application object exists and before
// its first window: Qt's own texts in Spanish, the look the windows are laid
// out for, the fonts, and what screen readers are told. The program, its
// window tests and its start-up benchmark all start through here (after
// choosePlatform, before the application object), so that they start alike.
void prepareForWindows(QApplication& application);

}  // namespace quelvaris
