#include "stampa/Sottofondo.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

bool eseguiInSottofondo(std::function<void()> lavoro, std::chrono::milliseconds limite)
{
    QThread *thread = QThread::create(std::move(lavoro));
    thread->setObjectName(QStringLiteral("stampa"));
    // Once the wait is over, a thread still running is nobody's to delete.
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);

    QEventLoop attesa;
    bool finito = false;
    QObject::connect(thread, &QThread::finished, &attesa, [&] {
        finito = true;
        attesa.quit();
    });
    QTimer::singleShot(limite, &attesa, &QEventLoop::quit);
    thread->start();
    attesa.exec();
    return finito;
}
