/*
 * When "はじめ" may be pressed: once the source, the destination and the
 * palette have all been picked. The panel applies this rule only at the end
 * of a pick with the left button and after "しぃペインター" clears the
 * slider lines, so the button's state changes only at those moments.
 */
#pragma once

// True exactly when all seven hold: the source spans two columns
// (left != right) and two rows (top != bottom); neither coordinate of the
// destination is 0; and the red, blue and green slider lines each have
// x0 != x1.
bool StartConditionsHold();
