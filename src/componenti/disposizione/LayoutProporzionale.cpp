#include "componenti/disposizione/LayoutProporzionale.h"

#include "componenti/disposizione/Unita.h"

#include <QEvent>
#include <QWidget>

LayoutProporzionale::LayoutProporzionale(QWidget *client, QSize progettoTwips, std::function<void()> dopo)
    : QObject(client)
    , m_client(client)
    , m_progetto(progettoTwips)
    , m_dopo(std::move(dopo))
{
    client->installEventFilter(this);
}

void LayoutProporzionale::aggiungi(QWidget *controllo, const QRect &progettoTwips)
{
    controllo->setGeometry(
        Unita::rettangolo(progettoTwips.x(), progettoTwips.y(), progettoTwips.width(), progettoTwips.height()));
    m_controlli.append({controllo, catturaProporzioni(progettoTwips, m_progetto)});
}

void LayoutProporzionale::applica()
{
    const QSize client = m_client->size();
    for (const Voce &voce : std::as_const(m_controlli))
        voce.widget->setGeometry(applicaProporzioni(voce.proporzioni, client));
    if (m_dopo)
        m_dopo();
}

bool LayoutProporzionale::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == m_client && evento->type() == QEvent::Resize)
        applica();
    return QObject::eventFilter(oggetto, evento);
}
