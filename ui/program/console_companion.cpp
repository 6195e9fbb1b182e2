// quelvaris.com, the Windows program's companion for consoles. A console
// (cmd, PowerShell) runs a .com before an .exe of the same name when the user
// types "quelvaris", and waits for it, as it never waits for a desktop program
// such as quelvaris.exe: the answers to --version and --help would land after
// the next prompt. This companion starts quelvaris.exe from its own folder
// with the same arguments and hands its answers on to the console, in UTF-16
// so that accents show whatever the console's code page, then ends with the
// program's status. When the program opens its windows instead, it closes its
// streams (see releaseStartingConsole), and the companion ends at once with 0,
// leaving the program on its own: Ctrl+C in the console, or closing it, does
// not touch it. Plain Windows API and the standard library: no Qt.

#include <windows.h>

#include <string>

namespace {

// The program beside this companion: the same path, ending in .exe.
std::wstring programBeside() {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  const std::wstring::size_type dot = path.find_last_of(L'.');
  return path.substr(0, dot) + L".exe";
}

// The arguments as the user typed them: the command line after its first
// word, the companion's own name, quoted or not.
std::wstring argumentsOf(const wchar_t* commandLine) {
  const wchar_t* rest = commandLine;
  if (*rest == L'"') {
    ++rest;
    while (*rest != L'\0' && *rest != L'"') ++rest;
    if (*rest == L'"') ++rest;
  } else {
    while (*rest != L'\0' && *rest != L' ' && *rest != L'\t') ++rest;
  }
  return rest;
}

// Reads `pipe` to its end, or to a NUL when `upToNul`; says whether it met one.
bool readAll(HANDLE pipe, std::string& text, bool upToNul) {
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    text.append(buffer, read);
    const std::string::size_type nul = upToNul ? text.find('\0') : std::string::npos;
    if (nul != std::string::npos) {
      text.resize(nul);
      return true;
    }
  }
  return false;
}

// The program writes UTF-8; a console is given UTF-16, anything else the
// bytes as they are.
void pass(const std::string& utf8, HANDLE to) {
  if (utf8.empty()) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(to, &mode)) {
    const int size = static_cast<int>(utf8.size());
    std::wstring text(
        static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), static_cast<int>(text.size()));
    WriteConsoleW(to, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  } else {
    WriteFile(to, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  }
}

}  // namespace

int main() {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
  // Large enough for any answer, so that reading one pipe to its end never
  // waits on the other.
  constexpr DWORD PIPE_BYTES = 1 << 16;
  if (!CreatePipe(&outRead, &outWrite, &inherited, PIPE_BYTES) ||
      !CreatePipe(&errRead, &errWrite, &inherited, PIPE_BYTES))
    return 1;
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  const std::wstring program = programBeside();
  std::wstring commandLine = L"\"" + program + L"\"" + argumentsOf(GetCommandLineW());
  SetEnvironmentVariableW(L"QUELVARIS_FROM_CONSOLE", L"1");
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &startup, &started)) {
    pass("quelvaris: no se pudo iniciar quelvaris.exe\n", GetStdHandle(STD_ERROR_HANDLE));
    return 1;
  }
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  std::string out, err;
  const bool windows = readAll(outRead, out, true);
  if (!windows) readAll(errRead, err, false);
  pass(out, GetStdHandle(STD_OUTPUT_HANDLE));
  pass(err, GetStdHandle(STD_ERROR_HANDLE));

  // An answer ends the program at once; its status is the companion's. A
  // program that opened its windows is left to them.
  DWORD status = 0;
  if (!windows && WaitForSingleObject(started.hProcess, 5000) == WAIT_OBJECT_0)
    GetExitCodeProcess(started.hProcess, &status);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return static_cast<int>(status);
}
