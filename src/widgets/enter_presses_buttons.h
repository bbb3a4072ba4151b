#pragma once

class QWidget;

// Enter and keypad Enter press the focused push button of the window, as Space does; a text
// box's Enter is left to the box.
void letEnterPressButtons(QWidget *window);
