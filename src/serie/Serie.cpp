#include "serie/Serie.h"

#include <algorithm>

Serie::Serie(quint32 seme, QObject *parent)
    : QObject(parent)
    , m_generatore(seme)
{ }

bool Serie::tastoAttivo(int tasto) const
{
    switch (m_fase) {
    case Fase::Risposta:
        return (tasto >= 0 && tasto <= TastoCancella) || (tasto == TastoInvio && !m_risposta.isEmpty());
    case Fase::TabellaFinita:
        return tasto == TastoNuovaTabella || tasto == TastoEsco;
    case Fase::Scelta:
    case Fase::AiutoOfferto:
    case Fase::Intervento:
    case Fase::Avviso:
        break;
    }
    return false;
}

QStringList Serie::righeDaStampare() const
{
    const int ultima = std::min(m_operazioni, NumeroRighe - 1);
    QStringList righe;
    for (int k = 0; k <= ultima; ++k)
        righe.append(m_registro.at(k));
    return righe;
}

bool Serie::scegliTabella(int tabella)
{
    if (tabella < 0 || tabella >= NumeroTabelle)
        return false;
    m_tabella = tabella;
    return true;
}

bool Serie::nuovaSerie()
{
    // A series starts when the exercise opens, and again only after the warning.
    if (m_fase != Fase::Scelta && m_fase != Fase::Avviso)
        return false;
    m_operazioni = 0;
    for (int riga = 1; riga <= 20; ++riga)
        m_registro.at(riga).clear();
    iniziaTabella();
    return true;
}

bool Serie::nuovaTabella()
{
    if (m_fase != Fase::TabellaFinita)
        return false;
    iniziaTabella();
    return true;
}

void Serie::iniziaTabella()
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
    m_fase = Fase::Risposta;
    Q_EMIT tabellaIniziata();
    armaColonna();
}

void Serie::armaColonna()
{
    m_risposta.clear();
    m_fase = Fase::Risposta;
    Q_EMIT colonnaArmata(m_colonna);
}

bool Serie::digita(int cifra)
{
    if (m_fase != Fase::Risposta || cifra < 0 || cifra > 9)
        return false;
    const QString prima = m_risposta;
    m_risposta = Regole::aggiungiCifra(m_risposta, cifra);
    if (m_risposta != prima)
        Q_EMIT rispostaCambiata(m_risposta);
    return true;
}

bool Serie::cancella()
{
    if (m_fase != Fase::Risposta)
        return false;
    if (!m_risposta.isEmpty()) {
        m_risposta = Regole::togliCifra(m_risposta);
        Q_EMIT rispostaCambiata(m_risposta);
    }
    return true;
}

bool Serie::conferma()
{
    if (!tastoAttivo(TastoInvio))
        return false;
    if (m_operazioni < NumeroRighe)
        m_registro.at(m_operazioni) += m_risposta + QStringLiteral("  ");
    const bool giusta = Regole::rispostaGiusta(m_risposta, m_attese.at(m_colonna));
    Q_EMIT verdetto(m_colonna, giusta);
    if (giusta) {
        chiudiColonna();
    } else {
        m_fase = Fase::AiutoOfferto;
        Q_EMIT aiutoOfferto();
    }
    return true;
}

bool Serie::accettaAiuto()
{
    if (m_fase != Fase::AiutoOfferto)
        return false;
    rivela();
    return true;
}

bool Serie::rifiutaAiuto()
{
    if (m_fase != Fase::AiutoOfferto)
        return false;
    if (++m_rifiutiAiuto < RifiutiPerIntervento) {
        armaColonna();
        return true;
    }
    m_rifiutiAiuto = 0;
    m_fase = Fase::Intervento;
    Q_EMIT intervento();
    return true;
}

bool Serie::confermaIntervento()
{
    if (m_fase != Fase::Intervento)
        return false;
    rivela();
    return true;
}

// The expected answer goes into the record after the wrong ones, and the column is done.
void Serie::rivela()
{
    if (m_operazioni < NumeroRighe)
        m_registro.at(m_operazioni) += m_attese.at(m_colonna);
    Q_EMIT rispostaRivelata(m_colonna, m_attese.at(m_colonna));
    chiudiColonna();
}

// A column answered right or revealed: the next one is armed, or the table ends; from the 30th
// operation on, the warning comes instead.
void Serie::chiudiColonna()
{
    const int chiusa = m_colonna;
    m_risposta.clear();
    ++m_operazioni;
    if (++m_colonna == NumeroColonne)
        m_colonna = 0;
    Q_EMIT colonnaChiusa(chiusa);
    if (finita()) {
        m_fase = Fase::Avviso;
        Q_EMIT avvisoDovuto();
    } else if (m_colonna == 0) {
        m_fase = Fase::TabellaFinita;
        Q_EMIT tabellaFinita();
    } else {
        armaColonna();
    }
}

void Serie::lascia()
{
    m_risposta.clear();
    m_fase = Fase::Scelta;
}

void Serie::caricaRegistro(const std::array<QString, NumeroRighe> &registro, int operazioni)
{
    m_registro = registro;
    m_operazioni = std::max(operazioni, 0);
}
