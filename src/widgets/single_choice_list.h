#pragma once

class QAbstractItemView;

// Makes a list a single-choice list that keeps its chosen line: once a line is chosen, only the
// choice of another line replaces it (a click below the last line, Ctrl+click, Ctrl+Space or a
// second Toggle action leave it chosen), and the current line follows the chosen one, however
// it was chosen. A reset of the model clears the choice. While no line is chosen, an arrow key
// or Space chooses the current line (the first, once the list took the focus) instead of
// moving past it, and Space never searches for a line that starts with a space.
void makeSingleChoiceList(QAbstractItemView *list);
