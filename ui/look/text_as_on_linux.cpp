#include "look/text_as_on_linux.h"

#include <QDirIterator>
#include <QFont>
#include <QFontDatabase>

namespace quelvaris {

void hintAsOnLinux(QFont& font) {
#ifdef Q_OS_WIN
  font.setHintingPreference(QFont::PreferVerticalHinting);
#else
  Q_UNUSED(font);
#endif
}

void registerCarriedFonts() {
  QDirIterator carried(QStringLiteral(":/fonts"), {QStringLiteral("*.ttf")}, QDir::Files,
                       QDirIterator::Subdirectories);
  while (carried.hasNext()) QFontDatabase::addApplicationFont(carried.next());
}

}  // namespace quelvaris
