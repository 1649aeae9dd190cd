// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/console.h"

#include <QByteArray>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace shell::console {

namespace {

#ifdef Q_OS_WIN
// A windowed program has no console of its own. It joins the console of the
// process that started it, if that has one (a command prompt, PowerShell,
// or ampera.com), and writes to its standard handles where it was given
// them (a redirection to a file or a pipe, or ampera.com's own), else to
// that console.
HANDLE handleFor(Stream stream) {
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS);
    const DWORD which = stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE)
        return handle;
    if (!attached)
        return nullptr;
    handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    SetStdHandle(which, handle);
    return handle;
}
#endif

} // namespace

void write(Stream stream, const QString& text) {
#ifdef Q_OS_WIN
    HANDLE handle = handleFor(stream);
    if (!handle)
        return;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        // A console takes UTF-16 whatever its code page, so "sí" and
        // "Làmpada" read right in any of them.
        DWORD written = 0;
        WriteConsoleW(handle, reinterpret_cast<const wchar_t*>(text.utf16()), DWORD(text.size()),
                      &written, nullptr);
        return;
    }
    const QByteArray bytes = text.toUtf8();
    DWORD written = 0;
    WriteFile(handle, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
#else
    const QByteArray bytes = text.toUtf8();
    FILE* file = stream == Stream::Output ? stdout : stderr;
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
    std::fflush(file);
#endif
}

} // namespace shell::console
