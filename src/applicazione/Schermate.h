#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <utility>

// The screens that are loaded now, each at most once. carica<T>() creates a screen the first time (its
// constructor is the screen's load step) and returns the live one afterwards. A screen unloads itself
// when its window closes (scaricata()): it is forgotten at once, so that asking for it again loads a new
// one, and destroyed when control returns to the event loop, so that the handler that closed it can
// still finish. What must outlive a screen belongs to the series, which the screens are handed.
class Schermate : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    template<typename T> T *istanza() const { return static_cast<T *>(m_schermate.value(&T::staticMetaObject).data()); }

    // The arguments go to the constructor of a screen not loaded yet.
    template<typename T, typename... Argomenti> T *carica(Argomenti &&...argomenti)
    {
        if (T *viva = istanza<T>())
            return viva;
        auto *nuova = new T(std::forward<Argomenti>(argomenti)...);
        m_schermate.insert(&T::staticMetaObject, nuova);
        connect(nuova, &T::scaricata, this, [this, nuova] {
            if (m_schermate.value(&T::staticMetaObject) == nuova)
                m_schermate.remove(&T::staticMetaObject);
        });
        return nuova;
    }

    // Closing a screen unloads it; a screen that is not loaded is left alone.
    template<typename T> void scarica()
    {
        if (T *viva = istanza<T>())
            viva->close();
    }

private:
    QHash<const QMetaObject *, QPointer<QWidget>> m_schermate;
};
