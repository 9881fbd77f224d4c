#include "stampa/Sottofondo.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

bool eseguiInSottofondo(std::function<void()> lavoro, std::chrono::milliseconds limite, std::function<bool()> proroga,
                        std::chrono::milliseconds massimo)
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
    QTimer scadenza;
    scadenza.setSingleShot(true);
    std::chrono::milliseconds atteso(0);
    QObject::connect(&scadenza, &QTimer::timeout, &attesa, [&] {
        atteso += limite;
        if (proroga && proroga() && atteso < massimo)
            scadenza.start(limite);
        else
            attesa.quit();
    });
    scadenza.start(limite);
    thread->start();
    attesa.exec();
    return finito;
}
