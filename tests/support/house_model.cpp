// SPDX-License-Identifier: GPL-3.0-or-later
#include "house_model.h"

#include "expected.h"
#include "house_fixture.h"

#include "house/catalogue.h"

namespace testing {

namespace {

const QString presentation = QStringLiteral("frmPresentació");
const QString plan = QStringLiteral("frmPlanta");
const QString help = QStringLiteral("FrmAjuda");

using expected::openingOrder;

const QStringList& windowsWithIndicators() {
    static const QStringList windows = house::indicatorWindows();
    return windows;
}

// The nine rooms in house order.
const QStringList& rooms() {
    static const QStringList windows = windowsWithIndicators().mid(1);
    return windows;
}

// The menu items that open a window, each with its window.
const QList<std::pair<QString, QString>> menu =
    QList<std::pair<QString, QString>>{{"mnuPlanta", "frmPlanta"}} + expected::roomMenu;

const QStringList viewCaptions = {"Aquesta és la cara SUD", "Aquesta és la cara OEST",
                                  "Aquesta és la cara NORD", "Aquesta és la cara EST"};
const QStringList compassButtons = {"CmdSud", "CmdOest", "CmdNord", "CmdEst"};

// One kind of circuit: the buttons that work its switches, the lines whose
// end points show their positions, its wiring, and the combination it is
// laid out in. Combination k has switch 0 as its most significant bit,
// and k is also the truth-table row that describes it.
struct Circuit {
    QStringList buttons;
    std::vector<wiring::PositionLine> positions;
    wiring::Netlist netlist;
    int initial;
    std::vector<wiring::Netlist::Flow> flows; // by combination

    Circuit(QStringList b, std::vector<wiring::PositionLine> p, wiring::Netlist n, int start)
        : buttons(std::move(b)), positions(std::move(p)), netlist(std::move(n)), initial(start) {
        for (int k = 0; k < rows(); ++k)
            flows.push_back(netlist.solve(k));
    }
    int rows() const { return 1 << buttons.size(); }
    int bitOf(int switchIndex) const { return 1 << (int(buttons.size()) - 1 - switchIndex); }
};

// The single switch: the lever joins the phase feed to the lamp when
// closed (position 1) and touches nothing when open.
wiring::Netlist singleSwitchDiagram() {
    wiring::Netlist n("phase", "neutral", "lamp.in", "lamp.out", 1);
    n.wire("Line5", "phase", "phase.tap");
    n.wire("Line1", "phase.tap", "S.pivot");
    n.wireWhen(0, 1, "Lineinterruptor", "S.pivot", "S.contact");
    n.wire("Line3", "S.contact", "lamp.in");
    n.wire("Line6", "lamp.out", "neutral.tap");
    n.wire("Line4", "neutral.tap", "neutral");
    return n;
}

const Circuit& circuitOf(const QString& room) {
    static const Circuit single({"CmdInterruptor"}, {{0, "Lineinterruptor", false, 6720, 7440}},
                                singleSwitchDiagram(), 0);
    // C1 on the lower traveller, C2 on the upper one: combination 1, dark.
    static const Circuit twoWay(
        {"CmdCommutador1", "CmdCommutador2"},
        {{0, "Lineinterruptor1", false, 6720, 7440}, {1, "LineInterruptor2", true, 6720, 7440}},
        wiring::twoWayDiagram(), 1);
    static const Circuit master({"CmdCommutador1", "CmdCreumement", "CmdCommutador2"},
                                {{0, "LineInterruptor1", false, 6840, 7320},
                                 {1, "Line_CR_1", false, 6840, 7320},
                                 {2, "LineInterruptor2", false, 6840, 7320}},
                                wiring::masterBedroomDiagram(), 0);
    if (room == QLatin1String("frmHab_mat"))
        return master;
    if (room == QLatin1String("frmEstudi") || room == QLatin1String("frmMenjadorbis"))
        return twoWay;
    return single;
}

QHash<QString, bool> allDark() {
    QHash<QString, bool> indicators;
    for (const house::PlanArea& area : house::planAreas())
        indicators.insert(area.indicator, false);
    return indicators;
}

QString yesNo(bool b) {
    return b ? QStringLiteral("yes") : QStringLiteral("no");
}
QString colour(ui::Color c) {
    return QStringLiteral("0x%1").arg(c, 8, 16, QLatin1Char('0'));
}

// The rectangle of a plan image on a given window: the kitchen's indicator
// stands 30 twips further left on the rooms other than the kitchen.
QRectF indicatorRect(const house::PlanArea& area, const QString& window) {
    QRectF rect = area.indicatorRect;
    if (area.indicator == QLatin1String("ImgCuina") && window != plan &&
        window != QLatin1String("frmCuina"))
        rect.moveLeft(house::kitchenIndicatorLeftOnOtherRooms);
    return rect;
}

} // namespace

HouseModel::HouseModel() = default;

bool HouseModel::isRoom(const QString& window) {
    return rooms().contains(window);
}

const QStringList& HouseModel::switchButtons(const QString& room) {
    return circuitOf(room).buttons;
}

const QStringList& HouseModel::menuItems() {
    static const QStringList items = [] {
        QStringList list;
        for (const auto& [item, window] : menu)
            list << item;
        return list;
    }();
    return items;
}

QString HouseModel::windowOfMenuItem(const QString& item) {
    for (const auto& [i, window] : menu)
        if (item == i)
            return window;
    return {};
}

QString HouseModel::menuItemOf(const QString& window) {
    for (const auto& [item, w] : menu)
        if (window == w)
            return item;
    return {};
}

bool HouseModel::lit(const QString& room) const {
    const auto it = rooms_.find(room);
    return it != rooms_.end() && circuitOf(room).flows[it->second.combination].lit;
}

bool HouseModel::isLoaded(const QString& window) const {
    if (window == presentation)
        return presentation_;
    if (window == plan)
        return planLoaded_;
    if (window == help)
        return help_;
    return rooms_.count(window) > 0;
}

void HouseModel::start() {
    *this = HouseModel();
    presentation_ = true;
    front_ = presentation;
    frontKnown_ = true;
}

void HouseModel::get(const QString& window) {
    if (isLoaded(window))
        return;
    if (window == plan) {
        // Loading the floor plan opens the nine rooms, then shows the plan in
        // front of them.
        planLoaded_ = true;
        planShown_ = false;
        tripped_ = false;
        view_ = -1;
        indicators_[plan] = allDark();
        showRooms();
        show(plan);
    } else if (isRoom(window)) {
        // A window is created dark; creating it writes no indicator.
        RoomState state;
        state.combination = circuitOf(window).initial;
        rooms_[window] = state;
        indicators_[window] = allDark();
    } else if (window == help) {
        help_ = true;
    }
}

void HouseModel::show(const QString& window) {
    get(window);
    if (window == plan)
        planShown_ = true;
    else if (isRoom(window))
        rooms_[window].shown = true;
    front_ = window;
    frontKnown_ = true;
    frontMaximised_ = false;
}

void HouseModel::maximise(const QString& window) {
    show(window);
    frontMaximised_ = true;
}

void HouseModel::showRooms() {
    for (const QString& room : openingOrder)
        show(room);
}

void HouseModel::unloadRooms() {
    for (const QString& room : rooms()) {
        rooms_.erase(room);
        indicators_.erase(room);
    }
}

void HouseModel::openFromMenu(const QString& item) {
    const QString window = windowOfMenuItem(item);
    show(window);
    maximise(window);
    presentation_ = false;
}

void HouseModel::apply(const Action& action, QPointF pressedAt, const QString& frontAfter) {
    switch (action.kind) {
    case Action::Kind::Tick:
        if (action.control == QLatin1String("TmrCarrega")) {
            barDrawn_ = true;
        } else if (action.control == QLatin1String("Rellotge2")) {
            demoLit_ = true;
        } else {
            show(plan);
            presentation_ = false;
        }
        break;
    case Action::Kind::Menu:
    case Action::Kind::MenuKeys:
        if (action.control == QLatin1String("mnuAjuda"))
            get(help);
        else
            openFromMenu(action.control);
        break;
    case Action::Kind::PlanKey:
        openFromMenu(QStringLiteral("mnuPlanta"));
        break;
    case Action::Kind::Press:
        press(action.window, pressedAt, frontAfter);
        break;
    case Action::Kind::Switch:
        switchClicked(action.window, action.control);
        break;
    case Action::Kind::Breaker:
        rearm();
        break;
    case Action::Kind::Compass:
        view_ = int(compassButtons.indexOf(action.control));
        break;
    case Action::Kind::Close:
        // Closing a room or the plan only hides it; which window comes to
        // the front is the window system's choice, and it is maximised if
        // the closed one was.
        if (action.window == plan)
            planShown_ = false;
        else
            rooms_[action.window].shown = false;
        frontMaximised_ = frontMaximised_ && front_ == action.window && frontAfter != action.window;
        front_ = frontAfter;
        break;
    case Action::Kind::CloseHelp:
        help_ = false;
        break;
    case Action::Kind::Exit:
        end();
        break;
    case Action::Kind::Resize:
    // Not taken by the random learner, so not followed here.
    case Action::Kind::Start:
    case Action::Kind::Click:
    case Action::Kind::Tap:
        break;
    case Action::Kind::Key:
        // A key that only moves the focus changes nothing; Ctrl+Tab brings
        // up the next window in the order the window system keeps.
        if (action.control.startsWith(QLatin1String("ctrl+")) &&
            action.control.endsWith(QLatin1String("tab"))) {
            front_ = frontAfter;
            frontMaximised_ = false;
        }
        break;
    }
}

void HouseModel::press(const QString& window, QPointF at, const QString& frontAfter) {
    // The tripped breaker disables every image of the floor plan.
    if (window == plan && tripped_)
        return;
    // Front to back: the shown indicators, then the click targets; the plan
    // picture behind them takes no press. Where two rooms of one layer
    // meet, either may take it.
    QStringList candidates;
    for (const house::PlanArea& area : house::planAreas())
        if (indicators_[window].value(area.indicator) && indicatorRect(area, window).contains(at) &&
            !candidates.contains(area.window))
            candidates << area.window;
    if (candidates.isEmpty())
        for (const house::PlanArea& area : house::planAreas())
            if (area.targetRect.contains(at) && !candidates.contains(area.window))
                candidates << area.window;
    if (candidates.isEmpty())
        return;
    QString target = candidates.first();
    if (candidates.size() > 1) {
        if (candidates.contains(frontAfter))
            target = frontAfter;
        else
            faults_ << QStringLiteral("press: a press on %1 at (%2, %3) brought up %4, not one of "
                                      "%5")
                           .arg(window)
                           .arg(at.x())
                           .arg(at.y())
                           .arg(frontAfter, candidates.join(QLatin1Char(' ')));
    }
    maximise(target);
}

void HouseModel::switchClicked(const QString& room, const QString& button) {
    const Circuit& circuit = circuitOf(room);
    RoomState& state = rooms_[room];
    state.combination ^= circuit.bitOf(int(circuit.buttons.indexOf(button)));
    state.switched = true;
    const bool on = lit(room);
    writeIndicators(room, on);
    maximise(room);
    if (!on)
        return;
    // The overload check reads the acting window's indicators; they must
    // tell the same as the lamps of the house.
    bool allShown = true;
    for (const bool shown : std::as_const(indicators_[room]))
        allShown = allShown && shown;
    bool allLit = true;
    for (const QString& r : rooms())
        allLit = allLit && lit(r);
    if (allShown != allLit)
        faults_ << QStringLiteral("trip: after lighting %1 its window shows all ten indicators: "
                                  "%2, every lamp of the house lit: %3")
                       .arg(room, yesNo(allShown), yesNo(allLit));
    if (allShown)
        trip();
}

void HouseModel::writeIndicators(const QString& room, bool lit) {
    const QStringList indicators = house::room(room).indicators;
    for (const QString& indicator : indicators)
        indicators_[room][indicator] = lit;
    for (const QString& indicator : indicators)
        for (const QString& window : windowsWithIndicators())
            if (window != room) {
                get(window);
                indicators_[window][indicator] = lit;
            }
}

void HouseModel::trip() {
    maximise(plan);
    tripped_ = true;
    ++trips_;
    unloadRooms();
    indicators_[plan] = allDark();
}

void HouseModel::rearm() {
    tripped_ = false;
    showRooms();
    // The plan shows the lamps that are lit, rooms that were not loaded
    // being created dark.
    for (const QString& room : rooms())
        for (const QString& indicator : house::room(room).indicators)
            indicators_[plan][indicator] = lit(room);
    maximise(plan);
}

void HouseModel::end() {
    const int trips = trips_;
    *this = HouseModel();
    ended_ = true;
    trips_ = trips;
}

QStringList HouseModel::check(HouseFixture& house) {
    QStringList out = faults_;
    faults_.clear();
    checkWindows(house, out);
    if (ended_)
        return out;
    checkPresentation(house, out);
    checkPlan(house, out);
    for (const auto& [room, state] : rooms_)
        if (house.loaded(room))
            checkRoom(house, room, out);
    checkIndicators(house, out);
    return out;
}

void HouseModel::checkWindows(HouseFixture& house, QStringList& out) const {
    if (house.mainWindow().isVisible() == ended_)
        out << QStringLiteral("windows: the main window is %1 while the program %2")
                   .arg(ended_ ? "visible" : "hidden", ended_ ? "has ended" : "runs");
    if (ended_ && !testing::programEnded())
        out << QStringLiteral("windows: the program has not ended");
    for (const QString& window : QStringList{presentation, plan, help} + rooms())
        if (bool(house.loaded(window)) != isLoaded(window))
            out << QStringLiteral("windows: %1 is %2loaded")
                       .arg(window, house.loaded(window) ? "" : "not ");
    if (ended_)
        return;

    const QString front = frontWindow(house);
    if (frontKnown_ && front != front_)
        out << QStringLiteral("front: %1 is in front, expected %2").arg(front, front_);
    ui::Form* form = front.isEmpty() ? nullptr : house.loaded(front);
    if (!front.isEmpty() && !form)
        out << QStringLiteral("front: the window in front, %1, is not loaded").arg(front);
    // Once the last child showing is closed, the area keeps it as its
    // current window; nothing shows then.
    if (form && !form->isShown())
        for (const QString& window : QStringList{presentation, plan} + rooms())
            if (ui::Form* other = house.loaded(window); other && other->isShown())
                out << QStringLiteral("front: %1 is showing, but the window in front, %2, is "
                                      "hidden")
                           .arg(window, front);
    if (frontMaximised_ && form && form->windowState() != ui::Form::WindowState::Maximized)
        out << QStringLiteral("front: %1 is not maximised").arg(front);

    if (ui::Form* p = house.loaded(plan); p && p->isShown() != planShown_)
        out << QStringLiteral("windows: the floor plan is %1")
                   .arg(p->isShown() ? "showing" : "hidden");
    for (const auto& [room, state] : rooms_)
        if (ui::Form* r = house.loaded(room); r && r->isShown() != state.shown)
            out << QStringLiteral("windows: %1 is %2")
                       .arg(room, r->isShown() ? "showing" : "hidden");
    if (ui::Form* h = house.loaded(help)) {
        if (!h->isShown())
            out << QStringLiteral("help: the help window is loaded but hidden");
        if (!h->window()->isWindow() || h->window()->parentWidget())
            out << QStringLiteral("help: the help window is not a top-level window");
    }
}

void HouseModel::checkPresentation(HouseFixture& house, QStringList& out) const {
    ui::Form* form = house.loaded(presentation);
    if (!form)
        return;
    const ui::Image& bar = form->image(QStringLiteral("ImgCarrega"));
    if (bar.visible() != barDrawn_ || (barDrawn_ && bar.width() != 5295.0f))
        out << QStringLiteral("presentation: the loading bar shows %1 at width %2")
                   .arg(yesNo(bar.visible()))
                   .arg(bar.width());
    const bool lampLit = form->shape(QStringLiteral("ShpBombeta")).backStyle() == 1;
    const bool closed = form->line(QStringLiteral("Line9")).visible();
    const bool open = form->line(QStringLiteral("Line3")).visible();
    if (lampLit != demoLit_ || closed != demoLit_ || open == demoLit_)
        out << QStringLiteral("presentation: demonstration lamp lit %1, closed lever %2, open "
                              "lever %3")
                   .arg(yesNo(lampLit), yesNo(closed), yesNo(open));
}

void HouseModel::checkPlan(HouseFixture& house, QStringList& out) const {
    ui::Form* form = house.loaded(plan);
    if (!form)
        return;
    const bool trippedPicture = form->pictureBox(QStringLiteral("PicMagneto"), 0).visible();
    const bool armedPicture = form->pictureBox(QStringLiteral("PicMagneto"), 1).visible();
    const bool message = form->label(QStringLiteral("lblMagneto")).visible();
    const bool warning = form->image(QStringLiteral("ImgAvis")).visible();
    if (trippedPicture != tripped_ || armedPicture == tripped_ || message != tripped_ ||
        warning != tripped_)
        out << QStringLiteral("breaker: expected %1; tripped picture %2, armed picture %3, "
                              "message %4, warning %5")
                   .arg(tripped_ ? "tripped" : "armed", yesNo(trippedPicture), yesNo(armedPicture),
                        yesNo(message), yesNo(warning));
    if (!form->label(QStringLiteral("LblAvisPia")).visible())
        out << QStringLiteral("breaker: the standing warning is hidden");
    for (const house::PlanArea& area : house::planAreas())
        for (const QString& image : {area.indicator, area.target})
            if (form->image(image).enabled() == tripped_)
                out << QStringLiteral("breaker: the plan image %1 is %2")
                           .arg(image, tripped_ ? "enabled while tripped" : "disabled while armed");

    const QString caption = form->label(QStringLiteral("LblVista")).caption();
    QString expected;
    for (int i = 0; i < 4; ++i) {
        const bool visible = form->pictureBox(QStringLiteral("PicVistes"), i).visible();
        if (visible != (view_ < 0 || view_ == i))
            out << QStringLiteral("views: PicVistes(%1) is %2")
                       .arg(i)
                       .arg(visible ? "shown" : "hidden");
    }
    if (view_ >= 0)
        expected = viewCaptions[view_];
    if (caption != expected)
        out << QStringLiteral("views: the caption reads \"%1\", expected \"%2\"")
                   .arg(caption, expected);
}

void HouseModel::checkRoom(HouseFixture& house, const QString& room, QStringList& out) const {
    const ui::Form& form = *house.loaded(room);
    const RoomState& state = rooms_.at(room);
    const Circuit& circuit = circuitOf(room);
    const house::Room& r = house::room(room);

    // The switch positions, read back from the lines that show them.
    int shown = 0;
    for (const wiring::PositionLine& p : circuit.positions) {
        const ui::Line& line = form.line(p.line);
        const float at = p.firstEnd ? line.y1() : line.y2();
        if (at != p.position1 && at != p.position0) {
            out << QStringLiteral("lever: %1 %2 ends at %3, on no contact")
                       .arg(room, p.line)
                       .arg(at);
            return;
        }
        if (at == p.position1)
            shown |= circuit.bitOf(p.switchIndex);
    }
    if (shown != state.combination) {
        out << QStringLiteral("lever: %1 shows combination %2, expected %3")
                   .arg(room)
                   .arg(shown)
                   .arg(state.combination);
        return;
    }
    const wiring::Netlist::Flow& flow = circuit.flows[state.combination];
    if (room == QLatin1String("frmHab_mat")) {
        // The crossover's second link always mirrors the first.
        const float first = form.line(QStringLiteral("Line_CR_1")).y2();
        const float second = form.line(QStringLiteral("Line_CR_2")).y2();
        if (second != (first == 6840.0f ? 7320.0f : 6840.0f))
            out << QStringLiteral("lever: frmHab_mat's crossover links end at %1 and %2")
                       .arg(first)
                       .arg(second);
    }

    // Before the first switch action the conductors keep the layout's
    // default colour; afterwards the live ones are red and the rest black.
    for (const QString& conductor : circuit.netlist.conductors()) {
        const ui::Color expected = !state.switched                 ? ui::colors::WindowText
                                   : flow.live.contains(conductor) ? ui::colors::Red
                                                                   : ui::colors::Black;
        const ui::Color actual = form.line(conductor).borderColor();
        if (actual != expected)
            out << QStringLiteral("conductor: %1 %2 is %3, expected %4 (combination %5)")
                       .arg(room, conductor, colour(actual), colour(expected))
                       .arg(state.combination);
    }

    const int backStyle = form.shape(QStringLiteral("ShpBombeta")).backStyle();
    if (backStyle != (flow.lit ? 1 : 0))
        out << QStringLiteral("lamp: %1's lamp has back style %2 in combination %3")
                   .arg(room)
                   .arg(backStyle)
                   .arg(state.combination);

    // The layout shows both photographs, the dark one in front.
    const bool litPhoto = form.pictureBox(r.photographs, 0).visible();
    const bool darkPhoto = form.pictureBox(r.photographs, 1).visible();
    if (litPhoto != (flow.lit || !state.switched) || darkPhoto != !flow.lit)
        out << QStringLiteral("photograph: %1 shows lit %2, dark %3 in combination %4")
                   .arg(room, yesNo(litPhoto), yesNo(darkPhoto))
                   .arg(state.combination);

    int highlighted = 0;
    for (int row = 0; row < circuit.rows(); ++row) {
        const ui::Label& label = form.label(QStringLiteral("LblTaula"), row);
        const bool marked =
            label.foreColor() == ui::colors::Red && label.backColor() == ui::colors::White;
        highlighted += marked ? 1 : 0;
        const bool expectMarked = state.switched && row == state.combination;
        const ui::Color fore = expectMarked     ? ui::colors::Red
                               : state.switched ? ui::colors::Black
                                                : ui::colors::ButtonText;
        const ui::Color back = expectMarked ? ui::colors::White : ui::colors::ButtonFace;
        if (label.foreColor() != fore || label.backColor() != back)
            out << QStringLiteral("table: %1 row %2 is %3 on %4, expected %5 on %6")
                       .arg(room)
                       .arg(row)
                       .arg(colour(label.foreColor()), colour(label.backColor()), colour(fore),
                            colour(back));
    }
    if (highlighted != (state.switched ? 1 : 0))
        out << QStringLiteral("table: %1 highlights %2 rows").arg(room).arg(highlighted);

    // The room is marked in red on its own miniature plan from its load on.
    if (!r.activeFrame.isEmpty()) {
        if (form.shape(r.activeFrame).borderColor() != ui::colors::Red)
            out << QStringLiteral("frame: %1's active-room frame is not red").arg(room);
    } else {
        for (int i = 1; i <= 6; ++i) {
            const ui::Line& line = form.line(QStringLiteral("Line%1_activa").arg(i));
            if (line.borderStyle() != 1 || line.borderColor() != ui::colors::Red)
                out << QStringLiteral("frame: %1's outline line %2 is not drawn red")
                           .arg(room)
                           .arg(i);
        }
    }
}

void HouseModel::checkIndicators(HouseFixture& house, QStringList& out) const {
    for (const auto& [window, expected] : indicators_) {
        ui::Form* form = house.loaded(window);
        if (!form)
            continue;
        for (const house::PlanArea& area : house::planAreas()) {
            const bool shown = form->image(area.indicator).visible();
            if (shown != expected.value(area.indicator))
                out << QStringLiteral("indicator: %1 on %2 is %3")
                           .arg(area.indicator, window, shown ? "shown" : "hidden");
        }
        if (form->image(QStringLiteral("ImgMenjador1")).visible() !=
            form->image(QStringLiteral("ImgMenjador2")).visible())
            out << QStringLiteral("indicator: the two dining-room indicators differ on %1")
                       .arg(window);
    }

    // A room's indicators agree, on every window that shows them, with the
    // lamp as the room's own window draws it.
    for (const auto& [room, state] : rooms_) {
        const ui::Form* form = house.loaded(room);
        if (!form)
            continue;
        const QString photographs = house::room(room).photographs;
        const bool lampShown = form->pictureBox(photographs, 0).visible() &&
                               !form->pictureBox(photographs, 1).visible();
        for (const QString& window : windowsWithIndicators()) {
            const ui::Form* other = house.loaded(window);
            if (!other)
                continue;
            for (const QString& indicator : house::room(room).indicators) {
                const bool shown = other->image(indicator).visible();
                if (shown != lampShown)
                    out << QStringLiteral("agreement: %1 is %2 on %3 while %4 is %5")
                               .arg(indicator, shown ? "shown" : "hidden", window, room,
                                    lampShown ? "lit" : "dark");
            }
        }
    }
}

} // namespace testing
