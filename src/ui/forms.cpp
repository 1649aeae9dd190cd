// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/forms.h"

#include <QCoreApplication>
#include <QHash>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace ui::forms {
namespace {

struct Registry {
    QHash<QString, Factory> factories;
    QHash<QString, Form*> windows;
    Host* host = nullptr;
};

Registry& registry() {
    static Registry r;
    return r;
}

QMdiSubWindow* frameFor(Form& form) {
    Host* h = registry().host;
    if (form.kind() != Form::Kind::Child || !h)
        return nullptr;
    auto* frame = new QMdiSubWindow;
    frame->setWidget(form.surface());
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    h->area().addSubWindow(frame);
    frame->hide();
    return frame;
}

} // namespace

void define(const QString& name, Factory factory) {
    registry().factories.insert(name, std::move(factory));
}

Form& get(const QString& name) {
    Registry& r = registry();
    if (Form* existing = r.windows.value(name))
        return *existing;
    auto factory = r.factories.constFind(name);
    if (factory == r.factories.cend())
        qFatal("No window is called %s", qUtf8Printable(name));
    Form* form = (*factory)().release();
    r.windows.insert(name, form);
    form->attach(frameFor(*form));
    form->Form_Load();
    return *form;
}

Form* loaded(const QString& name) {
    return registry().windows.value(name);
}

void unload(const QString& name) {
    Form* form = registry().windows.take(name);
    if (!form)
        return;
    form->detach();
    form->deleteLater();
}

void unloadChildWindows() {
    for (const QString& name : registry().windows.keys())
        if (registry().windows.value(name)->kind() == Form::Kind::Child)
            unload(name);
}

void setHost(Host* host) {
    registry().host = host;
}

Host* host() {
    return registry().host;
}

void endProgram() {
    Registry& r = registry();
    for (const QString& name : r.windows.keys())
        unload(name);
    if (r.host)
        r.host->closeHost();
    QCoreApplication::exit(0);
}

void reset() {
    Registry& r = registry();
    const auto windows = r.windows;
    r.windows.clear();
    for (Form* form : windows) {
        form->detach();
        delete form;
    }
}

} // namespace ui::forms
