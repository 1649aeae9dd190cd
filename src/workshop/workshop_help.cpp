// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/workshop_help.h"

#include "circuit/library.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace workshop {

namespace {

QString helpText() {
    QString folders;
    for (const QString& folder : circuit::exerciseFolders())
        folders += QStringLiteral("<li><code>%1</code></li>")
                       .arg(QDir::toNativeSeparators(folder).toHtmlEscaped());
    return QStringLiteral(
               "<h2>El taller</h2>"
               "<p>Cada exercici del menú «Taller» obre el seu tauler: la fase, el neutre, els "
               "mecanismes i les làmpades; al costat (a sota, en pantalles més quadrades), què "
               "cal fer, la taula de veritat i els botons.</p>"
               "<h3>Connectar</h3>"
               "<p>Fes clic (o toca amb el dit) en un born i després en un altre: hi queda un "
               "conductor. No cal encertar el born: n'hi ha prou de tocar-lo a prop. També "
               "pots arrossegar d'un born a l'altre. Amb el teclat, la tecla "
               "de tabulació passa d'un element al següent i la barra d'espai o la tecla de "
               "retorn el premen. <b>Esc</b> deixa a mitges el conductor començat.</p>"
               "<h3>Treure un conductor</h3>"
               "<p>Fes clic en el conductor (o toca'l) per triar-lo i prem el botó «Treu el "
               "conductor», <b>Supr</b> o la tecla de retrocés. Amb el botó dret del ratolí, o "
               "deixant-hi el dit una estona, surt un menú que també el treu. «Esborra-ho tot» "
               "els treu tots; «Desfés» (<b>Ctrl+Z</b>) i «Refés» "
               "(<b>Ctrl+Maj+Z</b>) tornen enrere i endavant.</p>"
               "<h3>Accionar els mecanismes</h3>"
               "<p>El botó de sobre cada mecanisme el canvia de posició. La fila de la taula "
               "que correspon a les posicions d'ara és en vermell. Un curtcircuit fa saltar "
               "el magnetotèrmic del tauler: treu el conductor que el provoca i fes-hi clic "
               "per rearmar-lo. Amb un clic, el magnetotèrmic també es desconnecta i es torna "
               "a connectar a mà.</p>"
               "<h3>Els colors dels conductors</h3>"
               "<p>Cada conductor té el color del seu aïllament: marró, negre o gris per a la "
               "fase, blau per al neutre i verd-groc per a la terra. La paleta del costat tria "
               "el color del conductor següent, o el del conductor triat. Si no en tries cap, "
               "el conductor és blau si va a un neutre, verd-groc si va a una terra i marró "
               "si no. Els conductors que són a la tensió de la fase fan una llum vermella "
               "(violeta, entre la fase i el neutre); «Mostra la tensió» l'amaga. «Comprova» "
               "també mira que els colors siguin els que toquen.</p>"
               "<h3>Trobar avaries</h3>"
               "<p>Els exercicis del menú «Taller» → «Avaries» porten una instal·lació ja "
               "muntada que no funciona: no es pot canviar fins que no se n'han trobat les "
               "avaries. Tria el «Comprovador de tensió» o el «Comprovador de continuïtat» i "
               "toca dos borns: el primer rep la «Punta vermella» i el segon la «Punta "
               "negra» (els botons de les puntes trien quina es mou). La lectura segueix els "
               "mecanismes mentre les puntes hi són. La continuïtat només es mesura amb el "
               "magnetotèrmic desconnectat: fes-hi clic. Amb «Marca l'avaria», toca el "
               "conductor, la làmpada o el born de l'interruptor on creus que hi ha l'avaria. "
               "Quan les has trobades totes, «Repara» les arregla i el muntatge es pot tornar "
               "a canviar i comprovar. El fitxer que deses guarda cada mesura i cada "
               "marca.</p>"
               "<h3>Comprovar</h3>"
               "<p>«Comprova» prova totes les combinacions dels mecanismes i diu si el muntatge "
               "fa el que demana l'exercici i si és segur: sense curtcircuits i amb els "
               "mecanismes tallant la fase, no el neutre.</p>"
               "<h3>Desar, obrir i imprimir</h3>"
               "<p>El taller guarda sol el muntatge de cada exercici i el retroba en tornar a "
               "obrir el programa. Al menú «Taller» → «Fitxer», «Desa» (<b>Ctrl+S</b>) i "
               "«Obre» (<b>Ctrl+O</b>) fan servir fitxers <code>.ampera</code>, que es poden "
               "lliurar al professor. «Exporta la imatge» fa un full de treball A4 en PDF o "
               "PNG (i SVG on el programa ho sap fer) i «Imprimeix» l'imprimeix, de dues "
               "menes: el «Full de treball en blanc», només amb els components i la columna "
               "«Fa» per omplir, i «Amb el meu muntatge», amb els conductors, què fa el "
               "muntatge i el veredicte.</p>"
               "<h3>Per al professor</h3>"
               "<p>Els exercicis propis són fitxers <code>.json</code> que el programa llegeix "
               "en arrencar d'aquestes carpetes:</p><ul>%1</ul>"
               "<p><code>ampera --check *.ampera</code> comprova els muntatges dels alumnes "
               "sense obrir cap finestra, i <code>--csv</code> en fa una taula per a un full de "
               "càlcul. <code>ampera --worksheet EXERCICI --output full.pdf</code> fa el full "
               "en blanc d'un exercici, i amb un muntatge <code>.ampera</code> en lloc de "
               "l'exercici, el full d'aquell muntatge.</p>")
        .arg(folders);
}

QDialog* createHelp(QWidget* parent) {
    auto* dialog = new QDialog(parent ? parent->window() : nullptr);
    dialog->setObjectName(QStringLiteral("workshopHelp"));
    dialog->setWindowTitle(QStringLiteral("Ajuda del taller"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* text = new QTextBrowser(dialog);
    text->setObjectName(QStringLiteral("workshopHelpText"));
    text->setHtml(helpText());
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("Tanca"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    // Wide enough for its paragraphs, as tall as a small screen allows.
    const int em = dialog->fontMetrics().height();
    dialog->resize(36 * em, 30 * em);
    return dialog;
}

} // namespace

void showWorkshopHelp(QWidget* parent) {
    static QPointer<QDialog> help;
    if (!help)
        help = createHelp(parent);
    help->show();
    help->raise();
    help->activateWindow();
}

} // namespace workshop
