#pragma once

#include <QString>

// The message box text for a failed mixer call: "サウンド機能でエラー[code] " and the code's
// text, nothing after "] " for a code the table does not know.
QString mixerErrorMessage(int code);
