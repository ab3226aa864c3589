#pragma once

class ControlWindow;
class Dialogs;
class Form2;

// The movie window's "背景色変更...": the colour dialog, starting at the window's colour and
// offering the custom colours kept for the run; OK gives the window (and its strip) the colour.
void ch_col_Click(Form2& movie, ControlWindow& form1, Dialogs& dialogs);
