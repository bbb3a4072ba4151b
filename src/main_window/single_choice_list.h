#pragma once

class QAbstractItemView;

// Makes a list a single-choice list that keeps its chosen line: once a line is chosen, only the
// choice of another line replaces it (a click below the last line, Ctrl+click, Ctrl+Space or a
// second Toggle action leave it chosen), and the current line follows the chosen one, however
// it was chosen. While no line is chosen none is current either, so that the first Down arrow
// chooses the first line. A reset of the model clears the choice. Space chooses the current
// line and does not search for a line that starts with a space.
void makeSingleChoiceList(QAbstractItemView *list);
