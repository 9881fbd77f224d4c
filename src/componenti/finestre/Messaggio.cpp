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
    // A key held down on the button that brought the message must not dismiss it: only a fresh Enter
    // answers, whichever button has the focus, or any mouse button, at the press.
    // The space bar only moves the focus, as everywhere.
    box->installEventFilter(new FiltroPulsanti(box->buttons(), box));
    mostraModale(box);
    return QMessageBox::Ok;
}
