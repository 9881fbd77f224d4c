#pragma once

// Drives the exercise screen the way a child does: only the mouse, only the keyboard, or only the
// space bar and Enter (a switch). Shared by the exercise tests and the soak test.

#include "applicazione/Navigatore.h"
#include "componenti/tasti/PulsanteOpzione.h"
#include "schermate/esercizio/SchermataEsercizio.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QTest>

namespace guida {

enum class Modo
{
    Mouse,
    Tastiera,
    Scansione
};

inline QWidget *controllo(QWidget *finestra, const QString &nome)
{
    auto *trovato = finestra->findChild<QWidget *>(nome);
    if (!trovato)
        qFatal("control %s not found", qPrintable(nome));
    return trovato;
}

inline QString testo(QWidget *finestra, const QString &nome)
{
    return qobject_cast<QLabel *>(controllo(finestra, nome))->text();
}

// The keypad's buttons by their role: "tasto(0)" to "tasto(9)", then the commands.
inline QString nomeTasto(int i)
{
    const QStringList comandi
        = {QStringLiteral("cancella"), QStringLiteral("invio"), QStringLiteral("nuovaTabella"), QStringLiteral("esco")};
    return i < Serie::TastoCancella ? QStringLiteral("tasto(%1)").arg(i) : comandi.at(i - Serie::TastoCancella);
}

inline PulsanteOpzione *tasto(QWidget *finestra, int i)
{
    return qobject_cast<PulsanteOpzione *>(controllo(finestra, nomeTasto(i)));
}

inline QString fuoco()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

inline void premi(QWidget *finestra, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(finestra->windowHandle(), k, m);
}

// A click through the window, as the window system delivers it: it lands on whatever is drawn at
// the centre of the named control, disabled or not.
inline void clic(QWidget *finestra, const QString &nome, Qt::MouseButton b = Qt::LeftButton)
{
    QWidget *bersaglio = controllo(finestra, nome);
    QWidget *livello = bersaglio->window();
    QTest::mouseClick(livello->windowHandle(), b, Qt::NoModifier,
                      bersaglio->mapTo(livello, bersaglio->rect().center()));
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
                premi(m_w, i == Serie::TastoInvio ? Qt::Key_I : (i == Serie::TastoEsco ? Qt::Key_E : Qt::Key_N));
                if (fuoco() != nome)
                    return false;
                premi(m_w, Qt::Key_Return);
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
            premi(m_w, si ? Qt::Key_S : Qt::Key_2);
            if (fuoco() != nome)
                return false;
            premi(m_w, Qt::Key_Return);
            return true;
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

} // namespace guida
