#include "componenti/finestre/Schermate.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>

namespace Schermate {

namespace {

QHash<const QMetaObject *, QPointer<QWidget>> &registro()
{
    static QHash<const QMetaObject *, QPointer<QWidget>> schermate;
    return schermate;
}

} // namespace

QWidget *trova(const QMetaObject *tipo)
{
    return registro().value(tipo);
}

void registra(const QMetaObject *tipo, QWidget *schermata)
{
    registro().insert(tipo, schermata);
}

void dimentica(QWidget *schermata)
{
    auto &schermate = registro();
    for (auto it = schermate.begin(); it != schermate.end();) {
        if (it.value() == schermata || it.value().isNull())
            it = schermate.erase(it);
        else
            ++it;
    }
    if (schermata) {
        schermata->hide();
        schermata->deleteLater();
    }
}

void dopo(std::function<void()> azione)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(azione), Qt::QueuedConnection);
}

} // namespace Schermate
