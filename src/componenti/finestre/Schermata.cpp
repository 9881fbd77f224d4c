#include "componenti/finestre/Schermata.h"

#include "componenti/disposizione/LayoutProporzionale.h"
#include "componenti/disposizione/Unita.h"
#include "componenti/finestre/Accessibilita.h"
#include "componenti/finestre/FinestraIntera.h"
#include "componenti/finestre/Icona.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

Schermata::Schermata(const QString &titolo, QSize progettoTwips, bool ridimensionabile, QWidget *parent)
    : QMainWindow(parent)
    , m_client(new QWidget(this))
    , m_progetto(progettoTwips)
{
    Accessibilita::installa();
    setWindowTitle(titolo);
    // A window without an icon of its own shows the application's: the icon is drawn once, at start-up,
    // not again for every screen that opens.
    if (QApplication::windowIcon().isNull())
        setWindowIcon(Icona::programma());
    if (!ridimensionabile) {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowCloseButtonHint);
    }
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setAutoFillBackground(true);
    setCentralWidget(m_client);
    m_client->resize(Unita::dimensione(progettoTwips.width(), progettoTwips.height()));
    m_proporzioni = new LayoutProporzionale(m_client, progettoTwips, [this] { dopoRidimensionamento(); });
}

void Schermata::mostra()
{
    if (!isVisible()) {
        QWidget *attiva = QApplication::activeWindow();
        m_precedente = attiva != this ? attiva : nullptr;
        // The size and place the window takes when it is restored from maximized: its design size,
        // centred on the screen.
        const QSize progetto = Unita::dimensione(m_progetto.width(), m_progetto.height());
        const QRect schermo = QApplication::primaryScreen()->availableGeometry();
        const QSize finestra = progetto.boundedTo(schermo.size());
        setGeometry(QRect(schermo.center() - QPoint(finestra.width() / 2, finestra.height() / 2), finestra));
        mostraIntera(this);
    } else if (isMinimized()) {
        mostraIntera(this);
    }
    raise();
    activateWindow();
}

void Schermata::closeEvent(QCloseEvent *evento)
{
    evento->accept();
    if (m_scaricata)
        return;
    m_scaricata = true;
    allaChiusura();
    Q_EMIT scaricata();
    hide();
    deleteLater();
    // The window that opened this one; when that one has gone meanwhile, another screen still open.
    QWidget *prossima = m_precedente && m_precedente->isVisible() ? m_precedente.data() : nullptr;
    for (QWidget *finestra : QApplication::topLevelWidgets()) {
        if (!prossima && finestra != this && finestra->isVisible() && qobject_cast<Schermata *>(finestra))
            prossima = finestra;
    }
    if (prossima)
        prossima->activateWindow();
}
