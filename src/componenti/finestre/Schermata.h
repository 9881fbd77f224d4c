#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSize>

class LayoutProporzionale;

// A large screen of the program: a maximized window whose client area (everything below the menu
// bar) keeps its controls in proportion to the window. Closing the window, by its close box or by
// the program, unloads the screen: it runs its unload step, says so (scaricata()), and is destroyed once
// control is back in the event loop; the window that opened it becomes the active one again, even where
// no window manager does that.
class Schermata : public QMainWindow
{
    Q_OBJECT

public:
    Schermata(const QString &titolo, QSize progettoTwips, bool ridimensionabile, QWidget *parent = nullptr);

    QWidget *client() const { return m_client; }
    LayoutProporzionale *proporzioni() const { return m_proporzioni; }

    // Shows the screen maximized and in front, centred for whenever it is restored.
    void mostra();

Q_SIGNALS:
    // The window has closed: the screen is unloaded, and goes once the event at hand is handled.
    void scaricata();

protected:
    // The screen's own step after every proportional pass.
    virtual void dopoRidimensionamento() { }
    // The screen's unload step, before its window goes.
    virtual void allaChiusura() { }

    void closeEvent(QCloseEvent *evento) override;

private:
    QWidget *m_client;
    LayoutProporzionale *m_proporzioni;
    QSize m_progetto;
    bool m_scaricata = false;
    // The window that was active when this one was shown, active again when this one goes.
    QPointer<QWidget> m_precedente;
};
