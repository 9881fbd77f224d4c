#include "applicazione/Impostazioni.h"

#include <QSettings>

QString impostazione(const QString &nome)
{
    const QSettings impostazioni(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Contalino"),
                                 QStringLiteral("Contalino"));
    return impostazioni.value(nome).toString();
}
