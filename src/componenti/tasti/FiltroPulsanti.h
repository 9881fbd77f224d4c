#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;

// Makes a few ordinary push buttons (the print screen's two, a message box's, the author's window's)
// answer the way the program's big buttons do. A QPushButton clicks on every Enter it receives,
// auto-repeats included, on the release of the space bar, and only on the release of the left mouse
// button: a child who keeps Enter down on a button that opens a screen would press that screen's focused
// button too, a child scanning with the space bar would press the first button instead of moving on, and
// a switch interface that sends a right click would press nothing.
//
// With the filter the buttons scan as a choice group does: the space bar moves the focus to the next
// button, wrapping round, and never presses one; Enter presses the focused button; any mouse button
// presses, at the press; a tap, which reaches the button as a mouse press, does the same. A held key acts
// once: its repeats (flagged by the platform, or by RilevatoreRipetizione and TastiTenuti where it does not)
// are swallowed. Installed on the buttons' dialog too, it swallows the repeats that reach the dialog.
class FiltroPulsanti : public QObject
{
    Q_OBJECT

public:
    FiltroPulsanti(const QList<QAbstractButton *> &pulsanti, QObject *parent);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void passo(qsizetype indice);

    QList<QAbstractButton *> m_pulsanti;
};
