// SPDX-License-Identifier: GPL-3.0-or-later
// ampera.com, the program's console companion on Windows. A command prompt
// or PowerShell does not wait for a windowed program such as ampera.exe:
// its output would land after the next prompt, and its exit status would be
// lost. Typed as "ampera", this console program is found before the .exe
// (.COM comes first in PATHEXT); it starts ampera.exe beside it with the
// same arguments and the same standard handles, waits for it, and returns
// its exit status.
#include <windows.h>

#include <string>

namespace {

// The arguments of this program's command line, as typed, without its own
// name (quoted or not).
const wchar_t* argumentsOf(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"')
            ++line;
        if (*line)
            ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

std::wstring windowedProgram() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t dot = path.find_last_of(L'.');
    return path.substr(0, dot) + L".exe";
}

} // namespace

int main() {
    const std::wstring program = windowedProgram();
    std::wstring line = L"\"" + program + L"\" " + argumentsOf(GetCommandLineW());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        const std::wstring message = L"ampera: no s'ha pogut iniciar " + program + L"\n";
        DWORD written = 0;
        WriteConsoleW(startup.hStdError, message.c_str(), DWORD(message.size()), &written, nullptr);
        return 2;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 2;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(status);
}
