// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a class's year of wiring files into a folder, the same files on
// every run and on every system, so that two builds of `ampera --check`
// can be run over them and their answers compared.
//
//   class_files FOLDER [COUNT]      (1,000 files unless told)
#include "class_files.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool countOk = true;
    const int count = args.size() > 1 ? args[1].toInt(&countOk) : 1000;
    if (args.isEmpty() || args.size() > 2 || !countOk || count <= 0) {
        std::fputs("usage: class_files FOLDER [COUNT]\n", stderr);
        return 2;
    }
    if (!QDir().mkpath(args[0])) {
        std::fprintf(stderr, "class_files: cannot create %s\n", qPrintable(args[0]));
        return 1;
    }
    testing::writeClassFiles(args[0], count);
    return 0;
}
