// Starts a Windows desktop program from a console as Windows does when the
// user types its full name (quelvaris.exe) there: with no standard streams,
// so that what it writes reaches the console only if it attaches to it. Then
// looks for a line on the console's screen.
//   console_probe EXPECTED_LINE PROGRAM.exe [ARGUMENT...]
// Exits 0 when the console shows the line and the program ended with 0.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Each row of the console's screen up to the cursor, without trailing blanks.
std::vector<std::string> screenRows() {
  HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  std::vector<std::string> rows;
  if (screen == INVALID_HANDLE_VALUE) return rows;
  if (GetConsoleScreenBufferInfo(screen, &info)) {
    std::string row(static_cast<size_t>(info.dwSize.X), ' ');
    for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
      DWORD read = 0;
      ReadConsoleOutputCharacterA(screen, row.data(), static_cast<DWORD>(row.size()), {0, y},
                                  &read);
      rows.push_back(row.substr(0, row.find_last_not_of(' ') + 1));
    }
  }
  CloseHandle(screen);
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  // What this probe reports goes where it was started from, not to its console.
  HANDLE report = GetStdHandle(STD_OUTPUT_HANDLE);
  auto say = [report](const std::string& text) {
    DWORD written = 0;
    WriteFile(report, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  };
  FreeConsole();
  if (!AllocConsole()) {
    say("console_probe: no console could be made\n");
    return 2;
  }

  std::string command;
  for (int i = 2; i < argc; ++i) command += std::string(i > 2 ? " " : "") + '"' + argv[i] + '"';
  STARTUPINFOA start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;  // and all three none
  PROCESS_INFORMATION process{};
  // Windows gives a desktop program no console; Wine would lend it this one
  // unless told not to.
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                      nullptr, &start, &process)) {
    say("console_probe: could not start " + command + "\n");
    return 2;
  }
  DWORD status = 1;
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
    say("console_probe: the program did not end within 60 s\n");
    TerminateProcess(process.hProcess, 1);
  }
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  bool shown = false;
  say("The console shows:\n");
  for (const std::string& row : screenRows()) {
    say("  " + row + "\n");
    shown = shown || row == argv[1];
  }
  if (!shown) say(std::string("FAIL: no line \"") + argv[1] + "\" on the console\n");
  if (status != 0) say("FAIL: the program ended with " + std::to_string(status) + "\n");
  return shown && status == 0 ? 0 : 1;
}
