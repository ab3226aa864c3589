#pragma once

class QPushButton;

// Enter and Return press the button that has the focus, as Space does. Outside a dialog Qt
// leaves them to the window, which has nothing to do with them.
void clickOnEnter(QPushButton& button);
