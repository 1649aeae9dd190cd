// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/help_window.h"

#include "ui/controls.h"

#include <QShortcut>

namespace shell {

namespace {

constexpr QSizeF designSize(8760, 7920);

// The help text, one paragraph per entry.
const char* const paragraphs[] = {
    "Programa de simulació de circuits elèctrics bàsics d'il·luminació",
    "En aquest programa s'intenta fer una simulació del funcionament dels següents elements de "
    "controls: interruptors, commutadors i creuements.",
    "Funcionament del programa:",
    "Des de la pantalla inicial es pot accedir a cada una de les estances de l'habitatge fent un "
    "\"click\" a sobre dels plànol de la planta o des del menú desplegable Portal. També en "
    "aquesta pantalla podem veure la casa en vistes en 3D.",
    "A l'accedir a les diferents habitacions de la casa podrem encendre o apagar el llum "
    "corresponent i comprovar en la taula de veritat l'estat  en que es troben els aparells de "
    "comandament i els receptors.",
    "Per poder passar d'una habitació a l'altra només ens caldrà fer un \"click\" sobre el "
    "plànol de planta corresponent o des del menú Portal.",
    "Sempre podrem veure quines són les habitacions que tenim amb el llum encès o apagat en el "
    "plànol de planta.",
    "Si tenim enceses totes les llums de la casa, es considera que el consum és excessiu i "
    "aleshores ens saltarà el magnetotèrmic. Per poder continuar haurem de connectar-lo de nou.",
};

void addTitle(ui::Form& form, const char* name, QRectF twips, const char* caption) {
    auto& title = form.add<ui::Label>(name, twips, QString::fromUtf8(caption));
    title.setBackColor(ui::colors::CaptionText);
    title.setFont({QStringLiteral("MS Sans Serif"), 9.75, true});
}

// Each line ends with CR LF, so an empty line stands between paragraphs.
QString helpText() {
    QStringList lines;
    for (const char* paragraph : paragraphs)
        lines << QString::fromUtf8(paragraph);
    return lines.join(QStringLiteral("\r\n\r\n")) + QStringLiteral("\r\n");
}

} // namespace

HelpWindow::HelpWindow()
    : ui::Form(QStringLiteral("FrmAjuda"), QStringLiteral("Autoria: Voltesa - Ajuda"), designSize,
               Kind::TopLevel) {
    setBackColor(ui::colors::CaptionText);
    add<ui::Label>("LblAjuda", QRectF(480, 360, 8175, 4695), helpText())
        .setBackColor(ui::colors::CaptionText);
    // The titles lie in front of the text's first line and its line
    // "Funcionament del programa:", so that those two read in bold.
    addTitle(*this, "LblTitol1", {480, 360, 7215, 255},
             "Programa de simulació de circuits elèctrics bàsics d'il·luminació");
    addTitle(*this, "LblTitol2", {480, 1320, 6135, 255}, "Funcionament del programa");
    // The text fills the upper part of the page, as laid out.
    setLayoutExtent(designSize);
    // Escape closes the page as its close box does.
    auto* close = new QShortcut(QKeySequence::Cancel, surface());
    connect(close, &QShortcut::activated, this, [this] { window()->close(); });
}

} // namespace shell
