#include "schermate/informazioni/FinestraInformazioni.h"

#include "componenti/disposizione/Controlli.h"
#include "componenti/disposizione/Unita.h"
#include "componenti/finestre/Accessibilita.h"
#include "componenti/tasti/FiltroPulsanti.h"

#include <QApplication>
#include <QPushButton>

using namespace Unita;

FinestraInformazioni::FinestraInformazioni(const QString &titolo, QSize clientTwips, const QRect &chiudiTwips,
                                           QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    Accessibilita::installa();
    setWindowTitle(titolo);
    setFixedSize(dimensione(clientTwips.width(), clientTwips.height()));
    QPalette tavolozza = palette();
    tavolozza.setColor(QPalette::Window, coloreBGR(Celeste));
    setPalette(tavolozza);
    setAutoFillBackground(true);

    m_chiudi = new QPushButton(QStringLiteral("C h i u d i"), this);
    m_chiudi->setObjectName(QStringLiteral("chiudi"));
    m_chiudi->setFont(carattere(QStringLiteral("Arial"), 12, false));
    m_chiudi->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(128, 255, 255); color: black;"
                                           " border: 1px solid black; }"
                                           "QPushButton:focus { border: 3px solid rgb(0, 0, 128); }"));
    m_chiudi->setGeometry(rettangolo(chiudiTwips.x(), chiudiTwips.y(), chiudiTwips.width(), chiudiTwips.height()));
    m_chiudi->setAutoDefault(true);
    m_chiudi->setDefault(true);
    connect(m_chiudi, &QPushButton::clicked, this, &QDialog::close);
    // Enter closes, once per press of a held key, and any mouse button at the press; the space bar, which
    // only moves the focus, has nowhere else to go.
    new FiltroPulsanti({m_chiudi}, this);
}

Etichetta *FinestraInformazioni::etichetta(const char *nome, const QString &testo, const QRect &posto, qreal punti,
                                           bool grassetto)
{
    auto *label = new Etichetta(testo, this);
    label->setObjectName(QLatin1String(nome));
    label->setFont(carattere(QStringLiteral("Arial"), punti, grassetto));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rettangolo(posto.x(), posto.y(), posto.width(), posto.height()));
    return label;
}

void FinestraInformazioni::showEvent(QShowEvent *evento)
{
    QWidget *attiva = QApplication::activeWindow();
    if (attiva != this)
        m_chiamante = attiva;
    QDialog::showEvent(evento);
}

void FinestraInformazioni::done(int risultato)
{
    QDialog::done(risultato);
    Q_EMIT scaricata();
    deleteLater();
    if (m_chiamante && m_chiamante->isVisible())
        m_chiamante->activateWindow();
}
