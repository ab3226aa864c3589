#pragma once

#include <QComboBox>

// A drop-down list of paths. A path too long for the box loses its middle ("/home/…/disc.cue/"),
// so the start and the file stay readable; the open list is as wide as its longest path.
class PathComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
