// Which characters the text boxes of the cell editor take, by the type of the current
// variable: digits and signs for numbers, names for texts, everything for other types.
#pragma once

namespace morvane {

// nKeyAscii is the character of a key press (8 = Backspace); false swallows the key.
bool EditBoxAcceptsKey(int nKeyAscii);

} // namespace morvane
