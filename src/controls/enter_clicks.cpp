#include "controls/enter_clicks.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

class EnterClicks : public QObject {
public:
    explicit EnterClicks(QPushButton& button) : QObject(&button), button_(button) { }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        button_.click();
        return true;
    }

private:
    QPushButton& button_;
};

}  // namespace

void clickOnEnter(QPushButton& button) { button.installEventFilter(new EnterClicks(button)); }
