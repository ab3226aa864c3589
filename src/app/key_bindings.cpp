// The control window (Form1), part: the keys of the movie window and the media keys, each a
// press of the control the key table names.
#include "app/form1.h"
#include "app/key_table.h"
#include "movie/form2.h"

#include <QShortcut>

void Form1::bindKeys(Form2& movie)
{
    for (const key_table::Key& k : key_table::keys) {
        QWidget* control = findChild<QWidget*>(
            QLatin1String(k.control), Qt::FindDirectChildrenOnly);
        Q_ASSERT(control);
        const bool anywhere = k.where == key_table::Where::Anywhere;
        auto* shortcut = new QShortcut(
            QKeySequence(k.key), anywhere ? static_cast<QWidget*>(this) : &movie);
        // The movie window takes no keys of its own; the control window's buttons keep theirs
        // (Tab, Space, Enter), and only the media keys reach past the window that has the focus.
        shortcut->setObjectName(QStringLiteral("key_table"));
        shortcut->setContext(anywhere ? Qt::ApplicationShortcut : Qt::WindowShortcut);
        shortcut->setAutoRepeat(k.repeats);
        connect(shortcut, &QShortcut::activated, control,
            [control, how = k.press] { press(*control, how); });
    }
}
