#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>

// Marks the repeats of a held key where the platform does not: a browser repeats a held key as more
// key-downs without a key-up between them, and Qt's platform for the browser hands them on as fresh
// presses. Installed on the application, this filter sees each key event as it reaches its window, and
// passes a key-down for a key that is still down as the repeat it is, flagged as the desktop flags it,
// so that every choice group and button that ignores repeats ignores these too. A key-up lost while the
// page was in the background must not swallow the next real press: a key silent for longer than any
// keyboard waits before repeating counts as let go. Nor must a key-up that reached no window (a message box
// that closed on the key-down takes it along): the page tells every key-up it sees (rilasciato()).
class TastiTenuti : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    static constexpr qint64 PausaMassimaMs = 2500;

    // The key (Qt's) went up, whether or not a window of the program heard it.
    void rilasciato(int tasto) { m_giu.remove(tasto); }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    QHash<int, qint64> m_giu; // key -> when it was last seen going down, on m_orologio
    QElapsedTimer m_orologio;
};
