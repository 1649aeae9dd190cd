#include "ui/application.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace ui {

void setUpApplication(QApplication& app) {
    QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"));
    app.setStyle(style);
    app.setPalette(style->standardPalette());
}

} // namespace ui
