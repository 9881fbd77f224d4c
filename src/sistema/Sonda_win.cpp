#include "sistema/Sonda.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace Sonda {

bool apriEChiudi(const QString &nomeFile)
{
    // A drive without its medium (a USB stick pulled out) must not bring up the system's "insert a
    // disk" box: the start of the program would wait on it.
    DWORD modoPrecedente = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &modoPrecedente);

    const std::wstring nome = QDir::toNativeSeparators(nomeFile).toStdWString();
    bool aperto = false;
    const DWORD attributi = GetFileAttributesW(nome.c_str());
    if (attributi != INVALID_FILE_ATTRIBUTES && !(attributi & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) {
        // Shared for reading, writing and deleting, so that a program that has the file open keeps
        // it as it is; one that opened it without sharing makes this fail at once. A file that a
        // cloud folder keeps offline stays offline: nothing is read from it.
        const HANDLE file
            = CreateFileW(nome.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_NO_RECALL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            aperto = GetFileType(file) == FILE_TYPE_DISK;
            CloseHandle(file);
        }
    }

    SetThreadErrorMode(modoPrecedente, nullptr);
    return aperto;
}

} // namespace Sonda
