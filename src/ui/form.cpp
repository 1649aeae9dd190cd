// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form.h"

#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/placement.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace ui {

namespace {
QString keyOf(const QString& name, int index) {
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}
} // namespace

Form::Form(QString name, QString caption, QSizeF designTwips, Kind kind)
    : Container(this), name_(std::move(name)), caption_(std::move(caption)), design_(designTwips),
      kind_(kind) {
    createSurface(nullptr);
    surface()->setObjectName(name_);
    surface()->setWindowTitle(caption_);
    surface()->resize((design_ / twipsPerPixel).toSize());
    if (kind_ == Kind::TopLevel)
        surface()->installEventFilter(this);
}

Form::~Form() {
    stopTimers();
    if (frame_) {
        // The frame sends events to its filters while it is being destroyed,
        // when it is no longer a sub-window; stop watching it first.
        frame_->removeEventFilter(this);
        delete frame_.data();
    } else {
        delete surface();
    }
}

void Form::setBackColor(Color c) {
    back_ = c;
    surface()->update();
}

void Form::removeTitleBar() {
    if (frame_)
        frame_->setWindowFlags(Qt::FramelessWindowHint);
}

void Form::setCaption(const QString& caption) {
    caption_ = caption;
    surface()->setWindowTitle(caption_);
    if (frame_)
        frame_->setWindowTitle(caption_);
}

void Form::attach(QMdiSubWindow* frame) {
    frame_ = frame;
    if (!frame_)
        return;
    frame_->setWindowTitle(caption_);
    frame_->installEventFilter(this);
    // A child window opens with its design client area inside its frame.
    frame_->resize(surface()->size().grownBy(frame_->contentsMargins()));
}

void Form::detach() {
    stopTimers();
    if (QWidget* w = window())
        w->hide();
    if (frame_ && forms::host())
        forms::host()->area().removeSubWindow(frame_);
}

void Form::stopTimers() {
    for (Control* control : std::as_const(byName_))
        if (auto* timer = dynamic_cast<Timer*>(control))
            timer->setEnabled(false);
}

QWidget* Form::window() const {
    return frame_ ? static_cast<QWidget*>(frame_.data()) : surface();
}

void Form::Show() {
    if (frame_) {
        if (forms::host())
            forms::host()->showHost();
        if (frame_->isHidden()) {
            if (placed_) {
                placement::keepInside(*frame_);
            } else {
                placement::placeNew(*frame_);
                placed_ = true;
            }
            frame_->show();
        }
        frame_->mdiArea()->setActiveSubWindow(frame_);
        frame_->raise();
        return;
    }
    surface()->show();
    surface()->raise();
    surface()->activateWindow();
}

void Form::setWindowState(WindowState state) {
    Show();
    QWidget* w = window();
    if (state == WindowState::Maximized)
        w->showMaximized();
    else
        w->showNormal();
    if (frame_)
        frame_->mdiArea()->setActiveSubWindow(frame_);
}

Form::WindowState Form::windowState() const {
    return window()->isMaximized() ? WindowState::Maximized : WindowState::Normal;
}

bool Form::isShown() const {
    return !window()->isHidden();
}

void Form::setLayoutExtent(QSizeF twips) {
    fixedExtent_ = twips;
    extent_ = twips;
    placement_.reset();
    layoutChildren();
    surface()->update();
}

QSizeF Form::layoutExtent() const {
    if (!extent_) {
        QRectF all;
        for (const auto& child : Container::children())
            all = all.united(child->bounds());
        // The margins right and below match those left and above.
        extent_ =
            QSizeF(std::max<qreal>(all.right() + std::max<qreal>(all.left(), 0), twipsPerPixel),
                   std::max<qreal>(all.bottom() + std::max<qreal>(all.top(), 0), twipsPerPixel));
    }
    return *extent_;
}

const Form::Placement& Form::placement() const {
    const QSize size = surface()->size();
    if (!placement_ || placement_->size != size) {
        const QSizeF extent = layoutExtent();
        Placement p{size, 1.0 / twipsPerPixel, {}};
        if (!size.isEmpty())
            p.scale = std::min(size.width() / extent.width(), size.height() / extent.height());
        const QSizeF used = extent * p.scale;
        p.origin = QPointF((size.width() - used.width()) / 2, (size.height() - used.height()) / 2);
        placement_ = p;
    }
    return *placement_;
}

qreal Form::pixelsPerTwip() const {
    return placement().scale;
}

QPointF Form::origin() const {
    return placement().origin;
}

void Form::resized() {
    layoutChildren();
    surface()->update();
}

Line& Form::line(const QString& n, int i) const {
    return get<Line>(n, i);
}
Shape& Form::shape(const QString& n, int i) const {
    return get<Shape>(n, i);
}
Image& Form::image(const QString& n, int i) const {
    return get<Image>(n, i);
}
Label& Form::label(const QString& n, int i) const {
    return get<Label>(n, i);
}
PictureBox& Form::pictureBox(const QString& n, int i) const {
    return get<PictureBox>(n, i);
}
CommandButton& Form::button(const QString& n, int i) const {
    return get<CommandButton>(n, i);
}
Frame& Form::frame(const QString& n, int i) const {
    return get<Frame>(n, i);
}
Timer& Form::timer(const QString& n, int i) const {
    return get<Timer>(n, i);
}

Control* Form::find(const QString& name, int index) const {
    return byName_.value(keyOf(name, index));
}

void Form::registerControl(Control& control) {
    byName_.insert(keyOf(control.name(), control.index()), &control);
    extent_ = fixedExtent_;
    placement_.reset();
}

void Form::missing(const QString& name, int index) const {
    qFatal("%s has no control %s", qUtf8Printable(name_), qUtf8Printable(keyOf(name, index)));
}

void Form::hideChild() {
    if (!frame_) {
        window()->hide();
        return;
    }
    // A hidden child must not stay maximised: the area restores its
    // maximised children whenever another one is brought up, and restoring
    // a hidden one would show it again. The maximised mode goes on with the
    // child that comes to the front instead.
    const bool maximised = frame_->isMaximized();
    frame_->showNormal();
    frame_->hide();
    QMdiArea* area = frame_->mdiArea();
    if (!area)
        return;
    area->activatePreviousSubWindow();
    QMdiSubWindow* front = area->activeSubWindow();
    if (maximised && front && front != frame_ && front->isVisible())
        front->showMaximized();
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::Close) {
        if (closeBox_ == CloseBox::Hides) {
            event->ignore();
            hideChild();
            return true;
        }
        forms::unload(name_);
        // A top-level window lets the close go on, so that closing the last
        // window on the screen ends the program.
        if (kind_ == Kind::TopLevel)
            return false;
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
