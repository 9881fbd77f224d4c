#include "componenti/disposizione/Controlli.h"

#include <QPainter>
#include <QPainterPath>

Etichetta::Etichetta(const QString &testo, QWidget *parent)
    : QLabel(testo, parent)
{
    setTextFormat(Qt::PlainText);
}

void Etichetta::setColoreSfondo(const QColor &colore)
{
    QPalette tavolozza = palette();
    tavolozza.setColor(QPalette::Window, colore);
    setPalette(tavolozza);
    setAutoFillBackground(true);
}

void Etichetta::setColoreTesto(const QColor &colore)
{
    QPalette tavolozza = palette();
    tavolozza.setColor(QPalette::WindowText, colore);
    setPalette(tavolozza);
}

void Etichetta::setBordo(bool bordo)
{
    setFrameStyle(bordo ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    setLineWidth(1);
}

QColor Etichetta::coloreSfondo() const
{
    return palette().color(QPalette::Window);
}

QColor Etichetta::coloreTesto() const
{
    return palette().color(QPalette::WindowText);
}

void Etichetta::paintEvent(QPaintEvent *evento)
{
    // QLabel would draw a carriage return as a blank: the captions use it as their line break.
    QFrame::paintEvent(evento);
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    QString testo = text();
    testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    painter.drawText(contentsRect().adjusted(margin(), margin(), -margin(), -margin()), flags, testo);
}

Forma::Forma(Tipo tipo, const QColor &riempimento, int spessoreBordo, QWidget *parent)
    : QWidget(parent)
    , m_tipo(tipo)
    , m_riempimento(riempimento)
    , m_spessoreBordo(spessoreBordo)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Forma::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen penna(palette().color(QPalette::WindowText), m_spessoreBordo);
    painter.setPen(m_spessoreBordo > 0 ? penna : QPen(Qt::NoPen));
    painter.setBrush(m_riempimento);
    const qreal mezzo = m_spessoreBordo / 2.0;
    const QRectF area = QRectF(rect()).adjusted(mezzo, mezzo, -mezzo, -mezzo);
    if (m_tipo == Tipo::RettangoloArrotondato) {
        const qreal raggio = std::min(area.width(), area.height()) / 6.0;
        painter.drawRoundedRect(area, raggio, raggio);
    } else {
        painter.drawRect(area);
    }
}

Linea::Linea(const QColor &colore, int spessore, QWidget *parent)
    : QWidget(parent)
    , m_colore(colore)
    , m_spessore(spessore)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Linea::setEstremi(QPoint inizio, QPoint fine)
{
    m_inizio = inizio;
    m_fine = fine;
    const int margine = m_spessore + 1;
    setGeometry(QRect(inizio, fine).normalized().adjusted(-margine, -margine, margine, margine));
    update();
}

void Linea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_colore, m_spessore, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(m_inizio - pos(), m_fine - pos());
}
