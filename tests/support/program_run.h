// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built program as a child process, as a teacher runs its
// command line: with no display of any kind, in a folder of files, and
// with data folders of the test's own.
#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace testing {

struct ProgramRun {
    int status; // -1 when the program did not end normally
    QString out, err;
};

inline QString programPath() {
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + "/ampera.exe";
#else
    return QCoreApplication::applicationDirPath() + "/ampera";
#endif
}

// Runs the program in `folder`; `data` stands for the user's data folder,
// `folder`/empty without one.
inline ProgramRun runProgram(const QStringList& arguments, const QString& folder,
                             const QString& data = QString()) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(display);
    environment.insert("XDG_DATA_HOME", data.isEmpty() ? folder + "/empty" : data);
    environment.insert("XDG_DATA_DIRS", folder + "/empty");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(programPath(), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString(), QStringLiteral("the program did not end normally")};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace testing
