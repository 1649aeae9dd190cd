// SPDX-License-Identifier: GPL-3.0-or-later
// Text for the console the program was started from, for its command-line
// use (--check, --help, --version). On Windows the program is a windowed
// one, with no console of its own: it writes to the console of the command
// prompt that started it, or to wherever its output was redirected.
#pragma once

#include <QString>

namespace shell::console {

enum class Stream { Output, Errors };

// Writes `text` as it is, in UTF-8 where it goes to a file or a pipe.
void write(Stream stream, const QString& text);

} // namespace shell::console
