#include "ui/application.h"

#include "ui/accessibility.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace ui {

void setUpApplication(QApplication& app) {
    QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"));
    app.setStyle(style);
    app.setPalette(style->standardPalette());
    installAccessibility();
}

} // namespace ui
