// The two kinds of wait of the window. Pause freezes the window: it serves no events, so a
// move being replayed on the board cannot be disturbed, while every frame still shows because
// the board puts its drawing on screen at once. Delay serves events while it waits, so the
// window repaints and the stop button works; whoever calls it must cope with clicks arriving
// meanwhile. One scale factor stretches or shrinks every wait, so that tests run fast.
#pragma once

namespace quorvin {

// Waits on the steady clock without serving events.
void Pause(int milliseconds);
// Waits on the steady clock, serving pending events all the while.
void Delay(int milliseconds);

// Every wait lasts its milliseconds times this factor; 1 in play, 0 makes waits return at
// once (Delay still serves the pending events once).
void SetWaitScale(double scale);
double WaitScale();

} // namespace quorvin
