// SPDX-License-Identifier: GPL-3.0-or-later
// A write into a local buffer with a length known only at run time, which
// only the stack protector and glibc's checked calls can guard. The
// hardening test reads this program built twice, once with the release
// build's own options and once with every protection switched off; it reads
// the headers and never runs it.
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    char name[64];
    const std::size_t room = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : sizeof name;
    std::snprintf(name, room, "%s", argc > 1 ? argv[1] : "");
    std::puts(name);
    return 0;
}
