#include "program/console.h"

#include <QString>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace quelvaris {
namespace {

#ifdef Q_OS_WIN
bool writeToConsole(HANDLE console, const QString& text) {
  DWORD mode = 0;
  if (console == nullptr || console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode))
    return false;
  DWORD written = 0;
  return WriteConsoleW(console, reinterpret_cast<const wchar_t*>(text.utf16()),
                       static_cast<DWORD>(text.size()), &written, nullptr) != 0;
}

bool isFileOrPipe(HANDLE handle) {
  const DWORD type =
      handle == nullptr || handle == INVALID_HANDLE_VALUE ? FILE_TYPE_UNKNOWN : GetFileType(handle);
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

// Attaching is what lets Ctrl+C or closing that console end the program, so
// it lasts only as long as the answer.
void writeToStartingConsole(const QString& text) {
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  writeToConsole(console, text);
  if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
  FreeConsole();
}
#endif

}  // namespace

void writeToUser(std::FILE* stream, const QString& text) {
#ifdef Q_OS_WIN
  // The C runtime's own stream, which is bound as its parent passed it (a
  // console's cmd may pass it without setting the process's standard handles).
  const int descriptor = _fileno(stream);
  HANDLE handle =
      descriptor < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
  if (writeToConsole(handle, text)) return;
  if (!isFileOrPipe(handle)) {
    writeToStartingConsole(text);
    return;
  }
#endif
  std::fputs(text.toUtf8().constData(), stream);
  std::fflush(stream);
}

void releaseStartingConsole() {
#ifdef Q_OS_WIN
  if (qEnvironmentVariableIsSet("QUELVARIS_FROM_CONSOLE")) {
    // A NUL, which no answer holds, tells the companion that the windows
    // open; it does not wait for the pipes to close, which Wine may delay.
    std::fputc('\0', stdout);
    std::fflush(nullptr);
    std::freopen("NUL", "w", stdout);
    std::freopen("NUL", "w", stderr);
  }
#endif
}

}  // namespace quelvaris
