#pragma once

// The GUI tests' one harness: open the screens, find a control by its name, press keys on a window the way a
// keyboard does, answer a modal window, close everything between tests; and drive the exercise screen the
// way a child does: only the mouse, only the keyboard, or only the space bar and Enter (a switch).

#include "applicazione/Navigatore.h"
#include "componenti/tasti/PulsanteOpzione.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/inizio/SchermataInizio.h"
#include "serie/Serie.h"

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QKeyCombination>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <optional>

namespace Aiuto {

// What main() holds, afresh for each test: a series (the seed makes its order repeatable) and the
// navigator between the screens, which closes any screen left of the last test.
inline void daCapo(std::optional<Serie> &serie, std::optional<Navigatore> &navigatore,
                   quint32 seme = QRandomGenerator::global()->generate())
{
    navigatore.reset();
    serie.emplace(seme);
    navigatore.emplace(*serie);
}

// Shows the start screen as the program does, and waits until it is the active window.
inline SchermataInizio *apriInizio(Navigatore &navigatore)
{
    auto *inizio = navigatore.apriInizio();
    if (!QTest::qWaitForWindowActive(inizio))
        return nullptr;
    return inizio;
}

template<typename T = QWidget> T *controllo(const QWidget *schermata, const QString &nome)
{
    return schermata ? schermata->findChild<T *>(nome) : nullptr;
}

// The objectName of the control that has the keyboard focus, empty when nothing has it.
inline QString fuoco()
{
    const QWidget *widget = QApplication::focusWidget();
    return widget ? widget->objectName() : QString();
}

// Press and release a key on the window, or each key of a sequence in turn, as typed on a keyboard. Every
// press below answers where it left the focus.
inline QString premi(QWidget *finestra, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(finestra->windowHandle(), k, m);
    return fuoco();
}

inline QString tasti(QWidget *finestra, const QList<QKeyCombination> &sequenza)
{
    for (const QKeyCombination &tasto : sequenza)
        premi(finestra, tasto.key(), tasto.keyboardModifiers());
    return fuoco();
}

// A key held down on the window: the press, five auto-repeats (each a release and a press, flagged), the
// release.
inline QString tieni(QWidget *schermata, Qt::Key tasto, const QString &testo = QString())
{
    QWindow *finestra = schermata->windowHandle();
    QTest::simulateEvent(finestra, true, tasto, Qt::NoModifier, testo, false);
    for (int i = 0; i < 5; ++i) {
        QTest::simulateEvent(finestra, false, tasto, Qt::NoModifier, testo, true);
        QTest::simulateEvent(finestra, true, tasto, Qt::NoModifier, testo, true);
    }
    QTest::simulateEvent(finestra, false, tasto, Qt::NoModifier, testo, false);
    return fuoco();
}

// Mouse presses and releases through the window, as the window system delivers them: they land on
// whatever is drawn at the centre of the control, and a release goes to the button that was pressed.
inline QPoint centroNellaFinestra(const QWidget *controllo)
{
    return controllo->mapTo(controllo->window(), controllo->rect().center());
}

inline void premiMouse(const QWidget *controllo, Qt::MouseButton pulsante = Qt::LeftButton)
{
    QTest::mousePress(controllo->window()->windowHandle(), pulsante, Qt::NoModifier, centroNellaFinestra(controllo));
}

inline void rilasciaMouse(const QWidget *controllo, Qt::MouseButton pulsante = Qt::LeftButton)
{
    QTest::mouseRelease(controllo->window()->windowHandle(), pulsante, Qt::NoModifier, centroNellaFinestra(controllo));
}

inline QString clic(const QWidget *controllo, Qt::MouseButton pulsante = Qt::LeftButton)
{
    QTest::mouseClick(controllo->window()->windowHandle(), pulsante, Qt::NoModifier, centroNellaFinestra(controllo));
    return fuoco();
}

// The first and last row of the widget, as drawn, that hold a pixel of ink; -1 when there is none.
inline QPair<int, int> righeConInchiostro(QWidget *widget, const std::function<bool(QRgb)> &eInchiostro)
{
    const QImage immagine = widget->grab().toImage();
    QPair<int, int> righe(-1, -1);
    for (int y = 0; y < immagine.height(); ++y) {
        for (int x = 0; x < immagine.width(); ++x) {
            if (eInchiostro(immagine.pixel(x, y))) {
                if (righe.first < 0)
                    righe.first = y;
                righe.second = y;
                break;
            }
        }
    }
    return righe;
}

// A small window as the program shows it: centred on the screen, without minimise or maximise button.
inline bool piccolaFinestraCentrata(const QWidget *finestra)
{
    const QPoint scarto = finestra->frameGeometry().center() - finestra->screen()->availableGeometry().center();
    return scarto.manhattanLength() <= 4
           && !(finestra->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

// Runs `azione` on the modal window as soon as one is up; call this, then whatever opens the window.
// Should `azione` fail before closing the window, it is closed all the same, so the test cannot hang.
inline void quandoModale(std::function<void(QWidget *)> azione)
{
    QTimer::singleShot(0, [azione] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        QPointer<QWidget> modale = QApplication::activeModalWidget();
        azione(modale);
        if (modale && modale->isVisible())
            modale->close();
    });
}

// Closes every window (the start screen's closing cascade included) and destroys the unloaded ones.
inline void chiudiTutto()
{
    // Hidden ones too: a screen loaded but never shown is still loaded.
    for (QWidget *finestra : QApplication::topLevelWidgets())
        finestra->close();
    QCoreApplication::sendPostedEvents(); // a queued "Esci" must not reach the next test
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

enum class Modo
{
    Mouse,
    Tastiera,
    Scansione
};

inline QString testo(QWidget *finestra, const QString &nome)
{
    return controllo<QLabel>(finestra, nome)->text();
}

// The keypad's buttons by their role: "tasto(0)" to "tasto(9)", then the commands.
inline QString nomeTasto(int i)
{
    const QStringList comandi
        = {QStringLiteral("cancella"), QStringLiteral("invio"), QStringLiteral("nuovaTabella"), QStringLiteral("esco")};
    return i < Serie::TastoCancella ? QStringLiteral("tasto(%1)").arg(i) : comandi.at(i - Serie::TastoCancella);
}

inline PulsanteOpzione *tastoTastierino(QWidget *finestra, int i)
{
    return controllo<PulsanteOpzione>(finestra, nomeTasto(i));
}

// A click through the window, as the window system delivers it: it lands on whatever is drawn at
// the centre of the named control, disabled or not.
inline QString clic(QWidget *finestra, const QString &nome, Qt::MouseButton b = Qt::LeftButton)
{
    return clic(controllo(finestra, nome), b);
}

// The one of the four panels that is raised above the others.
inline QString pannelloDavanti(QWidget *finestra)
{
    QWidget *area = controllo(finestra, QStringLiteral("pannelloTastierino"))->parentWidget();
    QString davanti;
    for (QObject *figlio : area->children()) {
        const QString nome = figlio->objectName();
        if (nome == QLatin1String("pannelloTastierino") || nome == QLatin1String("pannelloAiuto")
            || nome == QLatin1String("pannelloIntervento") || nome == QLatin1String("pannelloAvviso"))
            davanti = nome;
    }
    return davanti;
}

inline QStringList pannelliAbilitati(QWidget *finestra)
{
    QStringList abilitati;
    for (const char *nome : {"pannelloTastierino", "pannelloAiuto", "pannelloIntervento", "pannelloAvviso"}) {
        if (controllo(finestra, QLatin1String(nome))->isEnabled())
            abilitati << QLatin1String(nome);
    }
    return abilitati;
}

// Opens the exercise screen on a table, as "Vai" does, and waits until it has the keyboard.
inline SchermataEsercizio *apriEsercizio(Navigatore &navigatore, Serie &serie, int tabella)
{
    serie.scegliTabella(tabella);
    auto *w = navigatore.apriEsercizio();
    if (!QTest::qWaitForWindowActive(w))
        qWarning("exercise screen not active");
    return w;
}

// Types the right answer of the current column and Enter.
inline void rispondiGiustoDaTastiera(const Serie &serie, SchermataEsercizio *w)
{
    const int fattore = testo(w, QStringLiteral("fattore(%1)").arg(serie.colonna())).toInt();
    const int tabella = testo(w, QStringLiteral("tabella")).toInt();
    for (QChar c : QString::number(tabella * fattore))
        premi(w, Qt::Key(Qt::Key_0 + c.digitValue()));
    premi(w, Qt::Key_Return);
}

// A series one operation short of three tables, completed by a typed answer: the warning comes up.
inline void portaAllAvviso(Serie &serie, SchermataEsercizio *w)
{
    serie.caricaRegistro(serie.registro(), Serie::OperazioniPerAvviso - 1);
    rispondiGiustoDaTastiera(serie, w);
}

class Guida
{
public:
    Guida(SchermataEsercizio *finestra, Modo modo)
        : m_w(finestra)
        , m_modo(modo)
    { }

    // A key that brings the focus to the named button, then Enter on it.
    bool scorciatoia(Qt::Key k, const QString &nome)
    {
        premi(m_w, k);
        if (fuoco() != nome)
            return false;
        premi(m_w, Qt::Key_Return);
        return true;
    }

    // Space until the named button has the focus, then Enter.
    bool scandisciEConferma(const QString &nome)
    {
        for (int passi = 0; passi < 30 && fuoco() != nome; ++passi)
            premi(m_w, Qt::Key_Space);
        if (fuoco() != nome)
            return false;
        premi(m_w, Qt::Key_Return);
        return true;
    }

    bool tastierino(int i)
    {
        const QString nome = nomeTasto(i);
        switch (m_modo) {
        case Modo::Mouse:
            clic(m_w, nome);
            return true;
        case Modo::Tastiera:
            if (i <= 9) {
                // Alternate the main digits and the numeric keypad's.
                premi(m_w, Qt::Key(Qt::Key_0 + i), (m_contatore++ % 2) ? Qt::KeypadModifier : Qt::NoModifier);
            } else if (i == Serie::TastoCancella) {
                premi(m_w, Qt::Key_C);
            } else {
                return scorciatoia(i == Serie::TastoInvio ? Qt::Key_I : (i == Serie::TastoEsco ? Qt::Key_E : Qt::Key_N),
                                   nome);
            }
            return true;
        case Modo::Scansione:
            return scandisciEConferma(nome);
        }
        return false;
    }

    bool digita(const QString &risposta)
    {
        for (QChar c : risposta) {
            if (!tastierino(c.digitValue()))
                return false;
        }
        return true;
    }

    bool invia() { return tastierino(Serie::TastoInvio); }

    bool aiuto(bool si)
    {
        const QString nome = si ? QStringLiteral("si") : QStringLiteral("no");
        switch (m_modo) {
        case Modo::Mouse:
            clic(m_w, nome, si ? Qt::LeftButton : Qt::RightButton);
            return true;
        case Modo::Tastiera:
            return scorciatoia(si ? Qt::Key_S : Qt::Key_2, nome);
        case Modo::Scansione:
            return scandisciEConferma(nome);
        }
        return false;
    }

    void ok()
    {
        switch (m_modo) {
        case Modo::Mouse:
            clic(m_w, QStringLiteral("ok"), Qt::MiddleButton);
            break;
        case Modo::Tastiera:
            premi(m_w, Qt::Key_K);
            break;
        case Modo::Scansione:
            premi(m_w, Qt::Key_Space);
            break;
        }
    }

private:
    SchermataEsercizio *m_w;
    Modo m_modo;
    int m_contatore = 0;
};

} // namespace Aiuto
