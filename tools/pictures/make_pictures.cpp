// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the pictures that are drawn by code rather than by hand (the plan of
// the house, its lit-room overlays, the four views of the house and the dark
// room photographs) and writes each as OUT/<name>.svg, to be compiled into
// the program beside the hand-drawn ones. It needs no display.
//
//   make_pictures DRAWN OUT NAME...
//
// DRAWN is the folder of the hand-drawn pictures (the lit photographs are
// read from it); NAME... are the pictures the build expects, and any
// difference from what is made stops the build.
#include "pictures/house_plan.h"
#include "pictures/house_views.h"
#include "pictures/night.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QStringList>

#include <cstdio>

namespace {

int fail(const QString& why) {
    std::fprintf(stderr, "make_pictures: %s\n", qPrintable(why));
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fputs("usage: make_pictures DRAWN OUT NAME...\n", stderr);
        return 2;
    }
    const QString drawn = QFile::decodeName(argv[1]);
    const QString out = QFile::decodeName(argv[2]);
    QSet<QString> expected;
    for (int i = 3; i < argc; ++i)
        expected.insert(QFile::decodeName(argv[i]));

    QString error;
    const std::vector<house::Picture> dark = photographs::darkPhotographs(drawn, &error);
    if (dark.empty())
        return fail(error);
    std::vector<house::Picture> made = house::planPictures();
    const std::vector<house::Picture> views = house::viewPictures();
    made.insert(made.end(), views.begin(), views.end());
    made.insert(made.end(), dark.begin(), dark.end());

    QSet<QString> names;
    for (const house::Picture& p : made)
        names.insert(p.name);
    if (names != expected) {
        QStringList unlisted = QStringList(names.begin(), names.end());
        QStringList missing = QStringList(expected.begin(), expected.end());
        unlisted.removeIf([&](const QString& n) { return expected.contains(n); });
        missing.removeIf([&](const QString& n) { return names.contains(n); });
        unlisted.sort();
        missing.sort();
        return fail(QStringLiteral("the build lists other pictures than are made; "
                                   "made but not listed: %1; listed but not made: %2")
                        .arg(unlisted.join(' '), missing.join(' ')));
    }

    if (!QDir().mkpath(out))
        return fail(QStringLiteral("cannot create %1").arg(out));
    for (const house::Picture& p : made) {
        QSaveFile file(out + QLatin1Char('/') + p.name + QStringLiteral(".svg"));
        if (!file.open(QIODevice::WriteOnly) || file.write(p.svg) != p.svg.size() || !file.commit())
            return fail(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    }
    return 0;
}
