#include "ui/commandbutton.h"

#include "ui/container.h"
#include "ui/pictures.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace ui {

namespace {

// Enter and Return press the focused button as Space does. A button with a
// picture draws it itself, 1:1 in device pixels, where the style would draw
// it as an icon: Qt gives an icon's pixmap the screen's pixel ratio on every
// paint, which copies all its pixels at 150 % and 200 %.
class PushButton : public QPushButton {
  public:
    PushButton(const QString& caption, QString picture, QWidget* parent)
        : QPushButton(caption, parent), picture_(std::move(picture)) {}

  protected:
    void paintEvent(QPaintEvent* event) override {
        if (picture_.isEmpty()) {
            QPushButton::paintEvent(event);
            return;
        }
        QPainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
        paintPicture(painter, option);
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }

  private:
    // Centred in the button's contents, as the style centres an icon.
    void paintPicture(QPainter& painter, const QStyleOptionButton& option) const {
        const QRect contents =
            style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        const QSize shown = iconSize();
        const QPoint topLeft(contents.x() + (contents.width() - shown.width()) / 2,
                             contents.y() + (contents.height() - shown.height()) / 2);
        const QRect device = pictures::deviceRect(painter, QRectF(topLeft, shown));
        QPixmap pixmap = pictures::pixmap(picture_, device.size());
        if (!isEnabled())
            pixmap = style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
        pictures::drawInDevicePixels(painter, device.topLeft(), pixmap);
    }

    QString picture_;
};

} // namespace

CommandButton::CommandButton(Container& host, Name name, QRectF twips, QString caption,
                             QString picture)
    : Control(host, std::move(name)), rect_(twips), picture_(std::move(picture)),
      button_(new PushButton(caption, picture_, host.surface())) {
    button_->setObjectName(this->name());
    button_->setFocusPolicy(Qt::StrongFocus);
    button_->setAutoDefault(false);
}

void CommandButton::onClick(std::function<void()> handler) {
    QObject::connect(button_, &QPushButton::clicked, button_,
                     [handler = std::move(handler)] { handler(); });
}

void CommandButton::setAccessibleName(const QString& name) {
    Control::setAccessibleName(name);
    button_->setToolTip(name);
}

void CommandButton::setVisible(bool visible) {
    Control::setVisible(visible);
    button_->setVisible(visible);
}

void CommandButton::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    button_->setEnabled(enabled);
}

void CommandButton::scaleChanged() {
    const qreal s = host().scale();
    button_->setFont(scaledFont(font_, s));
    if (!picture_.isEmpty())
        button_->setIconSize((QSizeF(pictures::designSize(picture_)) * twipsPerPixel * s).toSize());
}

} // namespace ui
