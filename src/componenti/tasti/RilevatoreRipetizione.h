#pragma once

#include <QObject>

class QKeyEvent;

// Tells a key held down from a key pressed again, where the platform does not always say. The keyboard's
// auto-repeat normally carries its own flag; under X11 the flag is sometimes missing, but a repeat's
// release and the press that follows it carry the same timestamp, which no real second press can.
// Installed on the application (the X11 platform only needs it), the filter hands such a press on
// flagged as the repeat it is, so that every choice group and button, which act on fresh presses only,
// ignore it. The application owns it.
class RilevatoreRipetizione : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void setConfrontaIstanti(bool attivo) { m_confrontaIstanti = attivo; }
    bool confrontaIstanti() const { return m_confrontaIstanti; }

    // For every key press and release in turn: true when the press is the auto-repeat of a held key.
    bool pressione(int tasto, unsigned long istante, bool ripetizioneSegnalata);
    void rilascio(int tasto, unsigned long istante, bool ripetizioneSegnalata);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    bool m_confrontaIstanti = true;
    bool m_rilascioNoto = false;
    int m_tastoRilasciato = 0;
    unsigned long m_istanteRilascio = 0;
};
