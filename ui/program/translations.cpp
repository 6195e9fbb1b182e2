#include "program/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quelvaris {

void installQtTranslation(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  // Spanish whatever the user's language: the program speaks nothing else.
  if (translator->load(QStringLiteral("qtbase_es"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

}  // namespace quelvaris
