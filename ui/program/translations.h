#pragma once

class QCoreApplication;

namespace quelvaris {

// Qt's own texts in Spanish, as the program's are: the boxes' right-click
// menu, the buttons of a message box. The translation is Qt's own, found
// where Qt keeps its translations; where it is missing, those texts stay in
// English and nothing else changes.
void installQtTranslation(QCoreApplication& application);

}  // namespace quelvaris
