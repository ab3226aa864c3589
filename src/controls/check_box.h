#pragma once

#include <QCheckBox>

// A check box whose Value (0 clear, 1 ticked, 2 grayed) runs the Click handler whenever it
// changes, by the user or from code, before the setter returns; the same value runs nothing.
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString& caption = {}, QWidget* parent = nullptr);

    int Value() const;
    void setValue(int value);

signals:
    void Click();

protected:
    // A user's click goes from grayed or clear to ticked and from ticked to clear, never to
    // grayed (Qt's tristate cycle would gray it on every third click).
    void nextCheckState() override;
};
