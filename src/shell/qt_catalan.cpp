#include "shell/qt_catalan.h"

#include <QCoreApplication>
#include <QTranslator>

namespace shell {

namespace {

struct Text {
    const char* context;
    const char* english;
    const char* catalan;
};

// Each access key is unique within its menu.
const Text texts[] = {
    {"QMdiSubWindow", "&Restore", "&Restaura"},
    {"QMdiSubWindow", "&Move", "&Mou"},
    {"QMdiSubWindow", "&Size", "Mi&da"},
    {"QMdiSubWindow", "Mi&nimize", "Mi&nimitza"},
    {"QMdiSubWindow", "Ma&ximize", "Ma&ximitza"},
    {"QMdiSubWindow", "Stay on &Top", "Sempre &a sobre"},
    {"QMdiSubWindow", "&Close", "&Tanca"},
};

// A translator held in the program rather than read from a file.
class QtCatalan : public QTranslator {
  public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        for (const Text& text : texts)
            if (qstrcmp(context, text.context) == 0 && qstrcmp(source, text.english) == 0)
                return QString::fromUtf8(text.catalan);
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

void installQtCatalan() {
    static QtCatalan translator;
    QCoreApplication::installTranslator(&translator);
}

} // namespace shell
