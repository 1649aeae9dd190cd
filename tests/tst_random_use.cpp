// SPDX-License-Identifier: GPL-3.0-or-later
// Random use cannot break the program. A seeded learner starts the program
// as it starts, on its presentation screen, and takes random actions through
// real events: menu items and shortcuts, presses with any mouse button on
// the floor plan and on every miniature plan, the switch buttons by mouse
// and keyboard, the breaker, the compass, close boxes, the help window, keys
// where the focus is (Tab, Space, Enter, Escape, Ctrl+Tab, Ctrl+F4), the
// main window resized, and at the end of some runs one of the ways out.
// After every action a model of the house, kept apart from the program,
// checks what every window shows; Qt must print no warning.
//
// The environment steers it:
//   AMPERA_RANDOM_ACTIONS  actions to take in this process (default: all of
//                          this shard's share of 100,000; lower it for slow
//                          builds such as sanitizer runs)
//   AMPERA_RANDOM_SHARD    "i/n": take the i-th of n equal shares, each from
//                          its own seed (CTest runs one test per share);
//                          without it every share runs in turn
//   AMPERA_RANDOM_SEED     take the actions from this seed instead
//   AMPERA_RANDOM_EPISODE  with a seed, run only this run of the program
//   AMPERA_RANDOM_REPLAY   replay this sequence of actions, as printed on a
//                          failure, and print every step
//   AMPERA_RANDOM_SHRINK   with a replay, shorten the sequence by running
//                          candidates in child processes (for crashes)
// On a failure the test prints the seed, the failing run and a shortened
// sequence of actions that still fails, ready to replay.
#include "house_fixture.h"
#include "house_model.h"
#include "learner.h"
#include "shrink.h"

#include "house/catalogue.h"
#include "shell/startup.h"
#include "ui/pictures.h"

#include <QProcess>
#include <QTimer>

#include <csignal>
#include <cstring>
#include <optional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

extern "C" void __sanitizer_set_death_callback(void (*)(void)) __attribute__((weak));

using testing::Action;

namespace {

constexpr int defaultActions = 100000;
constexpr int defaultShards = 4;
constexpr std::uint64_t baseSeed = 20240607;

// ---- Qt's messages -------------------------------------------------------

QStringList warnings;
QtMessageHandler previousHandler = nullptr;

void collectWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
        // The offscreen platform's notices are the only messages let through.
        if (testing::isOffscreenNotice(message))
            return;
        warnings << message;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

// ---- the clock ----------------------------------------------------------

// Holds the presentation screen's timers: their ticks come only from the
// learner's actions (fire()), never from the time a slow step happens to
// take, so that a run replays exactly. The timers' own Qt timers are the
// only parentless QTimer objects with those intervals.
class HeldClock : public QObject {
  public:
    void holdIntervalsOf(const ui::Form& form) {
        intervals_.clear();
        for (const auto& control : form.ui::Container::children())
            if (auto* timer = dynamic_cast<const ui::Timer*>(control.get()))
                intervals_ << timer->interval();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Timer || watched->parent())
            return false;
        auto* timer = qobject_cast<QTimer*>(watched);
        return timer && intervals_.contains(timer->interval());
    }

  private:
    QList<int> intervals_;
};

HeldClock heldClock;

// ---- what a crash leaves behind ------------------------------------------

// Prepared before every action: once the process is crashing nothing may be
// allocated, only written out and handed to a fresh process.
struct CrashReport {
    bool armed = false;
    std::string heading;
    std::string replay; // "AMPERA_RANDOM_REPLAY=..." with the actions so far
    std::string executable;
};
CrashReport crash;
struct sigaction previousActions[NSIG];

void writeOut(const char* text) {
    for (std::size_t left = std::strlen(text); left > 0;) {
        const ssize_t n = ::write(STDERR_FILENO, text, left);
        if (n <= 0)
            return;
        text += n;
        left -= std::size_t(n);
    }
}

// Runs this test again in a fresh process to shorten the crashing
// sequence; only calls that are safe while crashing.
void shortenCrash() {
    if (!crash.armed)
        return;
    crash.armed = false;
    const char* actions = crash.replay.c_str() + crash.replay.find('=') + 1;
    writeOut("\n*** Random use crashed the program: ");
    writeOut(crash.heading.c_str());
    writeOut("\n*** The actions so far:\nAMPERA_RANDOM_REPLAY='");
    writeOut(actions);
    writeOut("'\n");
    if (*actions == '\0')
        return;
    writeOut("*** Shortening them in child processes:\n");
    static char* environment[4096];
    int n = 0;
    for (char** e = environ; *e && n < 4092; ++e)
        if (std::strncmp(*e, "AMPERA_RANDOM_", 14) != 0)
            environment[n++] = *e;
    environment[n++] = crash.replay.data();
    environment[n++] = const_cast<char*>("AMPERA_RANDOM_SHRINK=1");
    environment[n] = nullptr;
    char* arguments[] = {crash.executable.data(), const_cast<char*>("randomUse"), nullptr};
    const pid_t child = ::fork();
    if (child == 0) {
        ::execve(crash.executable.c_str(), arguments, environment);
        ::_exit(127);
    }
    int status = 0;
    if (child > 0)
        ::waitpid(child, &status, 0);
}

extern "C" void onCrashSignal(int signal) {
    shortenCrash();
    ::sigaction(signal, &previousActions[signal], nullptr);
    ::raise(signal);
}

void onSanitizerDeath() {
    shortenCrash();
}

void watchForCrashes() {
    crash.executable = QCoreApplication::applicationFilePath().toStdString();
    for (int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) {
        struct sigaction action = {};
        action.sa_handler = onCrashSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, &previousActions[signal]);
    }
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(onSanitizerDeath);
}

// ---- runs of the program ---------------------------------------------------

struct Failure {
    QString problem; // the first one found
    int step;        // the action after which it showed (-1: at start-up)
};

// The kind of a problem, the word before its colon: a shortened sequence
// must fail in the same way as the original.
QString kindOf(const QString& problem) {
    return problem.section(QLatin1Char(':'), 0, 0);
}

class Runner {
  public:
    explicit Runner(testing::HouseFixture& house) : house_(house) {}

    testing::HouseModel& model() { return model_; }

    // Starts the program afresh, as it starts: on the presentation screen.
    std::optional<Failure> start() {
        house_.reset();
        warnings.clear();
        shell::showFirstWindow();
        heldClock.holdIntervalsOf(*house_.loaded(QStringLiteral("frmPresentació")));
        house_.settle();
        model_.start();
        return problems(-1);
    }

    // Takes an action if the learner can take it now (returns whether it
    // did) and checks the house after it.
    bool step(const Action& action, int index, std::optional<Failure>& failure) {
        if (!testing::applicable(house_, action))
            return false;
        // A key acts on whatever has the focus; the model follows what it does.
        const Action effect =
            action.kind == Action::Kind::Key ? testing::keyEffect(house_, action) : action;
        const QPointF at =
            action.kind == Action::Kind::Press ? testing::pressPoint(house_, action) : QPointF();
        testing::perform(house_, action);
        model_.apply(effect, at, testing::frontWindow(house_));
        failure = problems(index);
        return true;
    }

    // Replays a sequence from a fresh start, skipping actions that cannot
    // be taken; stops at the first problem.
    std::optional<Failure> replay(const std::vector<Action>& actions, bool trace = false) {
        if (auto failure = start())
            return failure;
        for (int i = 0; i < int(actions.size()); ++i) {
            std::optional<Failure> failure;
            const bool taken = step(actions[i], i, failure);
            if (trace)
                qInfo("%4d %s %s", i, taken ? "took   " : "skipped",
                      qPrintable(actions[i].toString()));
            if (failure)
                return failure;
        }
        return std::nullopt;
    }

  private:
    std::optional<Failure> problems(int step) {
        QStringList found = model_.check(house_);
        for (const QString& warning : std::as_const(warnings))
            found << QStringLiteral("warning: Qt printed \"%1\"").arg(warning);
        warnings.clear();
        if (found.isEmpty())
            return std::nullopt;
        return Failure{found.join(QStringLiteral("\n    ")), step};
    }

    testing::HouseFixture& house_;
    testing::HouseModel model_;
};

// One run of the program, from start-up to its last action.
struct Episode {
    std::vector<Action> actions;
    std::optional<Failure> failure;
    int taken = 0;
};

std::uint64_t episodeSeed(std::uint64_t seed, int episode) {
    testing::Random random(seed ^ (0x9E3779B97F4A7C15ull * std::uint64_t(episode + 1)));
    return random.next();
}

// Runs of a few dozen to a few hundred actions; a third of them end the
// program at the end.
Episode runEpisode(Runner& runner, testing::HouseFixture& house, std::uint64_t seed, int budget,
                   const std::string& heading) {
    testing::Random random(seed);
    const testing::Temperament temperament{random.chance(0.5)};
    const int length = std::min(budget, 30 + random.below(570));
    const bool exits = random.chance(0.3);

    Episode episode;
    crash.heading = heading;
    crash.replay = "AMPERA_RANDOM_REPLAY=";
    crash.armed = true;
    episode.failure = runner.start();
    for (int i = 0; i < length && !episode.failure; ++i) {
        Action action;
        if (i == 0) {
            // Each run starts with its own size of the main window.
            action = testing::randomResize(random);
        } else if (exits && i == length - 1) {
            action = testing::randomExit(random, house);
        } else {
            action = testing::randomAction(random, house, runner.model(), temperament);
        }
        episode.actions.push_back(action);
        if (i > 0)
            crash.replay += "; ";
        crash.replay += action.toString().toStdString();
        if (runner.step(action, i, episode.failure))
            ++episode.taken;
    }
    crash.armed = false;
    return episode;
}

int environmentNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class RandomUse : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

    // Runs seeded episodes until `budget` actions are taken; on a failure,
    // prints the seed and a shortened sequence, and fails.
    void runSeed(std::uint64_t seed, int budget, int onlyEpisode, int& taken, int& trips,
                 QSet<int>& kinds) {
        Runner runner(*house);
        for (int e = 0; taken < budget || onlyEpisode >= 0; ++e) {
            if (onlyEpisode >= 0 && e != onlyEpisode)
                continue;
            const std::string heading = QStringLiteral("seed %1, episode %2 (AMPERA_RANDOM_SEED=%1 "
                                                       "AMPERA_RANDOM_EPISODE=%2 replays it)")
                                            .arg(seed)
                                            .arg(e)
                                            .toStdString();
            Episode episode = runEpisode(runner, *house, episodeSeed(seed, e),
                                         onlyEpisode >= 0 ? 1 << 20 : budget - taken, heading);
            taken += episode.taken;
            trips += runner.model().trips();
            for (const Action& action : episode.actions)
                kinds.insert(int(action.kind));
            if (episode.failure) {
                reportFailure(runner, seed, e, episode);
                return;
            }
            if (onlyEpisode >= 0)
                return;
        }
    }

    void reportFailure(Runner& runner, std::uint64_t seed, int e, const Episode& episode) {
        const Failure& failure = *episode.failure;
        std::vector<Action> failing(episode.actions.begin(),
                                    episode.actions.begin() + (failure.step + 1));
        const QString kind = kindOf(failure.problem);
        const std::function<bool(const std::vector<Action>&)> fails =
            [&](const std::vector<Action>& candidate) {
                const auto result = runner.replay(candidate);
                return result && kindOf(result->problem) == kind;
            };
        const std::vector<Action> shortest =
            fails(failing) ? testing::shrinkFailing(failing, fails) : failing;
        const auto last = runner.replay(shortest);
        QFAIL(qPrintable(
            QStringLiteral("Random use broke the program: seed %1, episode %2, after action %3:\n"
                           "    %4\n"
                           "Replay the run with AMPERA_RANDOM_SEED=%1 AMPERA_RANDOM_EPISODE=%2.\n"
                           "Shortened from %5 to %6 actions, which fail with:\n    %7\n"
                           "AMPERA_RANDOM_REPLAY='%8'")
                .arg(seed)
                .arg(e)
                .arg(failure.step)
                .arg(failure.problem)
                .arg(failing.size())
                .arg(shortest.size())
                .arg(last ? last->problem : QStringLiteral("(no longer fails)"))
                .arg(testing::toString(shortest))));
    }

    void replay(const QString& text) {
        std::vector<Action> actions;
        QVERIFY2(testing::parse(text, actions), "AMPERA_RANDOM_REPLAY does not read as actions");
        if (qEnvironmentVariableIsSet("AMPERA_RANDOM_SHRINK")) {
            shrinkInChildren(actions);
            return;
        }
        Runner runner(*house);
        const auto failure = runner.replay(actions, true);
        if (failure)
            QFAIL(qPrintable(QStringLiteral("After action %1:\n    %2")
                                 .arg(failure->step)
                                 .arg(failure->problem)));
    }

    // Shortens a sequence that fails in any way, a crash included, by
    // replaying each candidate in a process of its own.
    void shrinkInChildren(const std::vector<Action>& actions) {
        QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
        for (const QString& name : base.keys())
            if (name.startsWith(QLatin1String("AMPERA_RANDOM_")))
                base.remove(name);
        int runs = 0;
        const std::function<bool(const std::vector<Action>&)> fails =
            [&](const std::vector<Action>& candidate) {
                QProcessEnvironment environment = base;
                environment.insert(QStringLiteral("AMPERA_RANDOM_REPLAY"),
                                   testing::toString(candidate));
                QProcess child;
                child.setProcessEnvironment(environment);
                child.setStandardOutputFile(QProcess::nullDevice());
                child.setStandardErrorFile(QProcess::nullDevice());
                child.start(QCoreApplication::applicationFilePath(), {"randomUse"});
                child.waitForFinished(300000);
                ++runs;
                return child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0;
            };
        QVERIFY2(fails(actions), "The sequence does not fail in a fresh process");
        const std::vector<Action> shortest = testing::shrinkFailing(actions, fails);
        QFAIL(qPrintable(QStringLiteral("Shortened from %1 to %2 actions in %3 runs:\n"
                                        "AMPERA_RANDOM_REPLAY='%4'")
                             .arg(actions.size())
                             .arg(shortest.size())
                             .arg(runs)
                             .arg(testing::toString(shortest))));
    }

    // The state of the house as the controls show it, for comparing runs.
    QString snapshot() {
        QStringList parts{testing::frontWindow(*house)};
        for (const QString& window : QStringList{"frmPresentació", "frmPlanta", "FrmAjuda"} +
                                         house::indicatorWindows().mid(1)) {
            ui::Form* form = house->loaded(window);
            if (!form)
                continue;
            parts << window + (form->isShown() ? "+" : "-");
            for (const auto& child : form->ui::Container::children())
                if (auto* line = dynamic_cast<const ui::Line*>(child.get()))
                    parts << QStringLiteral("%1 %2 %3")
                                 .arg(line->y1())
                                 .arg(line->y2())
                                 .arg(line->borderColor());
                else if (auto* box = dynamic_cast<const ui::PictureBox*>(child.get())) {
                    parts << QString::number(box->visible());
                    for (const auto& inner : box->children())
                        parts << QString::number(inner->visible()) +
                                     QString::number(inner->enabled());
                }
        }
        return parts.join(QLatin1Char(' '));
    }

  private slots:
    void initTestCase() {
        house = std::make_unique<testing::HouseFixture>();
        previousHandler = qInstallMessageHandler(collectWarnings);
        qApp->installEventFilter(&heldClock);
    }
    void cleanupTestCase() {
        qInstallMessageHandler(previousHandler);
        qApp->removeEventFilter(&heldClock);
        house.reset();
    }

    // A room closed with its close box stays closed while the learner goes
    // on to other rooms, until it is brought up again. (It used to come back
    // when the next room but one was brought up.)
    void aClosedRoomStaysClosed() {
        house->reset();
        house->chooseMenu("mnuSalaEstudi");
        // Lighting a lamp opens every room.
        house->click(house->window("frmEstudi").button("CmdCommutador2"));
        house->chooseMenu("mnuAseo");
        ui::Form& washroom = *house->loaded("frmLavabopetit");
        washroom.window()->close();
        house->settle();
        house->chooseMenu("mnuBany");
        house->chooseMenu("mnuCuina");
        QVERIFY(!washroom.isShown());
        house->chooseMenu("mnuAseo");
        QVERIFY(washroom.isShown());
        QCOMPARE(testing::frontWindow(*house), QString("frmLavabopetit"));
        QCOMPARE(washroom.windowState(), ui::Form::WindowState::Maximized);
    }

    // Resizing the main window again and again keeps the renderings within
    // their budget, not one for every size each picture passed through.
    // (Each size used to stay for the whole run.)
    void resizingKeepsRenderingsWithinTheBudget() {
        house->reset();
        house->chooseMenu("mnuPlanta");
        for (int i = 1; i <= 14; ++i) {
            house->mainWindow().showNormal();
            house->mainWindow().resize(600 + 37 * i, 450 + 23 * i);
            house->settle();
            for (const QString& window : house::indicatorWindows()) {
                house->window(window).setWindowState(ui::Form::WindowState::Maximized);
                house->window(window).surface()->repaint();
            }
            QVERIFY(ui::pictures::keptBytes() > 0);
            QVERIFY(ui::pictures::keptBytes() <= ui::pictures::keptBytesLimit());
        }
    }

    // The shortening keeps exactly the actions that together make the
    // failure, in their order.
    void shorteningKeepsWhatFails() {
        std::vector<int> items(200);
        for (int i = 0; i < 200; ++i)
            items[i] = i;
        int runs = 0;
        const std::function<bool(const std::vector<int>&)> fails = [&](const std::vector<int>& v) {
            ++runs;
            const auto a = std::find(v.begin(), v.end(), 17);
            const auto b = std::find(v.begin(), v.end(), 150);
            const auto c = std::find(v.begin(), v.end(), 151);
            return a != v.end() && b != v.end() && c != v.end() && a < b && b < c;
        };
        QCOMPARE(testing::shrinkFailing(items, fails), (std::vector<int>{17, 150, 151}));
        QVERIFY(runs < 400);
        const std::function<bool(const std::vector<int>&)> anyOdd = [](const std::vector<int>& v) {
            return std::any_of(v.begin(), v.end(), [](int i) { return i % 2 == 1; });
        };
        QCOMPARE(testing::shrinkFailing(items, anyOdd).size(), std::size_t(1));
    }

    // A run written down and read back replays to the very same house.
    void aWrittenRunReplaysExactly() {
        Runner runner(*house);
        const Episode episode =
            runEpisode(runner, *house, episodeSeed(baseSeed, 7), 400, "replay check");
        QVERIFY2(!episode.failure, qPrintable(episode.failure ? episode.failure->problem : ""));
        const QString after = snapshot();
        std::vector<Action> readBack;
        QVERIFY(testing::parse(testing::toString(episode.actions), readBack));
        QVERIFY(readBack == episode.actions);
        QVERIFY(!runner.replay(readBack));
        QCOMPARE(snapshot(), after);
    }

    // The written form that the screenshot tool shares: a click is told
    // apart by the control it names, and what does not read is refused.
    void writtenActionsNameTheirControls() {
        const auto read = [](const QString& text) {
            Action action;
            if (!Action::parse(text, action))
                return QStringLiteral("refused");
            return QStringLiteral("%1 %2 %3 %4 %5")
                .arg(int(action.kind))
                .arg(action.window, action.control)
                .arg(action.index)
                .arg(int(action.way));
        };
        using K = Action::Kind;
        const auto expect = [](K kind, const char* window, const char* control, int index = -1,
                               Action::Way way = Action::Way::Mouse) {
            return QStringLiteral("%1 %2 %3 %4 %5")
                .arg(int(kind))
                .arg(QString::fromUtf8(window), QString::fromUtf8(control))
                .arg(index)
                .arg(int(way));
        };
        QCOMPARE(read("click:frmCuina/CmdInterruptor"),
                 expect(K::Switch, "frmCuina", "CmdInterruptor"));
        QCOMPARE(read("click:frmHab_mat/CmdCreumement,space"),
                 expect(K::Switch, "frmHab_mat", "CmdCreumement", -1, Action::Way::Space));
        QCOMPARE(read("click:frmPlanta/PicMagneto(0)"), expect(K::Breaker, "", "", 0));
        QCOMPARE(read("click:frmPlanta/CmdNord,enter"),
                 expect(K::Compass, "", "CmdNord", -1, Action::Way::Enter));
        QCOMPARE(read("click:frmPlanta/CmdSortir"), expect(K::Click, "frmPlanta", "CmdSortir"));
        QCOMPARE(read("fire:frmPresentació/Rellotge2"), expect(K::Tick, "", "Rellotge2"));
        QCOMPARE(read("press:frmPlanta/ImgCuina_ordre"),
                 expect(K::Press, "frmPlanta", "ImgCuina_ordre"));
        QCOMPARE(read("tap:frmTaller_commutada/Fase"),
                 expect(K::Tap, "frmTaller_commutada", "Fase"));
        QCOMPARE(read("start"), expect(K::Start, "", ""));
        for (const char* bad :
             {"click:CmdInterruptor", "click:frmPlanta/CmdSortir,space", "press:frmCuina@0.5",
              "press:frmCuina/ImgCuina,sideways", "fire:frmPresentació/Rellotge2(1)", "jump:x"})
            QVERIFY2(read(QString::fromUtf8(bad)) == "refused", bad);

        Action press;
        QVERIFY(Action::parse("press:frmCuina@0.250/1.000,right,ctrl", press));
        QCOMPARE(press.button, Qt::RightButton);
        QCOMPARE(press.modifiers, Qt::KeyboardModifiers(Qt::ControlModifier));
        QCOMPARE(press.toString(), QString("press:frmCuina@0.250/1.000,right,ctrl"));

        // Taken in turn, the steps drive the program as a learner would.
        house->reset();
        std::vector<Action> steps;
        QVERIFY(testing::parse("menu:mnuCuina; click:frmCuina/CmdInterruptor", steps));
        for (const Action& step : steps) {
            QCOMPARE(testing::missingTarget(*house, step), QString());
            testing::perform(*house, step);
        }
        QVERIFY(house->window("frmCuina").pictureBox("Pic_Cuina", 0).visible());
    }

    void randomUse() {
        const QString replayText = qEnvironmentVariable("AMPERA_RANDOM_REPLAY");
        QVERIFY2(!replayText.isEmpty() || !qEnvironmentVariableIsSet("AMPERA_RANDOM_SHRINK"),
                 "AMPERA_RANDOM_SHRINK needs a sequence in AMPERA_RANDOM_REPLAY");
        if (!replayText.isEmpty()) {
            replay(replayText);
            return;
        }
        watchForCrashes();

        QList<std::uint64_t> seeds;
        int shards = defaultShards;
        const QString seedText = qEnvironmentVariable("AMPERA_RANDOM_SEED");
        const QStringList shard = qEnvironmentVariable("AMPERA_RANDOM_SHARD").split('/');
        if (!seedText.isEmpty()) {
            bool ok = false;
            seeds << seedText.toULongLong(&ok);
            QVERIFY2(ok, "AMPERA_RANDOM_SEED is not a number");
            shards = 1;
        } else if (shard.size() == 2) {
            shards = shard[1].toInt();
            QVERIFY2(shards > 0 && shard[0].toInt() >= 1 && shard[0].toInt() <= shards,
                     "AMPERA_RANDOM_SHARD is not i/n");
            seeds << baseSeed + shard[0].toULongLong();
        } else {
            for (int i = 1; i <= shards; ++i)
                seeds << baseSeed + std::uint64_t(i);
        }
        const int perSeed = environmentNumber("AMPERA_RANDOM_ACTIONS", defaultActions / shards);
        const int onlyEpisode = environmentNumber("AMPERA_RANDOM_EPISODE", -1);

        int taken = 0, trips = 0;
        QSet<int> kinds;
        for (const std::uint64_t seed : seeds) {
            int takenHere = 0;
            runSeed(seed, perSeed, onlyEpisode, takenHere, trips, kinds);
            if (QTest::currentTestFailed())
                return;
            taken += takenHere;
        }
        qInfo("%d actions taken, the breaker tripped %d times", taken, trips);
        // A long run that never took some kind of action, or never tripped
        // the breaker, would prove less than it seems.
        if (onlyEpisode < 0 && taken >= 10000) {
            QCOMPARE(kinds.size(), testing::actionKinds);
            QVERIFY(trips > 0);
        }
    }
};

QTEST_MAIN(RandomUse)
#include "tst_random_use.moc"
