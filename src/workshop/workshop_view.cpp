// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/workshop_view.h"

#include "ui/pushbutton.h"
#include "workshop/board_items.h"
#include "workshop/board_view.h"
#include "workshop/breaker_button.h"
#include "workshop/look.h"

#include <QAccessible>
#include <QAction>
#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

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

WorkshopView::WorkshopView(Workbench& bench, QWidget* parent)
    : QWidget(parent), bench_(bench), board_(new BoardView(bench, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(board_, 1);
    layout->addWidget(createPanel(), 0);
    createShortcuts();
    connect(&bench_, &Workbench::changed, this, &WorkshopView::showState);
    connect(&bench_, &Workbench::wiringChanged, this, &WorkshopView::forgetCheck);
    connect(board_, &BoardView::itemsChanged, this, &WorkshopView::orderTabs);
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
    auto* panel = new QWidget(this);
    panel->setMinimumWidth(250);
    panel->setMaximumWidth(340);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    instruction_ = wrappedLabel(bench_.exercise().instruction, panel);
    instruction_->setObjectName(QStringLiteral("Instruccions"));
    column->addWidget(instruction_);

    auto* legend = new QLabel(panel);
    legend->setObjectName(QStringLiteral("Llegenda"));
    legend->setWordWrap(true);
    legend->setText(
        swatch(potentialColour(circuit::Potential::Phase), QStringLiteral("a la fase")) +
        QStringLiteral(" &nbsp; ") +
        swatch(potentialColour(circuit::Potential::Neutral), QStringLiteral("al neutre")) +
        QStringLiteral(" &nbsp; ") +
        swatch(potentialColour(circuit::Potential::None), QStringLiteral("sense connexió")) +
        QStringLiteral("<br>") +
        swatch(potentialColour(circuit::Potential::Between),
               QStringLiteral("entre la fase i el neutre (làmpades en sèrie)")));
    column->addWidget(legend);

    const circuit::Exercise& e = bench_.exercise();
    table_ =
        new QTableWidget(e.combinations(), int(e.switches.size() + 2 * e.lamps.size() + 1), panel);
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
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(table_);
    column->addWidget(
        wrappedLabel(QStringLiteral("Cal: el que demana l'exercici. Fa: el que fa el teu "
                                    "muntatge (½: llum feble; CC: curtcircuit)."),
                     panel));

    auto* breakerRow = new QHBoxLayout;
    breaker_ = new BreakerButton(panel);
    breaker_->setMinimumSize(breaker_->sizeHint());
    connect(breaker_, &QAbstractButton::clicked, &bench_, &Workbench::rearm);
    tripMessage_ = wrappedLabel(QString(), panel);
    tripMessage_->setObjectName(QStringLiteral("Avís"));
    tripMessage_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    breakerRow->addWidget(breaker_);
    breakerRow->addWidget(tripMessage_, 1);
    column->addLayout(breakerRow);

    column->addWidget(createButtons());
    verdict_ = wrappedLabel(QString(), panel);
    verdict_->setObjectName(QStringLiteral("Resultat"));
    verdict_->setAccessibleName(QStringLiteral("Resultat"));
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    column->addWidget(verdict_);
    openRoom_ = new ui::PushButton(QStringLiteral("&Obre l'estança"), QString(), panel);
    openRoom_->setObjectName(QStringLiteral("Obre l'estança"));
    openRoom_->hide();
    connect(openRoom_, &QPushButton::clicked, this,
            [this] { emit roomRequested(bench_.exercise().room); });
    column->addWidget(openRoom_);
    column->addStretch(1);
    return panel;
}

QWidget* WorkshopView::createButtons() {
    auto* buttons = new QWidget(this);
    auto* grid = new QGridLayout(buttons);
    grid->setContentsMargins(0, 0, 0, 0);
    auto make = [&](const QString& text, const QString& name, int row, int column) {
        auto* button = new ui::PushButton(text, QString(), buttons);
        button->setObjectName(name);
        grid->addWidget(button, row, column);
        return button;
    };
    check_ = make(QStringLiteral("&Comprova"), QStringLiteral("Comprova"), 0, 0);
    clear_ = make(QStringLiteral("&Esborra-ho tot"), QStringLiteral("Esborra-ho tot"), 0, 1);
    undo_ = make(QStringLiteral("&Desfés"), QStringLiteral("Desfés"), 1, 0);
    redo_ = make(QStringLiteral("&Refés"), QStringLiteral("Refés"), 1, 1);
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
    const bool tripped = bench_.tripped();
    breaker_->setTripped(tripped);
    if (tripped)
        tripMessage_->setText(
            QStringLiteral("Curtcircuit! La fase toca el neutre sense passar per cap "
                           "làmpada (%1). El magnetotèrmic ha saltat: treu el conductor "
                           "que fa el curt i prem el magnetotèrmic per rearmar-lo.")
                .arg(bench_.exercise().combinationText(bench_.wiring().combination())));
    tripMessage_->setVisible(tripped);
    fillTable();
}

void WorkshopView::fillTable() {
    const circuit::Exercise& e = bench_.exercise();
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
        if (circuit::isSwitch(e.components[size_t(i)].kind))
            chain.push_back(board_->switchButtons()[sw++]);
        for (BoardItem* t : board_->terminalItems())
            if (e.terminals[size_t(t->index())].component == i)
                chain.push_back(t);
        if (e.components[size_t(i)].kind == Kind::Lamp)
            chain.push_back(board_->lampItems()[lamp++]);
    }
    for (BoardItem* c : board_->conductorItems())
        chain.push_back(c);
    for (QWidget* w :
         std::initializer_list<QWidget*>{table_, breaker_, check_, clear_, undo_, redo_, openRoom_})
        chain.push_back(w);
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

} // namespace workshop
