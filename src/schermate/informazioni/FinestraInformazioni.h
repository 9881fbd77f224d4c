#pragma once

#include <QDialog>
#include <QPointer>

class Etichetta;
class QPushButton;

// The common look of the two small information windows: a fixed-size, light-blue dialog shown modal,
// closed by its "C h i u d i" button or by the window's close box; either way it unloads.
class FinestraInformazioni : public QDialog
{
    Q_OBJECT

public:
    void done(int risultato) override;

Q_SIGNALS:
    // The window has closed: it is unloaded, and goes once the event at hand is handled.
    void scaricata();

protected:
    FinestraInformazioni(const QString &titolo, QSize clientTwips, const QRect &chiudiTwips, QWidget *parent);

    Etichetta *etichetta(const char *nome, const QString &testo, const QRect &postoTwips, qreal punti, bool grassetto);

    void showEvent(QShowEvent *evento) override;

    QPushButton *m_chiudi;

private:
    // The window that opened this one: active again when this one closes.
    QPointer<QWidget> m_chiamante;
};
