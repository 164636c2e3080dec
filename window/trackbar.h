#pragma once

#include <QKeyEvent>
#include <QSlider>

// A horizontal slider whose keys move it as a track bar's do: Right, Down and Page Down
// forward, Left, Up and Page Up back, Home and End to the ends. Every key is reported as a
// movement by the user, also where it leaves the value as it was.
class TrackBar : public QSlider {
    Q_OBJECT

public:
    explicit TrackBar(QWidget* parent = nullptr) : QSlider(Qt::Horizontal, parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const SliderAction action = actionOf(event->key());
        if (action == SliderNoAction) {
            QSlider::keyPressEvent(event);
            return;
        }
        triggerAction(action);
        event->accept();
    }

private:
    static SliderAction actionOf(int key) {
        switch (key) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            return SliderSingleStepAdd;
        case Qt::Key_Left:
        case Qt::Key_Up:
            return SliderSingleStepSub;
        case Qt::Key_PageDown:
            return SliderPageStepAdd;
        case Qt::Key_PageUp:
            return SliderPageStepSub;
        case Qt::Key_Home:
            return SliderToMinimum;
        case Qt::Key_End:
            return SliderToMaximum;
        default:
            return SliderNoAction;
        }
    }
};
