// The game window: its stored definition, start-up, the game commands and the help box.
#pragma once

#include "program.h"

namespace forms {
class Runtime;
}

namespace kestrune {

// Everything the runtime needs to run the game: Form1's definition, pictures and handlers.
const forms::ProgramDescription& program();

// Start-up: seeds the random sequence from the clock, and touches no control.
void Form_Load(forms::Runtime& rt);

// The game commands, from their buttons and from the menu "Игра". Each is a fixed list of
// writes that reads nothing, so it acts the same in every state it can be raised from.
void Command1_Click(forms::Runtime& rt);
void aa_Click(forms::Runtime& rt);
void Commandstop_Click(forms::Runtime& rt);
void ab_Click(forms::Runtime& rt);
void Commandcontinue_Click(forms::Runtime& rt);
void ac_Click(forms::Runtime& rt);

// The help box: shown from its button or the menu "Помощь", hidden by its "X".
void Command2_Click(forms::Runtime& rt);
void ba_Click(forms::Runtime& rt);
void Command3_Click(forms::Runtime& rt);

}  // namespace kestrune
