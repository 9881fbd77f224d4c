#pragma once

#include <QObject>

// Makes an ordinary push button (the print screen's, a message box's, the author's window's) answer the
// way the program's big buttons do. A QPushButton clicks on every Enter it receives, auto-repeats
// included, and only on the release of the left mouse button; a child who keeps Enter down on a button
// that opens a screen would press that screen's focused button too, and a switch interface that sends a
// right click would press nothing. Installed on such buttons (and on their dialog), the filter swallows
// the repeats of a held key (flagged by the platform, or by RilevatoreRipetizione and TastiTenuti
// where it does not), and presses the button once at the press of any mouse button; a tap, which
// reaches the button as a mouse press, does the same.
class FiltroPulsanti : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;
};
