#pragma once

#include <QApplication>
#include <QEvent>
#include <QWidget>

// Ends the process right after the first frame of a window has been painted. Both start-up
// programs of the benchmark use it, so the program and the toolkit floor stop at the same point.
// The first paint event of any widget of the window is caught; the quit is queued, so it runs only
// once the whole frame (every dirty child) has been painted and handed to the screen.
class PrimoFotogramma : public QObject
{
public:
    explicit PrimoFotogramma(QWidget *finestra)
        : QObject(finestra)
        , m_finestra(finestra)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint && oggetto->isWidgetType()
            && static_cast<QWidget *>(oggetto)->window() == m_finestra) {
            qApp->removeEventFilter(this);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(oggetto, evento);
    }

private:
    QWidget *m_finestra;
};
