#include "serie/Regole.h"

namespace Regole {

QString rigaDomanda(int tabella, int fattore)
{
    const QString imbottitura = fattore < 10 ? QStringLiteral(" ") : QString();
    return QString::number(tabella) + QLatin1Char(' ') + SegnoPer + QLatin1Char(' ') + imbottitura
           + QString::number(fattore) + QStringLiteral(" = ");
}

QString rispostaAttesa(int prodotto)
{
    return QLatin1Char(' ') + QString::number(prodotto);
}

QString aggiungiCifra(const QString &risposta, int cifra)
{
    if (cifra < 0 || cifra > 9)
        return risposta;
    const QString nuova = risposta == QLatin1String("0") ? QString::number(cifra) : risposta + QString::number(cifra);
    return nuova.trimmed().length() >= CifreMassime ? nuova.left(CifreMassime) : nuova;
}

QString togliCifra(const QString &risposta)
{
    return risposta.isEmpty() ? risposta : risposta.chopped(1);
}

bool rispostaGiusta(const QString &risposta, const QString &attesa)
{
    return risposta.trimmed() == attesa.trimmed();
}

std::array<int, NumeroColonne> estraiFattori(QRandomGenerator &generatore)
{
    std::array<bool, NumeroColonne + 1> estratti = {};
    std::array<int, NumeroColonne> ordine = {};
    for (int colonna = 0; colonna < NumeroColonne; ++colonna) {
        int fattore = 0;
        do {
            fattore = int(generatore.bounded(NumeroColonne)) + 1;
        } while (estratti.at(fattore));
        estratti.at(fattore) = true;
        ordine.at(colonna) = fattore;
    }
    return ordine;
}

} // namespace Regole
