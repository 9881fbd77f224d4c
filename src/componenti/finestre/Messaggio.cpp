#include "componenti/finestre/Messaggio.h"

#include "componenti/finestre/Modale.h"
#include "componenti/tasti/FiltroPulsanti.h"

#include <QAbstractButton>
#include <QCoreApplication>

QMessageBox::StandardButton Messaggio::mostra(QWidget *parent, const QString &testo, Tipo tipo)
{
    ++m_conteggio;
    m_ultimoTesto = testo;
    if (m_prossimaRisposta != QMessageBox::NoButton) {
        const QMessageBox::StandardButton risposta = m_prossimaRisposta;
        m_prossimaRisposta = QMessageBox::NoButton;
        return risposta;
    }
    QMessageBox::Icon icona = QMessageBox::NoIcon;
    if (tipo == Tipo::Informazione)
        icona = QMessageBox::Information;
    else if (tipo == Tipo::Avviso)
        icona = QMessageBox::Warning;
    auto *box = new QMessageBox(icona, QCoreApplication::applicationName(), testo, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    // A key held down on the button that brought the message must not dismiss it: only a fresh press
    // answers, whichever button has the focus; any mouse button answers, at the press.
    auto *filtro = new FiltroPulsanti(box);
    box->installEventFilter(filtro);
    for (QAbstractButton *pulsante : box->buttons())
        pulsante->installEventFilter(filtro);
    mostraModale(box);
    return QMessageBox::Ok;
}
