// SPDX-License-Identifier: GPL-3.0-or-later
// Commits one fault that the sanitizer build must report, chosen by its
// argument, so the suite shows that each check is really switched on: a
// block lost at exit, a read after free, a signed overflow.
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// Pointers pass through here so the optimiser cannot see through them.
char* volatile kept = nullptr;

int loseABlock() {
    kept = new char[64];
    kept = nullptr;
    return 0;
}

int readAfterFree() {
    kept = new char[64];
    delete[] kept;
    return kept[8];
}

int overflow() {
    volatile int largest = INT_MAX;
    return largest + 1;
}

} // namespace

int main(int argc, char* argv[]) {
    const char* fault = argc > 1 ? argv[1] : "";
    if (std::strcmp(fault, "leak") == 0)
        return loseABlock();
    if (std::strcmp(fault, "use-after-free") == 0)
        return readAfterFree();
    if (std::strcmp(fault, "overflow") == 0)
        return overflow();
    std::fprintf(stderr, "usage: %s leak|use-after-free|overflow\n", argv[0]);
    return 2;
}
