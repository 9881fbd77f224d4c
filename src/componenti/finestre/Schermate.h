#pragma once

#include <QMetaObject>
#include <QWidget>

#include <functional>
#include <utility>

// The program's screens exist at most once each. Every caller asks this registry for a screen:
// carica<T>() creates it the first time (its constructor is the screen's load step) and returns the
// live one afterwards; scarica<T>() closes it, which unloads it. An unloaded screen is forgotten at
// once and destroyed when control returns to the event loop, so the handler that closed it can still
// finish safely. What must outlive a screen belongs to the series, which the screens are handed.
namespace Schermate {

QWidget *trova(const QMetaObject *tipo);
void registra(const QMetaObject *tipo, QWidget *schermata);

// Forgets the screen, hides it and schedules its destruction. Safe to call more than once.
void dimentica(QWidget *schermata);

// Runs the action once the current event has been handled completely: used where a confirmation
// closes the window that holds the button being confirmed.
void dopo(std::function<void()> azione);

template<typename T> T *istanza()
{
    return static_cast<T *>(trova(&T::staticMetaObject));
}

// The arguments go to the constructor of a screen not loaded yet.
template<typename T, typename... Argomenti> T *carica(Argomenti &&...argomenti)
{
    if (T *viva = istanza<T>())
        return viva;
    auto *nuova = new T(std::forward<Argomenti>(argomenti)...);
    registra(&T::staticMetaObject, nuova);
    return nuova;
}

template<typename T> void scarica()
{
    if (T *viva = istanza<T>())
        viva->close();
}

} // namespace Schermate
