// SPDX-License-Identifier: GPL-3.0-or-later
#include "learner.h"

#include "house_fixture.h"
#include "house_model.h"

#include "house/catalogue.h"
#include "shell/startup.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRegularExpression>

#include <functional>

namespace testing {

namespace {

const QString presentation = QStringLiteral("frmPresentació");
const QString help = QStringLiteral("FrmAjuda");

// The names used in the written form of an action. A click on a switch,
// the breaker or a compass button is written as any other click, and told
// apart by the control it names.
const std::pair<Action::Kind, const char*> kindNames[] = {
    {Action::Kind::Tick, "fire"},     {Action::Kind::Menu, "menu"},
    {Action::Kind::MenuKeys, "keys"}, {Action::Kind::PlanKey, "ctrl+p"},
    {Action::Kind::Press, "press"},   {Action::Kind::Switch, "click"},
    {Action::Kind::Breaker, "click"}, {Action::Kind::Compass, "click"},
    {Action::Kind::Close, "close"},   {Action::Kind::CloseHelp, "closehelp"},
    {Action::Kind::Exit, "exit"},     {Action::Kind::Resize, "resize"},
    {Action::Kind::Key, "key"},       {Action::Kind::Start, "start"},
    {Action::Kind::Click, "click"},   {Action::Kind::Tap, "tap"},
};

const QString breakerPicture = QStringLiteral("PicMagneto");

// A control written as WINDOW/NAME, or WINDOW/NAME(INDEX) in an array.
QString pathText(const QString& window, const QString& control, int index = -1) {
    const QString path = window + QLatin1Char('/') + control;
    return index < 0 ? path : path + QStringLiteral("(%1)").arg(index);
}
bool readPath(const QString& text, QString& window, QString& control, int& index) {
    static const QRegularExpression pattern(QStringLiteral("^([^/]+)/([^(]+)(?:\\((\\d+)\\))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    window = match.captured(1);
    control = match.captured(2);
    index = match.captured(3).isEmpty() ? -1 : match.captured(3).toInt();
    return true;
}

// The keys a learner presses where the focus is.
struct Key {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};
const Key keys[] = {
    {"tab", Qt::Key_Tab, Qt::NoModifier},
    {"backtab", Qt::Key_Backtab, Qt::ShiftModifier},
    {"space", Qt::Key_Space, Qt::NoModifier},
    {"enter", Qt::Key_Return, Qt::NoModifier},
    {"escape", Qt::Key_Escape, Qt::NoModifier},
    {"ctrl+tab", Qt::Key_Tab, Qt::ControlModifier},
    {"ctrl+shift+tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
    {"ctrl+f4", Qt::Key_F4, Qt::ControlModifier},
};

const Key* keyNamed(const QString& name) {
    for (const Key& key : keys)
        if (name == QLatin1String(key.name))
            return &key;
    return nullptr;
}

// Where a key goes: the widget with the focus, else the active window; with
// no window active, nowhere.
QWidget* keyTarget() {
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeWindow();
}
const std::pair<Qt::MouseButton, const char*> buttonNames[] = {
    {Qt::LeftButton, "left"}, {Qt::RightButton, "right"}, {Qt::MiddleButton, "middle"}};
const std::pair<Action::Way, const char*> wayNames[] = {
    {Action::Way::Mouse, "mouse"}, {Action::Way::Space, "space"}, {Action::Way::Enter, "enter"}};

template <class T, std::size_t N>
QString nameOf(const std::pair<T, const char*> (&names)[N], T value) {
    for (const auto& [v, name] : names)
        if (v == value)
            return QString::fromLatin1(name);
    return {};
}

template <class T, std::size_t N>
bool valueOf(const std::pair<T, const char*> (&names)[N], const QString& name, T& value) {
    for (const auto& [v, n] : names)
        if (name == QLatin1String(n)) {
            value = v;
            return true;
        }
    return false;
}

const QStringList timers = {"TmrCarrega", "Rellotge2", "Rellotge1"};
const QStringList compassButtons = {"CmdSud", "CmdOest", "CmdNord", "CmdEst"};

// The plan picture box of a window of the house.
ui::PictureBox& planBox(ui::Form& form) {
    if (form.name() == house::floorPlan)
        return form.pictureBox(QStringLiteral("PicPlantacuina"));
    return form.pictureBox(house::room(form.name()).plan);
}

QString pointText(double x, double y) {
    return QStringLiteral("%1/%2").arg(x, 0, 'f', 3).arg(y, 0, 'f', 3);
}

// The learner brings the main window to the front before typing into it:
// its shortcuts work only while it has the focus.
void focusMainWindow(HouseFixture& house) {
    house.mainWindow().activateWindow();
    house.settle();
}

// Chooses a menu item through the keyboard: Alt and the access key of
// "&Portal" open its menu, then the item's own access key chooses it;
// "A&juda" sits on the menu bar itself.
void chooseByKeys(HouseFixture& house, const QString& item) {
    focusMainWindow(house);
    auto* action = house.mainWindow().findChild<QAction*>(item);
    const QString text = action ? action->text() : QString();
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp < 0 || amp + 1 >= text.size()) {
        qWarning("The menu item %s has no access key", qPrintable(item));
        return;
    }
    const char key = text.at(amp + 1).toLower().toLatin1();
    if (item == QLatin1String("mnuAjuda")) {
        QTest::keyClick(&house.mainWindow(), key, Qt::AltModifier);
        house.settle();
        return;
    }
    QTest::keyClick(&house.mainWindow(), 'p', Qt::AltModifier);
    house.settle();
    auto* portal = house.mainWindow().findChild<QMenu*>(QStringLiteral("mnuPortal"));
    if (!portal || !portal->isVisible()) {
        qWarning("Alt+P did not open the Portal menu");
        return;
    }
    QTest::keyClick(portal, key);
    house.settle();
}

// A click or a key on a widget that takes clicks (a button, a picture box).
void work(HouseFixture& house, QWidget* widget, Action::Way way) {
    switch (way) {
    case Action::Way::Mouse:
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        break;
    case Action::Way::Space:
    case Action::Way::Enter:
        widget->setFocus(Qt::TabFocusReason);
        QTest::keyClick(widget, way == Action::Way::Space ? Qt::Key_Space : Qt::Key_Return);
        break;
    }
    house.settle();
}

} // namespace

QString Action::toString() const {
    const QString name = nameOf(kindNames, kind);
    QStringList fields;
    // A click by mouse is written bare; a key on a focused control says which.
    const auto wayField = [&] {
        if (way != Way::Mouse)
            fields << nameOf(wayNames, way);
    };
    switch (kind) {
    case Kind::PlanKey:
    case Kind::CloseHelp:
    case Kind::Start:
        return name;
    case Kind::Menu:
    case Kind::MenuKeys:
    case Kind::Exit:
    case Kind::Key:
        fields << control;
        break;
    case Kind::Tick:
        fields << pathText(window.isEmpty() ? presentation : window, control);
        break;
    case Kind::Close:
        fields << window;
        break;
    case Kind::Press:
        // A point of the plan picture box: WINDOW@X/Y, as fractions of it.
        fields << (control.isEmpty() ? window + QLatin1Char('@') + pointText(x, y)
                                     : pathText(window, control));
        if (button != Qt::LeftButton)
            fields << nameOf(buttonNames, button);
        if (modifiers & Qt::ShiftModifier)
            fields << QStringLiteral("shift");
        if (modifiers & Qt::ControlModifier)
            fields << QStringLiteral("ctrl");
        break;
    case Kind::Switch:
        fields << pathText(window, control);
        wayField();
        break;
    case Kind::Breaker:
        fields << pathText(house::floorPlan, breakerPicture, index);
        wayField();
        break;
    case Kind::Compass:
        fields << pathText(house::floorPlan, control);
        wayField();
        break;
    case Kind::Click:
        fields << pathText(window, control, index);
        break;
    case Kind::Tap:
        fields << pathText(window, control);
        break;
    case Kind::Resize:
        fields << QStringLiteral("%1x%2").arg(int(x)).arg(int(y));
        break;
    }
    return name + QLatin1Char(':') + fields.join(QLatin1Char(','));
}

bool Action::parse(const QString& text, Action& action) {
    action = Action();
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (!valueOf(kindNames, text.left(colon < 0 ? text.size() : colon).trimmed(), action.kind))
        return false;
    const QStringList fields =
        colon < 0 ? QStringList() : text.mid(colon + 1).trimmed().split(QLatin1Char(','));
    const auto need = [&](int n) { return fields.size() >= n; };
    QString window, control;
    int index = -1;
    const bool hasPath = readPath(fields.value(0), window, control, index);
    // The way a click is taken: the mouse unless a key is named.
    const auto readWay = [&] {
        return fields.size() == 1 ||
               (fields.size() == 2 && valueOf(wayNames, fields[1], action.way));
    };
    switch (action.kind) {
    case Kind::PlanKey:
    case Kind::CloseHelp:
    case Kind::Start:
        return true;
    case Kind::Tick:
        if (!hasPath || index >= 0)
            return false;
        action.window = window == presentation ? QString() : window;
        action.control = control;
        return true;
    case Kind::Menu:
    case Kind::MenuKeys:
    case Kind::Exit:
        action.control = fields.value(0);
        return !action.control.isEmpty();
    case Kind::Key:
        action.control = fields.value(0);
        return keyNamed(action.control) != nullptr;
    case Kind::Close:
        action.window = fields.value(0);
        return !action.window.isEmpty();
    case Kind::Press: {
        if (!need(1))
            return false;
        const qsizetype at = fields[0].indexOf(QLatin1Char('@'));
        if (at > 0) {
            action.window = fields[0].left(at);
            const QStringList point = fields[0].mid(at + 1).split(QLatin1Char('/'));
            bool okX = false, okY = false;
            action.x = point.value(0).toDouble(&okX);
            action.y = point.value(1).toDouble(&okY);
            if (point.size() != 2 || !okX || !okY)
                return false;
        } else if (hasPath && index < 0) {
            action.window = window;
            action.control = control;
        } else {
            return false;
        }
        QStringList options = fields.mid(1);
        if (!options.isEmpty() && valueOf(buttonNames, options.first(), action.button))
            options.removeFirst();
        for (const QString& modifier : options) {
            if (modifier == QLatin1String("shift"))
                action.modifiers |= Qt::ShiftModifier;
            else if (modifier == QLatin1String("ctrl"))
                action.modifiers |= Qt::ControlModifier;
            else
                return false;
        }
        return true;
    }
    case Kind::Switch:
    case Kind::Breaker:
    case Kind::Compass:
    case Kind::Click:
        // Which control the click names tells the kinds apart.
        if (!hasPath || !readWay())
            return false;
        if (window == house::floorPlan && control == breakerPicture && index >= 0) {
            action.kind = Kind::Breaker;
            action.index = index;
        } else if (window == house::floorPlan && compassButtons.contains(control) && index < 0) {
            action.kind = Kind::Compass;
            action.control = control;
        } else if (HouseModel::isRoom(window) && index < 0 &&
                   HouseModel::switchButtons(window).contains(control)) {
            action.kind = Kind::Switch;
            action.window = window;
            action.control = control;
        } else {
            // Any other control is clicked with the mouse.
            action.kind = Kind::Click;
            action.window = window;
            action.control = control;
            action.index = index;
            return action.way == Way::Mouse;
        }
        return true;
    case Kind::Tap:
        // A tap names one widget, whose name may hold commas (a terminal's
        // "Commutador 1, comú"), so the whole rest is its path.
        return readPath(text.mid(colon + 1).trimmed(), action.window, action.control, index) &&
               index < 0;
    case Kind::Resize: {
        const QStringList size = fields.value(0).split(QLatin1Char('x'));
        bool okW = false, okH = false;
        action.x = size.value(0).toInt(&okW);
        action.y = size.value(1).toInt(&okH);
        return okW && okH && action.x > 0 && action.y > 0;
    }
    }
    return false;
}

QString toString(const std::vector<Action>& actions) {
    QStringList parts;
    for (const Action& action : actions)
        parts << action.toString();
    return parts.join(QStringLiteral("; "));
}

bool parse(const QString& text, std::vector<Action>& actions) {
    actions.clear();
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (part.trimmed().isEmpty())
            continue;
        Action action;
        if (!Action::parse(part.trimmed(), action))
            return false;
        actions.push_back(action);
    }
    return true;
}

QString frontWindow(HouseFixture& house) {
    QMdiSubWindow* current = house.mainWindow().area().currentSubWindow();
    return current && current->widget() ? current->widget()->objectName() : QString();
}

bool applicable(HouseFixture& house, const Action& action) {
    if (testing::programEnded())
        return false;
    const QString front = frontWindow(house);
    ui::Form* shown = front.isEmpty() ? nullptr : house.loaded(front);
    if (shown && !shown->isShown())
        shown = nullptr;
    const bool planInFront = shown && front == house::floorPlan;
    switch (action.kind) {
    case Action::Kind::Tick:
        return action.window.isEmpty() && house.loaded(presentation) &&
               timers.contains(action.control);
    case Action::Kind::Menu:
    case Action::Kind::MenuKeys:
        return HouseModel::menuItems().contains(action.control) ||
               action.control == QLatin1String("mnuAjuda");
    case Action::Kind::PlanKey:
    case Action::Kind::Resize:
        return true;
    case Action::Kind::Key:
        return keyNamed(action.control) && keyTarget();
    case Action::Kind::Press:
        if (!shown || front != action.window || front == presentation)
            return false;
        if (action.control.isEmpty())
            return true;
        if (auto* image = dynamic_cast<ui::Image*>(shown->find(action.control)))
            return &image->host() == static_cast<ui::Container*>(&planBox(*shown));
        return false;
    case Action::Kind::Switch:
        return shown && front == action.window && HouseModel::isRoom(front) &&
               HouseModel::switchButtons(front).contains(action.control);
    case Action::Kind::Close:
        // The presentation screen has no title bar, so no close box.
        return shown && front == action.window && front != presentation;
    case Action::Kind::Breaker:
        return planInFront && (action.index == 0 || action.index == 1) &&
               shown->pictureBox(QStringLiteral("PicMagneto"), action.index).visible();
    case Action::Kind::Compass:
        return planInFront && compassButtons.contains(action.control);
    case Action::Kind::CloseHelp:
        return house.loaded(help) != nullptr;
    case Action::Kind::Exit:
        if (action.control == QLatin1String("CmdSortir"))
            return planInFront;
        return action.control == QLatin1String("F11") ||
               action.control == QLatin1String("mnuSortir") ||
               action.control == QLatin1String("keys");
    case Action::Kind::Start:
    case Action::Kind::Click:
    case Action::Kind::Tap:
        // Scripted steps only: the house model does not follow them.
        return false;
    }
    return false;
}

namespace {

// The pixel of the plan picture box that a press lands on. QTest takes the
// point (0, 0) for "the middle of the widget", so the corner pixel is
// pressed one pixel further right.
QPoint pressPixel(HouseFixture& house, const Action& action) {
    ui::Form& form = *house.loaded(action.window);
    if (!action.control.isEmpty())
        return form.image(action.control).centre();
    const QSize size = planBox(form).surface()->size();
    const QPoint pixel(int(action.x * (size.width() - 1)), int(action.y * (size.height() - 1)));
    return pixel.isNull() ? QPoint(1, 0) : pixel;
}

} // namespace

QPointF pressPoint(HouseFixture& house, const Action& action) {
    return planBox(*house.loaded(action.window)).toTwips(QPointF(pressPixel(house, action)));
}

namespace {

// The widget of a window found by its object name.
QWidget* widgetNamed(const Action& action) {
    return ui::forms::get(action.window).window()->findChild<QWidget*>(action.control);
}

} // namespace

QString missingTarget(HouseFixture& house, const Action& action) {
    const auto missing = [&](const QString& what) {
        return QStringLiteral("no %1 %2 in %3").arg(what, action.control, action.toString());
    };
    switch (action.kind) {
    case Action::Kind::Menu:
    case Action::Kind::MenuKeys:
        return house.mainWindow().findChild<QAction*>(action.control) ? QString()
                                                                      : missing("menu item");
    case Action::Kind::Tap:
        return widgetNamed(action) ? QString() : missing("widget");
    case Action::Kind::Tick:
    case Action::Kind::Switch:
    case Action::Kind::Compass:
    case Action::Kind::Click: {
        const QString window = action.kind == Action::Kind::Compass ? house::floorPlan
                               : action.window.isEmpty()            ? presentation
                                                                    : action.window;
        return ui::forms::get(window).find(action.control, action.index) ? QString()
                                                                         : missing("control");
    }
    case Action::Kind::Press:
        return action.control.isEmpty() || ui::forms::get(action.window).find(action.control)
                   ? QString()
                   : missing("control");
    default:
        return {};
    }
}

void perform(HouseFixture& house, const Action& action) {
    switch (action.kind) {
    case Action::Kind::Tick:
        house.window(action.window.isEmpty() ? presentation : action.window)
            .timer(action.control)
            .fire();
        house.settle();
        break;
    case Action::Kind::Start:
        shell::showFirstWindow();
        house.settle();
        break;
    case Action::Kind::Click: {
        const ui::Control& control =
            *house.window(action.window).find(action.control, action.index);
        house.click(control);
        break;
    }
    case Action::Kind::Tap:
        tap(widgetNamed(action));
        break;
    case Action::Kind::Menu:
        house.chooseMenu(action.control);
        break;
    case Action::Kind::MenuKeys:
        chooseByKeys(house, action.control);
        break;
    case Action::Kind::PlanKey:
        focusMainWindow(house);
        house.type(QKeySequence(Qt::CTRL | Qt::Key_P));
        break;
    case Action::Kind::Press: {
        // A control is pressed in its middle, a point on the plan picture
        // box where it says.
        const ui::Control* control =
            action.control.isEmpty() ? nullptr : house.window(action.window).find(action.control);
        QWidget* widget =
            control ? control->inputWidget() : planBox(*house.loaded(action.window)).surface();
        const QPoint pixel = control ? control->centre() : pressPixel(house, action);
        // The press acts at once; the release follows, as a learner's would.
        tap(widget, pixel, action.button, action.modifiers);
        break;
    }
    case Action::Kind::Switch:
        work(house, house.loaded(action.window)->button(action.control).button(), action.way);
        break;
    case Action::Kind::Breaker:
        work(house,
             house.loaded(house::floorPlan)
                 ->pictureBox(QStringLiteral("PicMagneto"), action.index)
                 .widget(),
             action.way);
        break;
    case Action::Kind::Compass:
        work(house, house.loaded(house::floorPlan)->button(action.control).button(), action.way);
        break;
    case Action::Kind::Close:
        house.loaded(action.window)->window()->close();
        house.settle();
        break;
    case Action::Kind::CloseHelp:
        house.loaded(help)->window()->close();
        house.settle();
        break;
    case Action::Kind::Exit:
        if (action.control == QLatin1String("F11")) {
            focusMainWindow(house);
            house.type(QKeySequence(Qt::Key_F11));
        } else if (action.control == QLatin1String("mnuSortir")) {
            house.chooseMenu(action.control);
        } else if (action.control == QLatin1String("keys")) {
            chooseByKeys(house, QStringLiteral("mnuSortir"));
        } else {
            work(house, house.loaded(house::floorPlan)->button(action.control).button(),
                 Action::Way::Mouse);
        }
        break;
    case Action::Kind::Key: {
        const Key& key = *keyNamed(action.control);
        QTest::keyClick(keyTarget(), key.key, key.modifiers);
        house.settle();
        break;
    }
    case Action::Kind::Resize:
        house.mainWindow().showNormal();
        house.mainWindow().resize(int(action.x), int(action.y));
        house.settle();
        break;
    }
}

namespace {

// The window of the house that holds `widget`, if any.
ui::Form* formHolding(HouseFixture& house, QWidget* widget) {
    const QStringList windows =
        QStringList{presentation, house::floorPlan, help} + house::indicatorWindows().mid(1);
    for (const QString& name : windows)
        if (ui::Form* form = house.loaded(name))
            if (form->surface() == widget || form->surface()->isAncestorOf(widget))
                return form;
    return nullptr;
}

// What Space or Enter does to the control that has the focus.
Action pressOfFocus(ui::Form& form, QWidget* focus, Action::Way way) {
    Action effect;
    effect.kind = Action::Kind::Key;
    effect.control = QStringLiteral("none");
    for (const auto& child : form.ui::Container::children()) {
        if (child->widget() != focus)
            continue;
        const QString& name = child->name();
        if (HouseModel::isRoom(form.name()) &&
            HouseModel::switchButtons(form.name()).contains(name)) {
            effect.kind = Action::Kind::Switch;
            effect.window = form.name();
        } else if (form.name() == house::floorPlan && compassButtons.contains(name)) {
            effect.kind = Action::Kind::Compass;
        } else if (form.name() == house::floorPlan && name == QLatin1String("PicMagneto")) {
            effect.kind = Action::Kind::Breaker;
            effect.index = child->index();
        } else if (form.name() == house::floorPlan && name == QLatin1String("CmdSortir")) {
            effect.kind = Action::Kind::Exit;
        }
        effect.control = name;
        effect.way = way;
    }
    return effect;
}

} // namespace

Action keyEffect(HouseFixture& house, const Action& key) {
    QWidget* target = keyTarget();
    ui::Form* form = target ? formHolding(house, target) : nullptr;
    // The main window's shortcuts work while it is the active window.
    const bool inMainWindow = QApplication::activeWindow() == &house.mainWindow();
    Action effect;
    effect.kind = Action::Kind::Key;
    effect.control = key.control;
    if (key.control == QLatin1String("space") || key.control == QLatin1String("enter")) {
        if (form)
            return pressOfFocus(*form, target,
                                key.control == QLatin1String("space") ? Action::Way::Space
                                                                      : Action::Way::Enter);
        effect.control = QStringLiteral("none");
    } else if (key.control == QLatin1String("escape")) {
        if (form && form->name() == help)
            effect.kind = Action::Kind::CloseHelp;
        else
            effect.control = QStringLiteral("none");
    } else if (key.control == QLatin1String("ctrl+f4")) {
        // Closes the window in front, as its close box does; the
        // presentation screen has none.
        const QString front = frontWindow(house);
        ui::Form* shown = front.isEmpty() ? nullptr : house.loaded(front);
        effect.control = QStringLiteral("none");
        if (inMainWindow && shown && shown->isShown() && front != presentation) {
            effect.kind = Action::Kind::Close;
            effect.window = front;
        }
    } else if (!key.control.startsWith(QLatin1String("ctrl+"))) {
        effect.control = QStringLiteral("none");
    } else if (!inMainWindow) {
        effect.control = QStringLiteral("none");
    }
    return effect;
}

std::uint64_t Random::next() {
    // splitmix64: small, fast, and the same sequence everywhere.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

namespace {

template <class T> const T& pick(Random& random, const QList<T>& list) {
    return list[random.below(int(list.size()))];
}

Action::Way randomWay(Random& random) {
    const int roll = random.below(20);
    return roll < 12 ? Action::Way::Mouse : roll < 17 ? Action::Way::Space : Action::Way::Enter;
}

// A plan area to press: an eager learner mostly heads for a dark room.
const house::PlanArea& randomArea(Random& random, const HouseModel& model,
                                  Temperament temperament) {
    const auto& areas = house::planAreas();
    if (temperament.eager && random.chance(0.8)) {
        std::vector<const house::PlanArea*> dark;
        for (const house::PlanArea& area : areas)
            if (!model.lit(area.window))
                dark.push_back(&area);
        if (!dark.empty())
            return *dark[random.below(int(dark.size()))];
    }
    return areas[random.below(int(areas.size()))];
}

Action randomPress(Random& random, const QString& window, const HouseModel& model,
                   Temperament temperament) {
    Action action;
    action.kind = Action::Kind::Press;
    action.window = window;
    if (random.chance(0.2)) {
        // Anywhere on the plan, the walls and the gaps between rooms too.
        action.x = random.below(1001) / 1000.0;
        action.y = random.below(1001) / 1000.0;
    } else {
        const house::PlanArea& area = randomArea(random, model, temperament);
        action.control = random.chance(0.5) ? area.indicator : area.target;
    }
    const int roll = random.below(20);
    action.button = roll < 12 ? Qt::LeftButton : roll < 17 ? Qt::RightButton : Qt::MiddleButton;
    if (random.chance(0.1))
        action.modifiers |= Qt::ShiftModifier;
    if (random.chance(0.05))
        action.modifiers |= Qt::ControlModifier;
    return action;
}

Action randomMenu(Random& random, const HouseModel& model, Temperament temperament) {
    Action action;
    action.kind = random.chance(0.25) ? Action::Kind::MenuKeys : Action::Kind::Menu;
    if (random.chance(0.08)) {
        action.control = QStringLiteral("mnuAjuda");
    } else if (temperament.eager && random.chance(0.7)) {
        QStringList dark;
        for (const house::Room& room : house::rooms())
            if (!model.lit(room.window))
                dark << HouseModel::menuItemOf(room.window);
        action.control = dark.isEmpty() ? QStringLiteral("mnuPlanta") : pick(random, dark);
    } else {
        action.control = pick(random, HouseModel::menuItems());
    }
    return action;
}

} // namespace

namespace {

// Tab most often, as a learner looks for a button, then Space and Enter.
QString randomKey(Random& random) {
    static const std::pair<const char*, int> choices[] = {
        {"tab", 6},      {"backtab", 2},        {"space", 5},   {"enter", 2},
        {"ctrl+tab", 2}, {"ctrl+shift+tab", 1}, {"ctrl+f4", 1}, {"escape", 1}};
    int roll = random.below(20);
    for (const auto& [name, weight] : choices) {
        if (roll < weight)
            return QString::fromLatin1(name);
        roll -= weight;
    }
    return QStringLiteral("tab");
}

} // namespace

Action randomResize(Random& random) {
    // Three sizes, small ones mostly: the pictures are kept at only a few
    // sizes each, so more sizes would have them rendered again and again,
    // and small windows paint fastest.
    static const QSize sizes[] = {{480, 360}, {640, 480}, {1024, 640}};
    const QSize size = sizes[random.below(int(std::size(sizes)))];
    Action action;
    action.kind = Action::Kind::Resize;
    action.x = size.width();
    action.y = size.height();
    return action;
}

Action randomAction(Random& random, HouseFixture& house, const HouseModel& model,
                    Temperament temperament) {
    struct Option {
        double weight;
        std::function<Action()> make;
    };
    std::vector<Option> options;
    const auto offer = [&](double weight, std::function<Action()> make) {
        options.push_back({weight, std::move(make)});
    };

    if (house.loaded(presentation)) {
        offer(6, [&] {
            Action action;
            action.kind = Action::Kind::Tick;
            const int roll = random.below(8);
            action.control = timers[roll < 5 ? 0 : roll < 7 ? 1 : 2];
            return action;
        });
    }
    offer(1.5, [&] { return randomMenu(random, model, temperament); });
    offer(0.3, [&] {
        Action action;
        action.kind = Action::Kind::PlanKey;
        return action;
    });
    offer(0.05, [&] { return randomResize(random); });
    if (keyTarget())
        offer(1.5, [&] {
            Action action;
            action.kind = Action::Kind::Key;
            action.control = randomKey(random);
            // The exit button ends the program only at the end of a run.
            if (keyEffect(house, action).kind == Action::Kind::Exit)
                action.control = QStringLiteral("tab");
            return action;
        });
    if (house.loaded(help))
        offer(0.4, [&] {
            Action action;
            action.kind = Action::Kind::CloseHelp;
            return action;
        });

    const QString front = frontWindow(house);
    ui::Form* form = front.isEmpty() ? nullptr : house.loaded(front);
    const bool shown = form && form->isShown() && front != presentation;
    if (shown) {
        offer(0.2, [&] {
            Action action;
            action.kind = Action::Kind::Close;
            action.window = front;
            return action;
        });
        offer(3, [&] { return randomPress(random, front, model, temperament); });
    }
    if (shown && front == house::floorPlan) {
        offer(1, [&] {
            Action action;
            action.kind = Action::Kind::Compass;
            action.control = pick(random, compassButtons);
            action.way = randomWay(random);
            return action;
        });
        offer(model.tripped() ? 3 : 0.3, [&] {
            Action action;
            action.kind = Action::Kind::Breaker;
            action.index = model.tripped() ? 0 : 1;
            action.way = randomWay(random);
            return action;
        });
    } else if (shown && HouseModel::isRoom(front)) {
        const double weight = temperament.eager && !model.lit(front) ? 12 : 5;
        offer(weight, [&] {
            Action action;
            action.kind = Action::Kind::Switch;
            action.window = front;
            action.control = pick(random, HouseModel::switchButtons(front));
            action.way = randomWay(random);
            return action;
        });
    }

    double total = 0;
    for (const Option& option : options)
        total += option.weight;
    double roll = random.unit() * total;
    for (const Option& option : options) {
        if (roll < option.weight)
            return option.make();
        roll -= option.weight;
    }
    return options.back().make();
}

Action randomExit(Random& random, HouseFixture& house) {
    Action action;
    action.kind = Action::Kind::Exit;
    QStringList ways = {"F11", "mnuSortir", "keys"};
    const QString front = frontWindow(house);
    if (front == house::floorPlan && house.loaded(front)->isShown())
        ways << QStringLiteral("CmdSortir");
    action.control = pick(random, ways);
    return action;
}

} // namespace testing
