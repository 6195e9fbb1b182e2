#include "program/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace quelvaris {
namespace {

// Qt's own help text is English unless Qt's translations are installed, so
// the usage is written here, in the program's language.
constexpr const char* USAGE =
    "Uso: quelvaris [opciones]\n"
    "\n"
    "Calcula el volumen de concreto de un elemento y el cemento, la arena, la\n"
    "grava y el agua para prepararlo en obra.\n"
    "\n"
    "Opciones:\n"
    "  -h, --help     muestra esta ayuda y termina\n"
    "  -v, --version  muestra la versión y termina\n"
    "\n"
    "También acepta las opciones de Qt, como -platform y -style.\n";

// Written as UTF-8, as a Linux terminal, a file or a pipe takes it.
void writeToUser(std::FILE* stream, const QString& text) {
  std::fputs(text.toUtf8().constData(), stream);
  std::fflush(stream);
}

int usageError(const QString& problem) {
  writeToUser(stderr,
              QStringLiteral("quelvaris: %1\nEscriba «quelvaris --help» para ver las opciones.\n")
                  .arg(problem));
  return 2;
}

}  // namespace

std::optional<int> handleCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("muestra esta ayuda y termina"));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("muestra la versión y termina"));
  parser.addOptions({help, version});

  if (!parser.parse(arguments)) {
    // Either an option this program does not know, or a value given to one
    // of its two, which take none.
    const QString unknown = parser.unknownOptionNames().value(0);
    const QString dashes = unknown.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
    return usageError(unknown.isEmpty()
                          ? QStringLiteral("las opciones --help y --version no llevan valor")
                          : QStringLiteral("opción desconocida: %1%2").arg(dashes, unknown));
  }
  if (!parser.positionalArguments().isEmpty())
    return usageError(
        QStringLiteral("argumento no esperado: %1").arg(parser.positionalArguments().value(0)));
  if (parser.isSet(help)) {
    writeToUser(stdout, QString::fromUtf8(USAGE));
    return 0;
  }
  if (parser.isSet(version)) {
    writeToUser(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                      QCoreApplication::applicationVersion()));
    return 0;
  }
  return std::nullopt;
}

}  // namespace quelvaris
