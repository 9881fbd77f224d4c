#pragma once

#include <QDialog>

class Etichetta;
class QPushButton;

// The common look of the two small information windows: a fixed-size, light-blue dialog shown modal,
// closed by its "C h i u d i" button or by the window's close box; either way it unloads.
class FinestraInformazioni : public QDialog
{
    Q_OBJECT

public:
    void done(int risultato) override;

protected:
    FinestraInformazioni(const QString &titolo, QSize clientTwips, const QRect &chiudiTwips, QWidget *parent);

    Etichetta *etichetta(const char *nome, const QString &testo, const QRect &postoTwips, qreal punti, bool grassetto);

    QPushButton *m_command1;
};
