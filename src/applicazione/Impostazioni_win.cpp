#include "applicazione/Impostazioni.h"

#include <windows.h>

// Read with the registry's own calls: Qt's settings open the account's key for writing, and create it, which
// would leave a key behind the uninstall.
QString impostazione(const QString &nome)
{
    const std::wstring valore = nome.toStdWString();
    for (HKEY radice : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        wchar_t testo[64] = {};
        DWORD numero = 0;
        DWORD tipo = 0;
        DWORD dimensione = sizeof(testo);
        if (RegGetValueW(radice, L"Software\\Contalino\\Contalino", valore.c_str(), RRF_RT_REG_SZ, &tipo, testo,
                         &dimensione)
            == ERROR_SUCCESS)
            return QString::fromWCharArray(testo);
        dimensione = sizeof(numero);
        if (RegGetValueW(radice, L"Software\\Contalino\\Contalino", valore.c_str(), RRF_RT_REG_DWORD, &tipo, &numero,
                         &dimensione)
            == ERROR_SUCCESS)
            return QString::number(numero);
    }
    return {};
}
