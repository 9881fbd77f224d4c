#pragma once

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <chrono>
#include <cstdio>

// Ends the process right after the first frame of a window has been painted, and says when on its
// standard output. Both start-up programs of the benchmark use it, so the program and the toolkit floor
// stop at the same point.
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
            // When, for the benchmark that started the program: nanoseconds of the monotonic clock.
            std::printf("%lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                             std::chrono::steady_clock::now().time_since_epoch())
                                                             .count()));
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(oggetto, evento);
    }

private:
    QWidget *m_finestra;
};
