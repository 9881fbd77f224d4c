#pragma once

#include "stampa/Stampante.h"

#include <memory>

// A printer that passes every call on to another one, `Interna`. A printer that adds something to
// another (the browser's, which hands the finished PDF on) derives from it and overrides what it changes.
template<typename Interna = Stampante> class StampanteInoltro : public Stampante
{
public:
    explicit StampanteInoltro(std::unique_ptr<Interna> interna)
        : m_interna(std::move(interna))
    { }

    QStringList elencoFont() const override { return m_interna->elencoFont(); }
    void setNomeFont(const QString &nome) override { m_interna->setNomeFont(nome); }
    void setDimensioneFont(qreal punti) override { m_interna->setDimensioneFont(punti); }
    void setGrassetto(bool grassetto) override { m_interna->setGrassetto(grassetto); }
    void setX(int twips) override { m_interna->setX(twips); }
    void setY(int twips) override { m_interna->setY(twips); }
    void stampa(const QString &testo) override { m_interna->stampa(testo); }
    Esito fineDocumento() override { return m_interna->fineDocumento(); }
    QString motivo() const override { return m_interna->motivo(); }
    QString nome() const override { return m_interna->nome(); }
    QString nota() const override { return m_interna->nota(); }
    void annulla() override { m_interna->annulla(); }
    bool attendeUtente() const override { return m_interna->attendeUtente(); }

protected:
    std::unique_ptr<Interna> m_interna;
};
