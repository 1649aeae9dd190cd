#include "ui/commandbutton.h"

#include "ui/container.h"
#include "ui/pictures.h"

#include <QIconEngine>
#include <QKeyEvent>
#include <QPainter>

namespace ui {

namespace {

// Enter and Return press the focused button as Space does.
class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

// Draws a button's picture at whatever size the button is painted, so that a
// picture is rendered only at sizes that are really shown.
class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(QString picture) : picture_(std::move(picture)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->drawPixmap(rect, pictures::pixmap(picture_, rect.size()));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return pictures::pixmap(picture_, size);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override {
        QPixmap result = pictures::pixmap(picture_, (QSizeF(size) * scale).toSize());
        result.setDevicePixelRatio(scale);
        return result;
    }
    QIconEngine* clone() const override { return new PictureIconEngine(picture_); }

private:
    QString picture_;
};

} // namespace

CommandButton::CommandButton(Container& host, Name name, QRectF twips, QString caption,
                             QString picture)
    : Control(host, std::move(name)), rect_(twips), picture_(std::move(picture)),
      button_(new PushButton(caption, host.surface())) {
    button_->setObjectName(this->name());
    button_->setFocusPolicy(Qt::StrongFocus);
    button_->setAutoDefault(false);
    if (!picture_.isEmpty())
        button_->setIcon(QIcon(new PictureIconEngine(picture_)));
}

void CommandButton::onClick(std::function<void()> handler) {
    QObject::connect(button_, &QPushButton::clicked, button_, [handler = std::move(handler)] {
        handler();
    });
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
        button_->setIconSize((QSizeF(pictures::designSize(picture_)) * 15 * s).toSize());
}

} // namespace ui
