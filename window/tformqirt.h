#pragma once

#include "errordisplay.h"
#include "reader.h"
#include "wheelaccumulator.h"
#include "windowport.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class ApplicationEvents;
class IntervalTimer;
class QLabel;
class QMenu;
class QSlider;
class TitleBar;

namespace Ui {
class TFormQIRT;
}

// The one window: a bar that shows the current line, and below it, once the window is made
// taller, the position slider, the speed slider and their labels. It holds the reader and
// routes every event to it; each handler runs inside the guard that shows failures.
class TFormQIRT : public QWidget, public qirt::WindowPort {
    Q_OBJECT

public:
    // timer replaces the auto-advance timer (tests); the window takes it over.
    explicit TFormQIRT(const QString& applicationTitle, IntervalTimer* timer = nullptr,
                       QWidget* parent = nullptr);
    ~TFormQIRT() override;

    qirt::Reader& reader() { return reader_; }
    ErrorDisplay& errorDisplay() { return errors_; }
    TitleBar* bar() const;
    QSlider* trackBarP() const;
    QSlider* trackBarT() const;
    QLabel* labelP() const;
    QLabel* labelT() const;
    QAction* timerItem() const;
    QMenu* popupMenu() const { return PopupMenu1; }
    IntervalTimer* timer() const { return Timer1; }

    // The application-wide hook: takes the mouse wheel for the reader. True when handled.
    bool ApplicationEvents1Message(QObject* receiver, QEvent* event);
    // One drop of names, in the order given: directories and names that cannot be queried
    // are skipped, each file is loaded and its first line shown, and the events waiting are
    // handled after every name. The first failure ends the drop and is shown.
    void WMDropFiles(const std::vector<std::string>& names);

public slots:
    // The user moved the position slider (by mouse or key, changed or not).
    void TrackBarPChange();
    // The user moved the speed slider.
    void TrackBarTChange();
    // "タイマー" was chosen; its check has flipped already.
    void TimerClick();
    // A tick of the auto-advance timer.
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormShow();
    void acceptFileDrag(QDropEvent* event);
    void readDecimalSeparator();

    // What the reader shows through.
    void setTitle(std::string_view bytes) override;
    int outerWidth() const override;
    void setLabelP(std::string_view text) override;
    void setTrackBarPMax(int max) override;
    void setTrackBarPPosition(int position) override;
    bool timerChecked() const override;
    int speed() const override;
    void setSpeedControlsVisible(bool visible) override;
    void setLabelT(std::string_view text) override;
    bool setTimerInterval(std::uint32_t ms) override;

    std::unique_ptr<Ui::TFormQIRT> ui_;
    ErrorDisplay errors_;
    qirt::Reader reader_;
    WheelAccumulator wheel_;
    QMenu* PopupMenu1;
    IntervalTimer* Timer1;
    ApplicationEvents* ApplicationEvents1;
};

// The one window of the run.
extern TFormQIRT* FormQIRT;
