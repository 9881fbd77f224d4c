#pragma once

class QWidget;

// What screen readers and switch software learn about the program's own controls. Qt would describe
// an Etichetta as a plain label whose name keeps the raw carriage return of its caption, and a
// PulsanteOpzione as a push button whose "press" action does nothing (the choice group confirms on
// the mouse press, not on clicked()), and a named frame as a window frame. The descriptions
// installed here read a caption's line break as a line break, let an assistive tool press a button
// exactly as a mouse does, present a named frame as a group of controls, and hide what lies under an
// opaque sibling: the exercise screen keeps its panels stacked on one spot, and a child must not
// hear "Ti aiuto ?" while the keypad is in front.
namespace Accessibilita {

// Installs the descriptions once; every screen and information window calls it as it is built.
void installa();

// True when an opaque sibling of the widget or of one of its containers, stacked above it, covers it
// completely, so that nothing of it can be seen.
bool coperto(const QWidget *widget);

} // namespace Accessibilita
