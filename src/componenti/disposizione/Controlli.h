#pragma once

#include <QLabel>
#include <QWidget>

// The small drawn controls of the screens: a label whose caption may hold a carriage return as its
// line break, a rounded rectangle, and a straight line between two points.

class Etichetta : public QLabel
{
    Q_OBJECT

public:
    explicit Etichetta(const QString &testo, QWidget *parent = nullptr);

    // Opaque labels paint their background in this colour; transparent ones let the container show.
    void setColoreSfondo(const QColor &colore);
    void setColoreTesto(const QColor &colore);
    // A single fixed border, as the result boxes have.
    void setBordo(bool bordo);

    QColor coloreSfondo() const;
    QColor coloreTesto() const;

protected:
    void paintEvent(QPaintEvent *evento) override;
};

class Forma : public QWidget
{
    Q_OBJECT

public:
    enum class Tipo
    {
        RettangoloArrotondato,
        Rettangolo
    };

    Forma(Tipo tipo, const QColor &riempimento, int spessoreBordo, QWidget *parent = nullptr);

    QColor riempimento() const { return m_riempimento; }

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    Tipo m_tipo;
    QColor m_riempimento;
    int m_spessoreBordo;
};

// A line drawn between two points of its container. It covers only the box around its two end
// points and lets mouse presses through to whatever lies below.
class Linea : public QWidget
{
    Q_OBJECT

public:
    Linea(const QColor &colore, int spessore, QWidget *parent = nullptr);

    void setEstremi(QPoint inizio, QPoint fine);
    QPoint inizio() const { return m_inizio; }
    QPoint fine() const { return m_fine; }

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    QColor m_colore;
    int m_spessore;
    QPoint m_inizio;
    QPoint m_fine;
};
