#pragma once

#include <QObject>

// Makes an ordinary push button act once per press of a held key. A QPushButton clicks on every
// Enter it receives, auto-repeats included, so a child who keeps Enter down on a button that opens a
// screen would press that screen's focused button too. Installed on such buttons, the filter swallows
// the repeats, flagged or recognised by the shared timestamp under X11 (RilevatoreRipetizione).
class FiltroRipetizioni : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;
};
