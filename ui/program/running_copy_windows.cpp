#include <windows.h>
#include <QAbstractNativeEventFilter>
#include <QApplication>

#include "program/running_copy.h"
#include "program/version.h"

namespace quelvaris {
namespace {

// How long a later start waits for the running copy to come forward.
constexpr UINT ANSWER_WITHIN_MS = 3000;

UINT comeForwardMessage() {
  static const UINT message = RegisterWindowMessageW(L"" QUELVARIS_APP_ID ".ComeForward");
  return message;
}

// The running copy's side: the message, sent to its main window, brings the
// window the user was in last forward, and is answered with 1.
class ComeForwardRequests : public QAbstractNativeEventFilter {
 public:
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override {
    const auto* msg = static_cast<const MSG*>(message);
    if (type != "windows_generic_MSG" || msg->message != comeForwardMessage()) return false;
    comeForward({});
    *result = 1;
    return true;
  }
};

}  // namespace

bool handedOverToRunningCopy(const StartTokens& /*tokens*/) {
  // The mutex is held until the program ends, however it ends: Windows
  // releases it. In the global namespace, so that an installer run by
  // another user, or elevated, sees it too: Windows locks a running
  // program's files, and an install or uninstall beside it would fail
  // half-way (packaging/windows).
  CreateMutexW(nullptr, FALSE, L"Global\\" QUELVARIS_APP_ID);
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    // The running copy's main window, by its caption; it lets the running
    // copy take the foreground, which Windows grants only to the program the
    // user started last: this one.
    if (HWND main = FindWindowW(nullptr, L"Quelvaris ")) {
      DWORD process = 0;
      GetWindowThreadProcessId(main, &process);
      AllowSetForegroundWindow(process);
      DWORD_PTR answer = 0;
      if (SendMessageTimeoutW(main, comeForwardMessage(), 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                              ANSWER_WITHIN_MS, &answer) != 0 &&
          answer == 1)
        return true;
    }
  }
  static ComeForwardRequests requests;
  qApp->installNativeEventFilter(&requests);
  rememberActiveWindow();
  return false;
}

}  // namespace quelvaris
