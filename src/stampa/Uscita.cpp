#include "stampa/Uscita.h"

#include "stampa/StampanteQt.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

std::unique_ptr<Stampante> stampantePredefinita()
{
    return StampanteQt::predefinita();
}

QString cartellaDiRiserva()
{
    // A user without a Documents folder finds the page in the home folder.
    const QString documenti = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documenti.isEmpty() && QFileInfo(documenti).isDir())
        return documenti;
    const QString casa = QDir::homePath();
    return QFileInfo(casa).isDir() ? casa : documenti;
}
