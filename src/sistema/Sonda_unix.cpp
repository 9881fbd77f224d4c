#include "sistema/Sonda.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Sonda {

bool apriEChiudi(const QString &nomeFile)
{
    const QByteArray percorso = QFile::encodeName(nomeFile);
    struct stat info = {};
    if (::stat(percorso.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    // Without waiting: the entry may have become a pipe since it was looked at.
    const int descrittore = ::open(percorso.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descrittore < 0)
        return false;
    ::close(descrittore);
    return true;
}

} // namespace Sonda
