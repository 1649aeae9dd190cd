// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility.h"

#include "ui/form.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/picturebox.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace ui {

namespace {

// The interfaces of the light controls that have been asked for, so that
// changes can be announced on them.
QHash<const Control*, QAccessible::Id>& lightControlIds() {
    static QHash<const Control*, QAccessible::Id> ids;
    return ids;
}

const Label* asLabel(const Control& control) {
    return dynamic_cast<const Label*>(&control);
}

// Controls with widgets are always reported and labels for what they say;
// other light controls (images, shapes, lines) only once they have a name.
bool isReported(const Control& control) {
    return control.widget() || asLabel(control) || !control.accessibleName().isEmpty();
}

// A label's caption as it is read aloud: the blanks that line up its
// columns on the screen collapsed, its line breaks kept.
QString spokenText(QString caption) {
    caption.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = caption.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.simplified();
    return lines.join(QLatin1Char('\n')).trimmed();
}

bool isOpaqueLabel(const Control& control) {
    const Label* label = asLabel(control);
    return label && label->backStyle() == 1;
}

// Whether a visible sibling covers the whole control: widgets lie over
// everything their container draws and over the widgets made before them;
// an opaque label lies over the light controls made before it.
bool isHiddenBehind(const Control& control) {
    bool inFront = false;
    for (const auto& sibling : control.host().children()) {
        if (sibling.get() == &control) {
            inFront = true;
            continue;
        }
        const bool drawnOver = sibling->widget()
                                   ? inFront || !control.widget()
                                   : inFront && !control.widget() && isOpaqueLabel(*sibling);
        if (drawnOver && sibling->visible() && sibling->bounds().contains(control.bounds()))
            return true;
    }
    return false;
}

// A control that its container draws: a child without a widget of its own.
class LightControlInterface : public QAccessibleInterface {
  public:
    explicit LightControlInterface(const Control& control) : control_(control) {}

    bool isValid() const override { return control_.host().surface() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent()->window(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(control_.host().surface());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Description)
            return control_.accessibleDescription();
        if (kind != QAccessible::Name)
            return {};
        if (!control_.accessibleName().isEmpty())
            return control_.accessibleName();
        const Label* label = asLabel(control_);
        return label ? spokenText(label->caption()) : QString();
    }

    QRect rect() const override {
        const QWidget* surface = control_.host().surface();
        const QRect pixels = control_.host().toPixels(control_.bounds()).toAlignedRect();
        return QRect(surface->mapToGlobal(pixels.topLeft()), pixels.size());
    }

    QAccessible::Role role() const override {
        return asLabel(control_) ? QAccessible::StaticText : QAccessible::Graphic;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !control_.visible() || !control_.host().surface()->isVisible() ||
                          isHiddenBehind(control_);
        state.disabled = !control_.enabled();
        state.readOnly = true;
        return state;
    }

  private:
    const Control& control_;
};

// The widget of a window, picture box or frame, with the controls it holds
// as its children in their stacking order, back to front.
class SurfaceInterface : public QAccessibleWidget {
  public:
    explicit SurfaceInterface(Surface* surface)
        : QAccessibleWidget(surface), container_(surface->container()) {}

    ~SurfaceInterface() override {
        for (auto it = lightIds_.cbegin(); it != lightIds_.cend(); ++it) {
            lightControlIds().remove(it.key());
            QAccessible::deleteAccessibleInterface(it.value());
        }
    }

    QAccessible::Role role() const override {
        if (const auto* form = dynamic_cast<const Form*>(&container_))
            return form->kind() == Form::Kind::TopLevel ? QAccessible::Window : QAccessible::Client;
        if (dynamic_cast<const Frame*>(&container_))
            return QAccessible::Grouping;
        if (const auto* box = dynamic_cast<const PictureBox*>(&container_)) {
            if (box->clickable())
                return QAccessible::Button;
            return box->picture().isEmpty() ? QAccessible::Pane : QAccessible::Graphic;
        }
        return QAccessible::Client;
    }

    // A window is named by its caption and a frame by its own, unless they
    // were given a name.
    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        if (kind != QAccessible::Name || !text.isEmpty())
            return text;
        if (const auto* form = dynamic_cast<const Form*>(&container_))
            return form->caption();
        if (const auto* frame = dynamic_cast<const Frame*>(&container_))
            return frame->caption();
        return text;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (const auto* control = dynamic_cast<const Control*>(&container_))
            state.invisible = state.invisible || isHiddenBehind(*control);
        return state;
    }

    int childCount() const override { return int(children().size()); }

    QAccessibleInterface* child(int index) const override {
        const std::vector<QAccessibleInterface*> all = children();
        return index < 0 || index >= int(all.size()) ? nullptr : all[size_t(index)];
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const std::vector<QAccessibleInterface*> all = children();
        const auto found = std::find(all.begin(), all.end(), child);
        return found == all.end() ? -1 : int(found - all.begin());
    }

    // The front-most visible child under a point on the screen.
    QAccessibleInterface* childAt(int x, int y) const override {
        const std::vector<QAccessibleInterface*> all = children();
        for (auto it = all.rbegin(); it != all.rend(); ++it) {
            QAccessibleInterface* child = *it;
            if (child && !child->state().invisible && child->rect().contains(x, y))
                return child;
        }
        return nullptr;
    }

    // A picture box that reports clicks can be pressed by assistive tools.
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (clickableBox())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override {
        if (PictureBox* box = clickableBox(); box && action == pressAction())
            box->click();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    PictureBox* clickableBox() const {
        auto* box = dynamic_cast<PictureBox*>(&container_);
        return box && box->clickable() ? box : nullptr;
    }

    // The reported controls back to front, then the widgets that a window
    // holds besides its controls (a workshop's board and panel), which lie
    // in front of everything the controls draw.
    std::vector<QAccessibleInterface*> children() const {
        std::vector<QAccessibleInterface*> children;
        QSet<const QObject*> controlWidgets;
        for (const auto& child : container_.children()) {
            if (QWidget* own = child->widget())
                controlWidgets.insert(own);
            if (isReported(*child))
                children.push_back(interfaceOf(*child));
        }
        for (QObject* object : widget()->children()) {
            auto* held = qobject_cast<QWidget*>(object);
            if (held && !held->isWindow() && !controlWidgets.contains(held))
                if (QAccessibleInterface* child = QAccessible::queryAccessibleInterface(held))
                    children.push_back(child);
        }
        return children;
    }

    QAccessibleInterface* interfaceOf(const Control& control) const {
        if (QWidget* own = control.widget())
            return QAccessible::queryAccessibleInterface(own);
        QAccessible::Id& id = lightIds_[&control];
        if (!id) {
            id = QAccessible::registerAccessibleInterface(new LightControlInterface(control));
            lightControlIds().insert(&control, id);
        }
        return QAccessible::accessibleInterface(id);
    }

    Container& container_;
    mutable QHash<const Control*, QAccessible::Id> lightIds_;
};

QAccessibleInterface* surfaceInterface(const QString&, QObject* object) {
    if (auto* surface = qobject_cast<Surface*>(object))
        return new SurfaceInterface(surface);
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(surfaceInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

void notifyAccessibility(const Control& control, QAccessible::Event event) {
    if (!QAccessible::isActive())
        return;
    const QAccessible::Id id = lightControlIds().value(&control);
    if (!id)
        return;
    QAccessibleEvent notice(QAccessible::accessibleInterface(id), event);
    QAccessible::updateAccessibility(&notice);
}

} // namespace ui
