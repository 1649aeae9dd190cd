// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include "ui/accessibility.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace ui {

namespace {

// One of the style's standard icons, read only when it is first drawn or
// measured. Qt reads them from image files, which loads every image-format
// plug-in; the menu bar and each sub-window ask for several when they are
// created and almost never show them.
class DeferredIconEngine : public QIconEngine {
  public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
        : style_(style), which_(which), widget_(const_cast<QWidget*>(widget)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override {
        auto* copy = new DeferredIconEngine(style_, which_, widget_);
        copy->icon_ = icon_;
        copy->loaded_ = loaded_;
        return copy;
    }

  private:
    const QIcon& icon() {
        if (!loaded_ && style_) {
            icon_ = style_->standardIcon(which_, nullptr, widget_);
            loaded_ = true;
        }
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    QPointer<QWidget> widget_;
    QIcon icon_;
    bool loaded_ = false;
};

// Fusion, with its standard icons read when first shown.
class ProgramStyle : public QProxyStyle {
  public:
    ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (option)
            return QProxyStyle::standardIcon(which, option, widget);
        return QIcon(new DeferredIconEngine(baseStyle(), which, widget));
    }
};

} // namespace

void setUpApplication(QApplication& app) {
#ifdef __GLIBC__
    // Rendered pictures are large and short-lived. A fixed threshold keeps
    // every such block in its own mapping, handed back to the system when
    // the picture goes; glibc would otherwise raise the threshold after the
    // first one is freed and serve the next ones from a heap that grows.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    addFontsBesideProgram();
    auto* style = new ProgramStyle;
    app.setStyle(style);
    app.setPalette(style->standardPalette());
    // The menus and title bars speak in the program's own face, at the size
    // the desktop asks for.
    QFont font = app.font();
    font.setFamily(installedFamily(QStringLiteral("MS Sans Serif")));
    app.setFont(font);
    installAccessibility();
}

} // namespace ui
