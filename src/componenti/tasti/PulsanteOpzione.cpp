#include "componenti/tasti/PulsanteOpzione.h"

#include <QPainter>

PulsanteOpzione::PulsanteOpzione(const QString &caption, QWidget *parent)
    : QAbstractButton(parent)
    , m_backColor(Qt::lightGray)
{
    setText(caption);
    setAccessibleName(caption);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
}

void PulsanteOpzione::setBackColor(const QColor &colore)
{
    if (m_backColor == colore)
        return;
    m_backColor = colore;
    update();
}

void PulsanteOpzione::setValue(bool selezionato)
{
    if (m_value == selezionato)
        return;
    m_value = selezionato;
    update();
}

void PulsanteOpzione::setColoreTesto(const QColor &colore)
{
    QPalette tavolozza = palette();
    tavolozza.setColor(QPalette::ButtonText, colore);
    setPalette(tavolozza);
}

QSize PulsanteOpzione::sizeHint() const
{
    const QFontMetrics metriche(font());
    return QSize(metriche.horizontalAdvance(text()) + 24, metriche.height() * 2);
}

void PulsanteOpzione::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, m_backColor);

    // A raised bevel at rest, a sunken one while selected.
    const QColor chiaro = Qt::white;
    const QColor scuro = QColor(128, 128, 128);
    const QColor nero = Qt::black;
    const QColor &alto = m_value ? nero : chiaro;
    const QColor &basso = m_value ? chiaro : nero;
    painter.setPen(alto);
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(basso);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());
    painter.setPen(m_value ? chiaro : scuro);
    painter.drawLine(area.bottomLeft() + QPoint(1, -1), area.bottomRight() + QPoint(-1, -1));
    painter.drawLine(area.topRight() + QPoint(-1, 1), area.bottomRight() + QPoint(-1, -1));

    if (hasFocus()) {
        QPen anello(coloreAnelloFuoco(), SpessoreAnelloFuoco);
        anello.setJoinStyle(Qt::MiterJoin);
        painter.setPen(anello);
        painter.setBrush(Qt::NoBrush);
        const int rientro = 2 + SpessoreAnelloFuoco / 2;
        painter.drawRect(area.adjusted(rientro, rientro, -rientro - 1, -rientro - 1));
    }

    painter.setFont(font());
    const QRect testo = m_value ? area.translated(1, 1) : area;
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(testo, Qt::AlignCenter, text());
    } else {
        // Embossed grey, as unavailable push buttons are drawn.
        painter.setPen(Qt::white);
        painter.drawText(testo.translated(1, 1), Qt::AlignCenter, text());
        painter.setPen(scuro);
        painter.drawText(testo, Qt::AlignCenter, text());
    }
}
