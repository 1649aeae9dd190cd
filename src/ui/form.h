// SPDX-License-Identifier: GPL-3.0-or-later
// A window of the program: a container with a name, a caption and a design
// size, whose whole layout scales uniformly with the window. A window lives
// inside the main window (a child window) or on its own (top level).
#pragma once

#include "ui/container.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <optional>

class QMdiSubWindow;

namespace ui {

class CommandButton;
class Frame;
class Image;
class Label;
class Line;
class PictureBox;
class Shape;
class Timer;

class Form : public QObject, public Container {
    Q_OBJECT
  public:
    enum class Kind { Child, TopLevel };
    enum class WindowState { Normal, Maximized };
    // What the window's close box does: unload the window (the usual), or
    // only hide it, keeping its state for when it is brought up again.
    enum class CloseBox { Unloads, Hides };

    Form(QString name, QString caption, QSizeF designTwips, Kind kind = Kind::Child);
    ~Form() override;

    const QString& name() const { return name_; }
    const QString& caption() const { return caption_; }
    // A new caption, shown at once in the title bar.
    void setCaption(const QString& caption);
    Kind kind() const { return kind_; }
    void setBackColor(Color c);
    void setCloseBox(CloseBox closeBox) { closeBox_ = closeBox; }
    // Takes the title bar off a child window, which then cannot be moved or
    // closed.
    void removeTitleBar();

    // The load step, run once each time the window is created.
    virtual void Form_Load() {}

    // Shows the window, modeless, and brings it to the front.
    void Show();
    void setWindowState(WindowState state);
    WindowState windowState() const;
    bool isShown() const;
    // The outermost widget: the child window frame, or the top-level window.
    QWidget* window() const;

    // The layout is scaled to fit this extent, in twips, into the window;
    // by default it is the extent of the window's own controls, with as
    // much margin right and below as they leave left and above. An extent
    // set here stays when controls are added later.
    void setLayoutExtent(QSizeF twips);
    QSizeF layoutExtent() const;
    qreal pixelsPerTwip() const;
    QPointF origin() const override;

    // Controls by their exact name (and index in a control array).
    Control* find(const QString& name, int index = -1) const;
    template <class T> T& get(const QString& name, int index = -1) const {
        T* control = dynamic_cast<T*>(find(name, index));
        if (!control)
            missing(name, index);
        return *control;
    }
    Line& line(const QString& name, int index = -1) const;
    Shape& shape(const QString& name, int index = -1) const;
    Image& image(const QString& name, int index = -1) const;
    Label& label(const QString& name, int index = -1) const;
    PictureBox& pictureBox(const QString& name, int index = -1) const;
    CommandButton& button(const QString& name, int index = -1) const;
    Frame& frame(const QString& name, int index = -1) const;
    Timer& timer(const QString& name, int index = -1) const;

    // Called by every control as it is created.
    void registerControl(Control& control);

    // Used by the window registry.
    void attach(QMdiSubWindow* frame);
    void detach();

  protected:
    Color backColor() const override { return back_; }
    void resized() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Where the layout lies for the present size of the window.
    struct Placement {
        QSize size;
        qreal scale;
        QPointF origin;
    };
    const Placement& placement() const;
    [[noreturn]] void missing(const QString& name, int index) const;
    // What the close box does to a child window that it only hides.
    void hideChild();
    void stopTimers();

    QString name_;
    QString caption_;
    QSizeF design_;
    Kind kind_;
    Color back_ = colors::ButtonFace;
    CloseBox closeBox_ = CloseBox::Unloads;
    QHash<QString, Control*> byName_;
    std::optional<QSizeF> fixedExtent_;
    mutable std::optional<QSizeF> extent_;
    mutable std::optional<Placement> placement_;
    QPointer<QMdiSubWindow> frame_;
    // Whether the child window has been placed in the main window.
    bool placed_ = false;
};

} // namespace ui
