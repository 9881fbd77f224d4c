#pragma once

#include "componenti/disposizione/Proporzioni.h"

#include <QObject>
#include <QRect>
#include <QSize>
#include <QVector>

#include <functional>

class QWidget;

// Keeps the controls of a large screen in proportion to its client area. Each control is added once,
// at load, with its design place in twips relative to its container; the helper records its ratios
// and, at every resize of the client area, moves and sizes every control again to those ratios.
// Fonts are left alone. A screen with more to do after the pass (lines, panels) passes it as `dopo`.
class LayoutProporzionale : public QObject
{
    Q_OBJECT

public:
    LayoutProporzionale(QWidget *client, QSize progettoTwips, std::function<void()> dopo = {});

    void aggiungi(QWidget *controllo, const QRect &progettoTwips);
    void applica();

    int conteggio() const { return int(m_controlli.size()); }
    QWidget *controllo(int indice) const { return m_controlli.at(indice).widget; }
    ProporzioniControllo proporzioni(int indice) const { return m_controlli.at(indice).proporzioni; }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    struct Voce
    {
        QWidget *widget;
        ProporzioniControllo proporzioni;
    };

    QWidget *m_client;
    QSizeF m_progetto;
    std::function<void()> m_dopo;
    QVector<Voce> m_controlli;
};
