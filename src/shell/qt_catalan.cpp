// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_catalan.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace shell {

namespace {

// Where the program words the sub-window menu otherwise than Qt's catalogue:
// the catalogue gives Size the access key of Move ("&Mida" beside "&Mou"),
// and the program says "Sempre a sobre" for staying on top.
class MenuWording : public QTranslator {
  public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (qstrcmp(context, "QMdiSubWindow") != 0)
            return {};
        if (qstrcmp(source, "&Size") == 0)
            return QStringLiteral("Mi&da");
        if (qstrcmp(source, "Stay on &Top") == 0)
            return QStringLiteral("Sempre &a sobre");
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

void installQtCatalan() {
    static QTranslator catalogue;
    if (catalogue.load(QLocale(QLocale::Catalan), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&catalogue);
    // Installed last, so asked first.
    static MenuWording wording;
    QCoreApplication::installTranslator(&wording);
}

} // namespace shell
