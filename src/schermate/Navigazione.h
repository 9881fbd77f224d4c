#pragma once

class Serie;

// Every way from one screen to another, in one place. A screen asks for the next by what the child
// chose; which screen that is, and what closes with what, is decided here. Each screen exists at most
// once (Schermate): asking for one already open brings it forward.
namespace Navigazione {

// The start screen, at start-up.
void apriInizio(Serie &serie);
// "Vai": the exercise screen on the table chosen.
void apriEsercizio(Serie &serie);
// "Stampa" on the warning at the end of a series.
void apriStampa(const Serie &serie);
// The "?" menu of the start and exercise screens: the author's window, modal; returns once it closes.
void mostraAutore();
// "Esco": the exercise screen closes, once the press that asked for it has been handled.
void esciDallEsercizio();
// "Esci": the start screen closes the same way, and the program ends with it.
void esciDalProgramma();
// The start screen going: every other screen goes with it.
void chiudiTutto();

} // namespace Navigazione
