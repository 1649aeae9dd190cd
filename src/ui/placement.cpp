// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/placement.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <optional>

namespace ui::placement {

namespace {

// The cascade of one client area: where the last new window went. It also
// keeps the windows inside the area when the area changes size, for the
// main window may be maximised only after its first children are placed.
class Cascade : public QObject {
    Q_OBJECT
  public:
    explicit Cascade(QMdiArea& area) : QObject(&area), area_(area) {
        area.viewport()->installEventFilter(this);
    }

    static Cascade& of(QMdiArea& area) {
        auto* cascade = area.findChild<Cascade*>(QString(), Qt::FindDirectChildrenOnly);
        return cascade ? *cascade : *new Cascade(area);
    }

    void place(QMdiSubWindow& frame) {
        const QRect client = area_.viewport()->rect();
        frame.resize(frame.size().boundedTo(client.size()));
        const int step = frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &frame);
        QPoint at = last_ ? *last_ + QPoint(step, step) : client.topLeft();
        if (!client.contains(QRect(at, frame.size())))
            at = client.topLeft();
        frame.move(at);
        last_ = at;
    }

    void keepInside(QMdiSubWindow& frame) const {
        if (frame.isMaximized() || frame.isMinimized())
            return;
        const QRect client = area_.viewport()->rect();
        const QRect r = frame.geometry();
        // A window larger than the area keeps its title bar in view.
        const int x = std::max(client.left(), std::min(r.left(), client.right() + 1 - r.width()));
        const int y = std::max(client.top(), std::min(r.top(), client.bottom() + 1 - r.height()));
        if (QPoint(x, y) != r.topLeft())
            frame.move(x, y);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            for (QMdiSubWindow* frame : area_.subWindowList())
                if (frame->isVisible())
                    keepInside(*frame);
        return QObject::eventFilter(watched, event);
    }

  private:
    QMdiArea& area_;
    std::optional<QPoint> last_;
};

} // namespace

void placeNew(QMdiSubWindow& frame) {
    if (QMdiArea* area = frame.mdiArea())
        Cascade::of(*area).place(frame);
}

void keepInside(QMdiSubWindow& frame) {
    if (QMdiArea* area = frame.mdiArea())
        Cascade::of(*area).keepInside(frame);
}

} // namespace ui::placement

#include "placement.moc"
