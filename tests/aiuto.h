#pragma once

// Small helpers shared by the GUI tests: open the start screen, find a control by its name, press keys
// on a window the way a keyboard does, answer a modal window, and close everything between tests.

#include "applicazione/Navigatore.h"
#include "schermate/inizio/SchermataInizio.h"
#include "serie/Serie.h"

#include <QApplication>
#include <QImage>
#include <QKeyCombination>
#include <QList>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>

namespace Aiuto {

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

// Press and release each key in turn on the window, as typed on a keyboard.
inline void tasti(QWidget *schermata, const QList<QKeyCombination> &sequenza)
{
    for (const QKeyCombination &tasto : sequenza)
        QTest::keyClick(schermata->windowHandle(), tasto.key(), tasto.keyboardModifiers());
}

inline void tasto(QWidget *schermata, QKeyCombination combinazione)
{
    tasti(schermata, {combinazione});
}

// A key held down on the window: the press, five auto-repeats (each a release and a press, flagged), the
// release.
inline void tieni(QWidget *schermata, Qt::Key tasto, const QString &testo = QString())
{
    QWindow *finestra = schermata->windowHandle();
    QTest::simulateEvent(finestra, true, tasto, Qt::NoModifier, testo, false);
    for (int i = 0; i < 5; ++i) {
        QTest::simulateEvent(finestra, false, tasto, Qt::NoModifier, testo, true);
        QTest::simulateEvent(finestra, true, tasto, Qt::NoModifier, testo, true);
    }
    QTest::simulateEvent(finestra, false, tasto, Qt::NoModifier, testo, false);
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

inline void clic(const QWidget *controllo, Qt::MouseButton pulsante = Qt::LeftButton)
{
    QTest::mouseClick(controllo->window()->windowHandle(), pulsante, Qt::NoModifier, centroNellaFinestra(controllo));
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

} // namespace Aiuto
