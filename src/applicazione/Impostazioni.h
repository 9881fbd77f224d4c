#pragma once

#include <QString>

// One of the settings a school gives a whole machine or one account, as text; empty when none is given.
// The account's wins over the machine's. Read only, never written: a program that writes nothing leaves
// nothing behind when it is uninstalled.
//   Linux: /etc/xdg/Contalino/Contalino.conf, the account's ~/.config/Contalino/Contalino.conf
//          (Impostazioni_unix.cpp)
//   Windows: the registry's HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER\Software\Contalino\Contalino
//          (Impostazioni_win.cpp)
QString impostazione(const QString &nome);
