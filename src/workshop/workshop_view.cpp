// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/workshop_view.h"

#include "circuit/board.h"
#include "ui/pushbutton.h"
#include "workshop/board_items.h"
#include "workshop/board_view.h"
#include "workshop/breaker_button.h"
#include "workshop/look.h"
#include "workshop/palette.h"

#include <QAccessible>
#include <QAction>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <cmath>

namespace workshop {

namespace {

using circuit::Kind;

QString swatch(const QColor& colour, const QString& text) {
    return QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;%2")
        .arg(colour.name(), text);
}

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

QString WorkshopView::shortCircuitText() const {
    const QString where = bench_.exercise().combinationText(bench_.wiring().combination());
    return QStringLiteral("Curtcircuit! %1%2. El magnetotèrmic ha saltat: treu el conductor "
                          "que fa el curt i prem el magnetotèrmic per rearmar-lo.")
        .arg(bench_.solution().shortToEarth
                 ? QStringLiteral("La fase toca la terra")
                 : QStringLiteral("La fase toca el neutre sense passar per cap làmpada"),
             where.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(where));
}

WorkshopView::WorkshopView(Workbench& bench, QWidget* parent)
    : QWidget(parent), bench_(bench), board_(new BoardView(bench, this)),
      layout_(new QBoxLayout(QBoxLayout::LeftToRight, this)) {
    layout_->addWidget(board_, 1);
    layout_->addWidget(createPanel(), 0);
    createShortcuts();
    connect(&bench_, &Workbench::changed, this, &WorkshopView::showState);
    connect(&bench_, &Workbench::wiringChanged, this, &WorkshopView::forgetCheck);
    connect(board_, &BoardView::itemsChanged, this, &WorkshopView::orderTabs);
    connect(board_, &BoardView::selectionChanged, this,
            [this](int conductor) { removeConductor_->setVisible(conductor >= 0); });
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("Nota"));
    notice_->setStyleSheet(
        QStringLiteral("QLabel { background: #fff7c2; color: black; border: 1px solid #b8a200; "
                       "border-radius: 4px; padding: 4px 10px; }"));
    notice_->hide();
    noticeTime_ = new QTimer(this);
    noticeTime_->setSingleShot(true);
    noticeTime_->setInterval(4000);
    connect(noticeTime_, &QTimer::timeout, notice_, &QWidget::hide);
    showState();
    orderTabs();
}

void WorkshopView::showNotice(const QString& text) {
    notice_->setText(text);
    notice_->adjustSize();
    const QRect area = board_->geometry();
    notice_->move(area.left() + (area.width() - notice_->width()) / 2,
                  area.bottom() - notice_->height() - notice_->height() / 2);
    notice_->raise();
    notice_->show();
    noticeTime_->start();
}

QWidget* WorkshopView::createPanel() {
    panel_ = new QWidget(this);
    panelLayout_ = new QBoxLayout(QBoxLayout::TopToBottom, panel_);
    panelLayout_->setContentsMargins(0, 0, 0, 0);
    panelLayout_->addWidget(createAbout());
    if (bench_.exercise().findsFaults())
        panelLayout_->addWidget(createTester(panel_));
    panelLayout_->addWidget(createTableBlock());
    panelLayout_->addWidget(createControls(), 1);
    return panel_;
}

// The instruction and the legend of colours.
QWidget* WorkshopView::createAbout() {
    auto* about = new QWidget(panel_);
    auto* column = new QVBoxLayout(about);
    column->setContentsMargins(0, 0, 0, 0);
    instruction_ = wrappedLabel(bench_.exercise().instruction, about);
    instruction_->setObjectName(QStringLiteral("Instruccions"));
    column->addWidget(instruction_);
    legend_ = new QLabel(about);
    legend_->setObjectName(QStringLiteral("Llegenda"));
    legend_->setWordWrap(true);
    legend_->setText(legendText());
    column->addWidget(legend_);
    column->addWidget(createColours(about));
    column->addStretch(1);
    return about;
}

// The testers, the marks and the repair of a fault-finding exercise, shown
// instead of the legend and the palette until the faults are repaired.
QWidget* WorkshopView::createTester(QWidget* parent) {
    tester_ = new QWidget(parent);
    auto* grid = new QGridLayout(tester_);
    grid->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const QString& text, int row, int column, int span, QButtonGroup* group) {
        auto* b = new ui::PushButton(text, QString(), tester_);
        b->setObjectName(QString(text).remove(QLatin1Char('&')));
        b->setCheckable(group != nullptr);
        if (group)
            group->addButton(b);
        grid->addWidget(b, row, column, 1, span);
        return b;
    };
    // The tools' names are long: one a row.
    auto* modes = new QButtonGroup(tester_);
    const std::pair<QString, Workbench::Mode> tools[] = {
        {QStringLiteral("Comprovador de &tensió"), Workbench::Mode::VoltageTester},
        {QStringLiteral("Comprovador de co&ntinuïtat"), Workbench::Mode::ContinuityTester},
        {QStringLiteral("&Marca l'avaria"), Workbench::Mode::Mark}};
    for (int i = 0; i < 3; ++i) {
        QPushButton* b = button(tools[i].first, i, 0, 2, modes);
        b->setChecked(bench_.mode() == tools[i].second);
        connect(b, &QPushButton::clicked, this,
                [this, mode = tools[i].second] { bench_.setMode(mode); });
        modeButtons_.push_back(b);
    }
    auto* probes = new QButtonGroup(tester_);
    redProbe_ = button(QStringLiteral("Punta &vermella"), 3, 0, 1, probes);
    blackProbe_ = button(QStringLiteral("Punta ne&gra"), 3, 1, 1, probes);
    connect(redProbe_, &QPushButton::clicked, this,
            [this] { board_->setNextProbe(Workbench::Probe::Red); });
    connect(blackProbe_, &QPushButton::clicked, this,
            [this] { board_->setNextProbe(Workbench::Probe::Black); });
    connect(board_, &BoardView::nextProbeChanged, this, &WorkshopView::showTester);
    reading_ = new QLabel(tester_);
    reading_->setObjectName(QStringLiteral("Lectura"));
    reading_->setAlignment(Qt::AlignCenter);
    reading_->setStyleSheet(QStringLiteral("QLabel { background: #20303a; color: #b8ffb0; "
                                           "border-radius: 4px; padding: 2px; }"));
    grid->addWidget(reading_, 4, 0);
    repair_ = button(QStringLiteral("Re&para"), 4, 1, 1, nullptr);
    connect(repair_, &QPushButton::clicked, &bench_, &Workbench::repair);
    faultNote_ = wrappedLabel(QString(), tester_);
    faultNote_->setObjectName(QStringLiteral("Nota de l'avaria"));
    grid->addWidget(faultNote_, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
    connect(board_, &BoardView::faultMarked, this, [this](bool right) {
        faultNote_->setText(right ? QStringLiteral("Has trobat l'avaria")
                                  : QStringLiteral("Aquí no hi ha l'avaria"));
        faultNote_->setStyleSheet(right ? QStringLiteral("color: #006000")
                                        : QStringLiteral("color: #a00000"));
    });
    return tester_;
}

// What the tester shows and what can be done: the reading (its value is
// its name for assistive tools), the probe the next press places, and
// "Repara" once every fault is found. After the repair the palette is back.
void WorkshopView::showTester() {
    if (!tester_)
        return;
    // While the faults are sought, no colour tells where the phase is: the
    // testers do.
    const bool locked = bench_.locked();
    tester_->setVisible(locked);
    legend_->setVisible(!locked);
    colours_->setVisible(!locked);
    const bool testing = bench_.mode() != Workbench::Mode::Mark;
    redProbe_->setEnabled(testing);
    blackProbe_->setEnabled(testing);
    (board_->nextProbe() == Workbench::Probe::Red ? redProbe_ : blackProbe_)->setChecked(true);
    const circuit::Exercise& e = bench_.exercise();
    for (QPushButton* probe : {redProbe_, blackProbe_}) {
        const int t =
            bench_.probe(probe == redProbe_ ? Workbench::Probe::Red : Workbench::Probe::Black);
        probe->setAccessibleDescription(
            t < 0 ? QStringLiteral("sense posar")
                  : QStringLiteral("al born «%1»").arg(e.terminals[size_t(t)].name));
    }
    QString value = bench_.reading();
    if (value == circuit::continuityRefusal()) {
        faultNote_->setText(value);
        faultNote_->setStyleSheet(QStringLiteral("color: #a00000"));
        value.clear();
    }
    reading_->setText(value.isEmpty() ? QStringLiteral("—") : value);
    reading_->setAccessibleName(value.isEmpty() ? QStringLiteral("Sense lectura") : value);
    repair_->setEnabled(bench_.everyFaultFound());
}

// What the conductors' colours say: the insulation's, as an electrician
// chooses it, and the glow of the live ones.
QString WorkshopView::legendText() const {
    using circuit::Insulation;
    QString text =
        QStringLiteral("Aïllament: ") +
        swatch(insulationColour(Insulation::Brown), QStringLiteral("marró, negre o gris: fase; ")) +
        swatch(insulationColour(Insulation::Blue), QStringLiteral("blau: neutre"));
    if (bench_.exercise().earth >= 0)
        text += QStringLiteral("; ") + swatch(insulationColour(Insulation::GreenYellow),
                                              QStringLiteral("verd-groc: terra"));
    return text + QStringLiteral(".<br>Tensió: ") +
           swatch(potentialColour(circuit::Potential::Phase), QStringLiteral("a la fase; ")) +
           swatch(potentialColour(circuit::Potential::Between),
                  QStringLiteral("entre la fase i el neutre (làmpades en sèrie)."));
}

// The palette that colours the next conductor and the selected one, and
// whether the live ones glow.
QWidget* WorkshopView::createColours(QWidget* parent) {
    auto* block = new QWidget(parent);
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    colours_ = block;
    palette_ = new Palette(block);
    palette_->showChoice(board_->nextColour());
    connect(palette_, &Palette::chosen, board_, &BoardView::chooseColour);
    connect(board_, &BoardView::colourChanged, palette_, &Palette::showChoice);
    column->addWidget(palette_);
    showVoltage_ = new QCheckBox(QStringLiteral("&Mostra la tensió"), block);
    showVoltage_->setObjectName(QStringLiteral("Mostra la tensió"));
    showVoltage_->setChecked(true);
    // Only the box and its words take a press: no wider than they are.
    showVoltage_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    connect(showVoltage_, &QCheckBox::toggled, board_, &BoardView::setShowVoltage);
    column->addWidget(showVoltage_);
    return block;
}

// The live truth table and what its columns mean. A table longer than its
// place scrolls, and keeps the present row in sight.
QWidget* WorkshopView::createTableBlock() {
    auto* block = new QWidget(panel_);
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    const circuit::Exercise& e = bench_.exercise();
    if (e.bySequences)
        return createSequenceBlock(block, column);
    table_ =
        new QTableWidget(e.combinations(), int(e.switches.size() + 2 * e.lamps.size() + 1), block);
    table_->setObjectName(QStringLiteral("Taula de veritat"));
    table_->setAccessibleName(QStringLiteral("Taula de veritat"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(int(e.switches.size() + 2 * e.lamps.size()),
                                                     QHeaderView::ResizeToContents);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setHorizontalHeaderLabels(truthTableHeadings(e, QStringLiteral("\n")));
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(table_, 1);
    column->addWidget(
        wrappedLabel(QStringLiteral("Cal: el que demana l'exercici. Fa: el que fa el teu "
                                    "muntatge (½: llum feble; CC: curtcircuit)."),
                     block));
    // A board of sockets alone has no lamp to tabulate.
    block->setVisible(!e.lamps.empty());
    return block;
}

// A board with push buttons is judged by sequences: the table lists them,
// and after "Comprova" whether the wiring does each.
QWidget* WorkshopView::createSequenceBlock(QWidget* block, QVBoxLayout* column) {
    const circuit::Exercise& e = bench_.exercise();
    table_ = new QTableWidget(int(e.sequences.size()), 2, block);
    table_->setObjectName(QStringLiteral("Seqüències"));
    table_->setAccessibleName(QStringLiteral("Seqüències"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->verticalHeader()->hide();
    table_->setWordWrap(true);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setHorizontalHeaderLabels({QStringLiteral("Seqüència"), QStringLiteral("Fa")});
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(table_, 1);
    column->addWidget(wrappedLabel(QStringLiteral("Cada fila és una seqüència de pulsacions que "
                                                  "el muntatge ha de fer. Fa: ✓ si la fa, ✗ si "
                                                  "no, després de «Comprova»."),
                                   block));
    return block;
}

void WorkshopView::fillSequences() {
    const circuit::Report& report = bench_.report();
    for (int k = 0; k < table_->rowCount(); ++k) {
        const circuit::SequenceResult& result = report.sequences[size_t(k)];
        const QString done = !checked_       ? QString()
                             : result.passed ? QStringLiteral("✓")
                                             : QStringLiteral("✗");
        const QStringList cells = {result.name, done};
        for (int column = 0; column < 2; ++column) {
            QTableWidgetItem* item = table_->item(k, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(column ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
                table_->setItem(k, column, item);
            }
            item->setText(cells[column]);
            item->setToolTip(checked_ && !result.passed ? result.failure : QString());
            item->setBackground(checked_ && !result.passed && column
                                    ? QColor(255, 215, 215)
                                    : palette().color(QPalette::Button));
        }
    }
}

// The breaker beside the buttons, then the messages: the short circuit's,
// the verdict, and the way to the room. Messages come last and have their
// place kept, so nothing moves when one comes or goes.
QWidget* WorkshopView::createControls() {
    auto* controls = new QWidget(panel_);
    auto* column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    breaker_ = new BreakerButton(controls);
    connect(breaker_, &QAbstractButton::clicked, &bench_, &Workbench::pressBreaker);
    row->addWidget(breaker_, 0, Qt::AlignTop);
    row->addWidget(createButtons(), 1);
    column->addLayout(row);

    messages_ = new QWidget(controls);
    auto* messages = new QVBoxLayout(messages_);
    messages->setContentsMargins(0, 0, 0, 0);
    tripMessage_ = wrappedLabel(QString(), messages_);
    tripMessage_->setObjectName(QStringLiteral("Avís"));
    tripMessage_->setStyleSheet(QStringLiteral("color: #c00000"));
    messages->addWidget(tripMessage_);
    verdict_ = wrappedLabel(QString(), messages_);
    verdict_->setObjectName(QStringLiteral("Resultat"));
    verdict_->setAccessibleName(QStringLiteral("Resultat"));
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    messages->addWidget(verdict_);
    openRoom_ = new ui::PushButton(QStringLiteral("&Obre l'estança"), QString(), messages_);
    openRoom_->setObjectName(QStringLiteral("Obre l'estança"));
    openRoom_->hide();
    connect(openRoom_, &QPushButton::clicked, this,
            [this] { emit roomRequested(bench_.exercise().room); });
    messages->addWidget(openRoom_);
    messages->addStretch(1);
    column->addWidget(messages_, 1);
    return controls;
}

QWidget* WorkshopView::createButtons() {
    auto* buttons = new QWidget(this);
    auto* grid = new QGridLayout(buttons);
    grid->setContentsMargins(0, 0, 0, 0);
    auto make = [&](const QString& text, const QString& name, int row, int column) {
        auto* button = new ui::PushButton(text, QString(), buttons);
        button->setObjectName(name);
        grid->addWidget(button, row, column, 1, name == QLatin1String("Treu el conductor") ? 2 : 1);
        return button;
    };
    check_ = make(QStringLiteral("&Comprova"), QStringLiteral("Comprova"), 0, 0);
    clear_ = make(QStringLiteral("&Esborra-ho tot"), QStringLiteral("Esborra-ho tot"), 0, 1);
    undo_ = make(QStringLiteral("&Desfés"), QStringLiteral("Desfés"), 1, 0);
    redo_ = make(QStringLiteral("&Refés"), QStringLiteral("Refés"), 1, 1);
    // Shown while a conductor is selected, in a place kept for it.
    removeConductor_ =
        make(QStringLiteral("&Treu el conductor"), QStringLiteral("Treu el conductor"), 2, 0);
    QSizePolicy kept = removeConductor_->sizePolicy();
    kept.setRetainSizeWhenHidden(true);
    removeConductor_->setSizePolicy(kept);
    removeConductor_->hide();
    connect(removeConductor_, &QPushButton::clicked, board_, &BoardView::removeSelectedConductor);
    connect(check_, &QPushButton::clicked, this, &WorkshopView::checkWiring);
    connect(clear_, &QPushButton::clicked, &bench_, &Workbench::clearConductors);
    QUndoStack& stack = bench_.undoStack();
    connect(undo_, &QPushButton::clicked, &stack, &QUndoStack::undo);
    connect(redo_, &QPushButton::clicked, &stack, &QUndoStack::redo);
    connect(&stack, &QUndoStack::canUndoChanged, undo_, &QWidget::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, redo_, &QWidget::setEnabled);
    undo_->setEnabled(stack.canUndo());
    redo_->setEnabled(stack.canRedo());
    return buttons;
}

void WorkshopView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

void WorkshopView::arrange() {
    const qreal w = width(), h = height();
    const qreal boardWidth = circuit::board::Width + 2 * BoardView::Margin;
    const qreal boardHeight = circuit::board::Height + 2 * BoardView::Margin;
    // Text as large as the rooms' at the same window size.
    const qreal besideText = std::ceil(std::max<qreal>(12, std::min(w / 60, h / 46)));
    const qreal belowText = std::ceil(std::max<qreal>(12, std::min(w / 80, h / 60)));
    const qreal besideWidth = 21 * besideText, belowHeight = 0.32 * h;
    const qreal besideScale = std::min((w - besideWidth) / boardWidth, h / boardHeight);
    const qreal belowScale = std::min(w / boardWidth, (h - belowHeight) / boardHeight);
    const bool below = belowScale > 1.15 * besideScale;
    const qreal text = below ? belowText : besideText;

    QFont font = this->font();
    font.setPixelSize(int(text));
    panel_->setFont(font);
    // A style sheet that sets the weight would put back the default size.
    QFont bold = font;
    bold.setBold(true);
    tripMessage_->setFont(bold);
    layout_->setDirection(below ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    panelLayout_->setDirection(below ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    // Beside the board, the controls take the height left; below it, the
    // sections share the width.
    for (int i = 0; i < panelLayout_->count(); ++i)
        panelLayout_->setStretch(i, below || i == panelLayout_->count() - 1 ? 1 : 0);
    if (below) {
        panel_->setMinimumWidth(0);
        panel_->setMaximumWidth(QWIDGETSIZE_MAX);
        panel_->setFixedHeight(int(belowHeight));
    } else {
        panel_->setMinimumHeight(0);
        panel_->setMaximumHeight(QWIDGETSIZE_MAX);
        panel_->setFixedWidth(int(besideWidth));
    }
    breaker_->setDrawnHeight(int(5 * text));
    // The longest message's place is kept whether it shows or not.
    const int messageWidth = below ? int(w / panelLayout_->count()) : int(besideWidth);
    QLabel sample(tripMessage_->text().isEmpty() ? shortCircuitText() : tripMessage_->text());
    sample.setWordWrap(true);
    sample.setFont(bold);
    messages_->setMinimumHeight(sample.heightForWidth(messageWidth) + 2 * int(text));
    // The instruction is read whole; the truth table scrolls instead.
    instruction_->setMinimumHeight(instruction_->heightForWidth(messageWidth));
    if (reading_) {
        QFont large = bold;
        large.setPixelSize(int(1.4 * text));
        reading_->setFont(large);
    }
}

void WorkshopView::createShortcuts() {
    QUndoStack& stack = bench_.undoStack();
    auto* undo = stack.createUndoAction(this, QStringLiteral("Desfés"));
    undo->setShortcut(QKeySequence::Undo);
    auto* redo = stack.createRedoAction(this, QStringLiteral("Refés"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo, redo}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
}

void WorkshopView::showState() {
    showTester();
    const bool editable = !bench_.locked();
    clear_->setEnabled(editable);
    const bool tripped = bench_.tripped();
    breaker_->setState(tripped              ? BreakerButton::State::Tripped
                       : bench_.breakerOn() ? BreakerButton::State::On
                                            : BreakerButton::State::Off);
    if (tripped)
        tripMessage_->setText(shortCircuitText());
    tripMessage_->setVisible(tripped);
    fillTable();
}

void WorkshopView::fillTable() {
    const circuit::Exercise& e = bench_.exercise();
    if (e.bySequences) {
        fillSequences();
        return;
    }
    const circuit::Report& report = bench_.report();
    const int switches = int(e.switches.size()), lamps = int(e.lamps.size());
    const int present = bench_.wiring().combination();
    const auto& expected = checked_ ? report.expected : e.table;
    for (int k = 0; k < e.combinations(); ++k) {
        QStringList cells;
        for (int s = 0; s < switches; ++s)
            cells << QString::number(e.position(k, s));
        for (int l = 0; l < lamps; ++l)
            cells << (expected[size_t(k)][size_t(l)] ? QStringLiteral("1") : QStringLiteral("0"));
        const circuit::Outcome& outcome = report.outcomes[size_t(k)];
        for (int l = 0; l < lamps; ++l)
            cells << outcomeCell(outcome, l);
        const bool differs = checked_ && report.differs[size_t(k)];
        cells << (differs ? QStringLiteral("✗") : QString());
        // The row of the present positions is marked as in the rooms: red on white.
        const bool marked = k == present;
        for (int column = 0; column < cells.size(); ++column) {
            QTableWidgetItem* item = table_->item(k, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                table_->setItem(k, column, item);
            }
            item->setText(cells[column]);
            item->setForeground(marked ? QColor(255, 0, 0) : QColor(0, 0, 0));
            const bool learnerCell = column >= switches + lamps;
            item->setBackground(marked                   ? QColor(255, 255, 255)
                                : differs && learnerCell ? QColor(255, 215, 215)
                                                         : palette().color(QPalette::Button));
        }
    }
    table_->scrollToItem(table_->item(present, 0));
}

void WorkshopView::checkWiring() {
    checked_ = true;
    const circuit::Report& report = bench_.report();
    verdict_->setText(report.text);
    verdict_->setStyleSheet(report.verdict == circuit::Verdict::Correct
                                ? QStringLiteral("color: #006000")
                                : QStringLiteral("color: #a00000"));
    QAccessibleEvent event(verdict_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
    openRoom_->setVisible(report.verdict == circuit::Verdict::Correct &&
                          !bench_.exercise().room.isEmpty());
    fillTable();
}

void WorkshopView::forgetCheck() {
    checked_ = false;
    verdict_->clear();
    openRoom_->hide();
}

void WorkshopView::orderTabs() {
    std::vector<QWidget*> chain;
    const circuit::Exercise& e = bench_.exercise();
    size_t sw = 0, lamp = 0;
    for (int i = 0; i < int(e.components.size()); ++i) {
        while (sw < e.switches.size() && e.switches[sw] == i)
            chain.push_back(board_->switchButtons()[sw++]);
        for (BoardItem* t : board_->terminalItems())
            if (e.terminals[size_t(t->index())].component == i)
                chain.push_back(t);
        if (e.components[size_t(i)].kind == Kind::Lamp)
            chain.push_back(board_->lampItems()[lamp++]);
        for (BoardItem* part : board_->partItems())
            if (part->index() == i)
                chain.push_back(part);
    }
    for (BoardItem* c : board_->conductorItems())
        chain.push_back(c);
    for (QAbstractButton* colour : palette_->buttons())
        chain.push_back(colour);
    if (tester_)
        for (QWidget* w :
             std::initializer_list<QWidget*>{modeButtons_[0], modeButtons_[1], modeButtons_[2],
                                             repair_, redProbe_, blackProbe_})
            chain.push_back(w);
    for (QWidget* w :
         std::initializer_list<QWidget*>{showVoltage_, table_, breaker_, check_, clear_, undo_,
                                         redo_, removeConductor_, openRoom_})
        chain.push_back(w);
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

} // namespace workshop
