// SPDX-License-Identifier: GPL-3.0-or-later
#include "class_files.h"

#include "circuit/circuit_file.h"
#include "circuit/exercise.h"
#include "natural_wirings.h"

#include <QFile>
#include <QRandomGenerator>

namespace testing {

using namespace circuit;

namespace {

// A learner's wiring: two in five right, one in ten on the neutral, the
// rest with a conductor out of place or laid at random.
Wiring attempt(const Exercise& e, int learner, QRandomGenerator& random) {
    const int kind = learner % 10;
    Wiring w = testing::wiringOf(e, kind == 4 ? testing::onTheNeutral(e.id)
                                              : testing::naturalWiring(e.id));
    const int terminals = int(e.terminals.size());
    if (kind >= 5) {
        if (kind >= 8)
            w.conductors.clear();
        const int count = kind >= 8 ? 3 + int(random.bounded(6)) : int(w.conductors.size()) + 1;
        if (kind < 8)
            w.conductors.erase(w.conductors.begin() + random.bounded(int(w.conductors.size())));
        while (int(w.conductors.size()) < count) {
            const Conductor c{int(random.bounded(terminals)), int(random.bounded(terminals))};
            if (c.from != c.to && !w.has(c))
                w.conductors.push_back(c);
        }
    }
    w.setCombination(int(random.bounded(e.combinations())));
    return w;
}

} // namespace

QStringList writeClassFiles(const QString& folder, int count) {
    QRandomGenerator random(2025);
    const std::vector<Exercise>& exercises = builtInExercises();
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const Exercise& e = exercises[size_t(i) % exercises.size()];
        QByteArray text =
            serializeWiring(e, attempt(e, i / int(exercises.size()), random), repairedLog(e));
        // One file in fifty is damaged on its way to the teacher.
        if (random.bounded(50) == 0)
            text.truncate(text.size() / 2);
        const QString path = QStringLiteral("%1/alumne-%2-%3.ampera")
                                 .arg(folder)
                                 .arg(i, 4, 10, QLatin1Char('0'))
                                 .arg(e.id);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(path));
        paths << path;
    }
    return paths;
}

} // namespace testing
