#pragma once

#include <QEvent>

// What automatic scanning asks of the button that has the focus: a step, as the space bar makes in
// two-switch scanning, or the choice of the button, as Enter makes. The choice groups and the push
// buttons' filter answer it; a step says how many items its group walks, so that the scanner can tell a
// whole loop.
class EventoScansione : public QEvent
{
public:
    enum class Azione
    {
        Passo,
        Scelta
    };

    explicit EventoScansione(Azione azione)
        : QEvent(tipo())
        , m_azione(azione)
    { }

    static QEvent::Type tipo()
    {
        static const auto registrato = QEvent::Type(QEvent::registerEventType());
        return registrato;
    }

    Azione azione() const { return m_azione; }

    // Set by the group that took the step: how many items it walks.
    int elementi = 0;

private:
    Azione m_azione;
};
