#pragma once

class QWidget;

// Shows a screen over the whole space the platform gives it: maximized in the desktop's work area, the
// whole page in the browser, where window frames have no place.
void mostraIntera(QWidget *finestra);
