#include "field.h"
#include "play.h"
#include "runtime.h"

namespace kestrune {
namespace {

// A wrapping move first parks the hero one row beyond the far edge, so the plain step lands
// it on the other edge's row.
void moveHero(forms::Runtime& rt, forms::Single wrapFrom, forms::Single wrapTo,
              forms::Single step) {
    forms::Control& hero = rt.form().control("Imagetravik");
    if (hero.top() == wrapFrom) hero.setTop(wrapTo);
    hero.setTop(forms::addSingle(hero.top(), step));
    CheckContacts(rt);
}

}  // namespace

void Commanddown_Click(forms::Runtime& rt) {
    moveHero(rt, rowTop(7), rowTop(-1), cellSize);
}

void Commandup_Click(forms::Runtime& rt) {
    moveHero(rt, rowTop(0), rowTop(8), -cellSize);
}

}  // namespace kestrune
