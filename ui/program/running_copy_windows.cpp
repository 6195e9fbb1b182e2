#include <windows.h>
#include <QApplication>

#include "program/running_copy.h"
#include "program/version.h"

namespace quelvaris {
namespace {

// How long a later start waits for the running copy to be ready, and then
// for it to come forward.
constexpr DWORD ANSWER_WITHIN_MS = 3000;

// The running copy's door, a message-only window named by the application
// id, exists from the copy's first moment, before any of its windows: a
// later start does not depend on the main window or its caption. The named
// event says it is open, since the mutex is taken a moment before.
const wchar_t* const DOOR = L"" QUELVARIS_APP_ID;
const wchar_t* const DOOR_OPEN = L"Local\\" QUELVARIS_APP_ID ".Ready";

UINT comeForwardMessage() {
  static const UINT message = RegisterWindowMessageW(L"" QUELVARIS_APP_ID ".ComeForward");
  return message;
}

// The running copy's side: the message brings the window the user was in
// last forward, and is answered with 1. Qt's event loop delivers it.
LRESULT CALLBACK answerAtDoor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != comeForwardMessage()) return DefWindowProcW(window, message, wParam, lParam);
  comeForward({});
  return 1;
}

void openDoor() {
  WNDCLASSW door{};
  door.lpfnWndProc = answerAtDoor;
  door.hInstance = GetModuleHandleW(nullptr);
  door.lpszClassName = DOOR;
  RegisterClassW(&door);
  CreateWindowExW(0, DOOR, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, door.hInstance, nullptr);
  // Held, like the mutex, until the program ends.
  SetEvent(CreateEventW(nullptr, TRUE, FALSE, DOOR_OPEN));
}

// A later start's side; false when the running copy does not answer in time.
bool askedRunningCopyForward() {
  if (WaitForSingleObject(CreateEventW(nullptr, TRUE, FALSE, DOOR_OPEN), ANSWER_WITHIN_MS) !=
      WAIT_OBJECT_0)
    return false;
  HWND door = FindWindowExW(HWND_MESSAGE, nullptr, DOOR, nullptr);
  if (!door) return false;
  // Windows grants the foreground only to the program the user started
  // last, this one, which passes it on.
  DWORD process = 0;
  GetWindowThreadProcessId(door, &process);
  AllowSetForegroundWindow(process);
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(door, comeForwardMessage(), 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             ANSWER_WITHIN_MS, &answer) != 0 &&
         answer == 1;
}

}  // namespace

bool handedOverToRunningCopy(const StartTokens& /*tokens*/) {
  // The mutex is held until the program ends, however it ends: Windows
  // releases it. In the global namespace, so that an installer run by
  // another user, or elevated, sees it too: Windows locks a running
  // program's files, and an install or uninstall beside it would fail
  // half-way (packaging/windows).
  CreateMutexW(nullptr, FALSE, L"Global\\" QUELVARIS_APP_ID);
  if (GetLastError() == ERROR_ALREADY_EXISTS && askedRunningCopyForward()) return true;
  openDoor();
  rememberActiveWindow();
  return false;
}

}  // namespace quelvaris
