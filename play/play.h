// The play: the game step, the hero's moves, the contact check, the check tick, the speed-up.
#pragma once

namespace forms {
class Runtime;
}

namespace kestrune {

// Moves every field object one column left; one that left the field re-enters on a drawn row.
void Timergame_Timer(forms::Runtime& rt);

// Move the hero one row down or up, wrapping between the bottom and the top row.
void Commanddown_Click(forms::Runtime& rt);
void Commandup_Click(forms::Runtime& rt);

// Applies every block and ring on the hero's cell: blocks cost a life and 10 ms, rings score 50.
void CheckContacts(forms::Runtime& rt);

// Floors both step periods at 20 ms, records the period, ends a game with no lives left, and
// checks contacts.
void Timer1_Timer(forms::Runtime& rt);

// Shortens both step periods by 2 ms.
void Timerplusspeed_Timer(forms::Runtime& rt);

}  // namespace kestrune
