#include "serie/Serie.h"

#include <QStringList>

#include <algorithm>

Serie::Serie(quint32 seme)
    : m_generatore(seme)
{ }

QStringList Serie::righeDaStampare() const
{
    const int ultima = std::min(m_operazioni, NumeroRighe - 1);
    QStringList righe;
    for (int k = 0; k <= ultima; ++k)
        righe.append(m_registro.at(k));
    return righe;
}

void Serie::scegliTabella(int tabella)
{
    if (tabella >= 0 && tabella < NumeroTabelle)
        m_tabella = tabella;
}

void Serie::nuovaSerie()
{
    m_operazioni = 0;
    for (int riga = 1; riga <= 20; ++riga)
        m_registro.at(riga).clear();
    nuovaTabella();
}

void Serie::nuovaTabella()
{
    m_colonna = 0;
    m_risposta.clear();
    m_fattori = Regole::estraiFattori(m_generatore);
    for (int c = 0; c < NumeroColonne; ++c) {
        m_attese.at(c) = Regole::rispostaAttesa(m_fattori.at(c) * m_tabella);
        const int riga = m_operazioni + c;
        if (riga < NumeroRighe)
            m_registro.at(riga) = Regole::rigaDomanda(m_tabella, m_fattori.at(c));
    }
}

void Serie::digita(int cifra)
{
    m_risposta = Regole::aggiungiCifra(m_risposta, cifra);
}

void Serie::cancella()
{
    m_risposta = Regole::togliCifra(m_risposta);
}

Serie::Esito Serie::conferma()
{
    if (m_operazioni < NumeroRighe)
        m_registro.at(m_operazioni) += m_risposta + QStringLiteral("  ");
    if (!Regole::rispostaGiusta(m_risposta, m_attese.at(m_colonna)))
        return Esito::Sbagliata;
    return colonnaFatta();
}

Serie::Esito Serie::accettaAiuto()
{
    if (m_operazioni < NumeroRighe)
        m_registro.at(m_operazioni) += m_attese.at(m_colonna);
    return colonnaFatta();
}

Serie::Rifiuto Serie::rifiutaAiuto()
{
    if (++m_rifiutiAiuto < RifiutiPerIntervento) {
        m_risposta.clear();
        return Rifiuto::Riprova;
    }
    m_rifiutiAiuto = 0;
    return Rifiuto::Intervento;
}

Serie::Esito Serie::colonnaFatta()
{
    m_risposta.clear();
    ++m_operazioni;
    if (++m_colonna < NumeroColonne)
        return Esito::Giusta;
    m_colonna = 0;
    return Esito::TabellaFinita;
}

void Serie::caricaRegistro(const std::array<QString, NumeroRighe> &registro, int operazioni)
{
    m_registro = registro;
    m_operazioni = std::max(operazioni, 0);
}
