#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

// Automatic scanning, for the children who can press only one switch. Every interval the highlight (the
// focus, with its ring) moves on as the space bar moves it in two-switch scanning: to the next item of
// the group that holds the focus, in the same order and with the same wrapping. One switch chooses the
// highlighted item, whatever it sends: Space, Enter, a mouse button or a tap anywhere on the window; a
// held switch chooses once. Other keys keep working as without it.
//
// Pace and patience, as switch-access systems have them: the first item after a choice, a new screen or
// the program's return holds for twice the interval, so that the child is not rushed; after three whole
// loops of a group with no press, scanning stops where it is, and the next press only starts it again,
// choosing nothing. Nothing moves while no window of the program is active, or while a page is being
// printed. Never a timer on the child's answers: only the highlight moves by itself.
class ScansioneAutomatica : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds IntervalloPredefinito {1500};
    static constexpr std::chrono::milliseconds IntervalloMinimo {500};
    static constexpr std::chrono::milliseconds IntervalloMassimo {10000};
    static constexpr int GiriSenzaPressioni = 3;

    // With `orologio` false nothing moves by itself: a test calls scatto() where the interval would pass.
    explicit ScansioneAutomatica(std::chrono::milliseconds intervallo, QObject *parent = nullptr, bool orologio = true);
    ~ScansioneAutomatica() override;

    std::chrono::milliseconds intervallo() const { return m_intervallo; }
    // How long the highlight stays where it is: twice the interval on the first item, the interval on the
    // others, and for ever (0) once scanning has stopped.
    std::chrono::milliseconds attesa() const;
    bool ferma() const { return m_ferma; }

    // The interval has passed: the highlight moves on, unless nothing may move now.
    void scatto();
    // While a page is being printed nothing moves; afterwards the first item holds again.
    void sospendi(bool sospesa);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void pressione();
    void riparti();
    void programma();

    std::chrono::milliseconds m_intervallo;
    QTimer m_timer;
    bool m_orologio;
    bool m_primo = true;
    bool m_ferma = false;
    bool m_sospesa = false;
    bool m_inPasso = false;
    bool m_toccoInCorso = false;
    bool m_mouseGiu = false;
    int m_passi = 0;
};
