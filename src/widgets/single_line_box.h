#pragma once

class QLineEdit;

// A single-line box keeps only the text before the first line break (CR or LF), however the
// text arrives: typed, pasted, dropped, set by the program or through the accessibility
// interface. Its length is not limited either, so that a text read from a file goes back whole.
void makeSingleLineBox(QLineEdit *box);

// Makes a single-line box a number box: it tells input methods that it takes Latin text, so that a
// Japanese one switches to direct input there.
void makeNumberBox(QLineEdit *box);
