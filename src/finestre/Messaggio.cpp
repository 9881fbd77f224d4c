#include "finestre/Messaggio.h"

#include "input/FiltroRipetizioni.h"

#include <QAbstractButton>
#include <QCoreApplication>

namespace {

QMessageBox::StandardButton prossimaRisposta = QMessageBox::NoButton;
int numeroMessaggi = 0;
QString testoUltimo;

} // namespace

QMessageBox::StandardButton Messaggio::mostra(QWidget *parent, const QString &testo, Tipo tipo)
{
    ++numeroMessaggi;
    testoUltimo = testo;
    if (prossimaRisposta != QMessageBox::NoButton) {
        const QMessageBox::StandardButton risposta = prossimaRisposta;
        prossimaRisposta = QMessageBox::NoButton;
        return risposta;
    }
    QMessageBox::Icon icona = QMessageBox::NoIcon;
    if (tipo == Tipo::Informazione)
        icona = QMessageBox::Information;
    else if (tipo == Tipo::Avviso)
        icona = QMessageBox::Warning;
    QMessageBox box(icona, QCoreApplication::applicationName(), testo, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // A key held down on the button that brought the message must not dismiss it: only a fresh press
    // answers, whichever button has the focus.
    FiltroRipetizioni ripetizioni;
    box.installEventFilter(&ripetizioni);
    for (QAbstractButton *pulsante : box.buttons())
        pulsante->installEventFilter(&ripetizioni);
    box.exec();
    return QMessageBox::Ok;
}

void Messaggio::setProssimaRisposta(QMessageBox::StandardButton risposta)
{
    prossimaRisposta = risposta;
}

int Messaggio::conteggio()
{
    return numeroMessaggi;
}

QString Messaggio::ultimoTesto()
{
    return testoUltimo;
}

void Messaggio::azzera()
{
    prossimaRisposta = QMessageBox::NoButton;
    numeroMessaggi = 0;
    testoUltimo.clear();
}
