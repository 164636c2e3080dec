#include "intervaltimer.h"
#include "tformqirt.h"
#include "windowfixture.h"

#include <QLabel>
#include <QLocale>
#include <QSlider>
#include <QtTest>

namespace {

// A timer the system will not give: every start fails until told otherwise.
class RefusingTimer : public IntervalTimer {
public:
    bool refuse = false;

protected:
    bool restart(std::uint32_t ms) override {
        if (refuse) {
            stop();
            return false;
        }
        return IntervalTimer::restart(ms);
    }
};

QByteArray threeLinesWithALongOne() {
    return "short\r\n" + QByteArray(200, 'L') + "\r\nlast\r\n";
}

} // namespace

class TimerTest : public QObject {
    Q_OBJECT

private slots:
    void firstChoiceShowsTheControlsWithoutARestart();
    void choosingAgainHidesThemAndChangesNothingElse();
    void speedChangeRestartsOnlyWhenTheStepIntervalIsInForce();
    void ticksWhileOffOrWithNoLinesChangeNothing();
    void ticksStepThroughTheText();
    void switchingOffAndOnGoesOnFromTheSameOffset();
    void timerFailureIsShownAndTheLabelKept();
    void speedLabelFollowsTheLocale();
    void ticksArriveOnTheirOwn();
};

void TimerTest::firstChoiceShowsTheControlsWithoutARestart() {
    WindowFixture w;
    const int countdown = w.form->timer()->countdowns();
    w.form->timerItem()->trigger();
    QVERIFY(w.form->timerItem()->isChecked());
    QVERIFY(w.form->trackBarT()->isVisibleTo(w.form.get()));
    QVERIFY(w.form->labelT()->isVisibleTo(w.form.get()));
    QCOMPARE(w.form->trackBarT()->value(), 10);
    QCOMPARE(w.form->labelT()->text(), QStringLiteral("1秒"));
    QCOMPARE(w.form->timer()->interval(), 1000U);
    QCOMPARE(w.form->timer()->countdowns(), countdown);
}

void TimerTest::choosingAgainHidesThemAndChangesNothingElse() {
    WindowFixture w;
    w.form->reader().loadFile(w.file("t.txt", threeLinesWithALongOne()));
    w.form->timerItem()->trigger();
    w.form->Timer1Timer();
    w.form->Timer1Timer(); // the long line, from byte 4
    const QString title = w.title();
    const int countdown = w.form->timer()->countdowns();
    w.form->timerItem()->trigger();
    QVERIFY(!w.form->timerItem()->isChecked());
    QVERIFY(!w.form->trackBarT()->isVisibleTo(w.form.get()));
    QVERIFY(!w.form->labelT()->isVisibleTo(w.form.get()));
    QCOMPARE(w.form->labelT()->text(), QStringLiteral("1秒"));
    QCOMPARE(w.form->timer()->interval(), 200U);
    QCOMPARE(w.form->timer()->countdowns(), countdown);
    QVERIFY(w.form->timer()->isActive());
    QCOMPARE(w.title(), title);
    QCOMPARE(w.form->reader().charOffset(), 4);
}

void TimerTest::speedChangeRestartsOnlyWhenTheStepIntervalIsInForce() {
    WindowFixture w;
    w.form->reader().loadFile(w.file("t.txt", threeLinesWithALongOne()));
    w.form->timerItem()->trigger();
    w.form->Timer1Timer(); // a line move: the line interval, 1000 ms
    int countdown = w.form->timer()->countdowns();
    emit w.form->trackBarT()->sliderReleased(); // a change event, the position unchanged
    QCOMPARE(w.form->timer()->countdowns(), countdown);
    QCOMPARE(w.form->labelT()->text(), QStringLiteral("1秒"));

    w.form->Timer1Timer(); // a sideways step: the step interval, 200 ms
    QCOMPARE(w.form->timer()->interval(), 200U);
    countdown = w.form->timer()->countdowns();
    emit w.form->trackBarT()->sliderReleased();
    QCOMPARE(w.form->timer()->interval(), 1000U);
    QVERIFY(w.form->timer()->countdowns() != countdown);

    QTest::keyClick(w.form->trackBarT(), Qt::Key_Home);
    QCOMPARE(w.form->labelT()->text(), QStringLiteral("0.1秒"));
    QCOMPARE(w.form->timer()->interval(), 100U);
    QTest::keyClick(w.form->trackBarT(), Qt::Key_PageDown);
    QCOMPARE(w.form->labelT()->text(), QStringLiteral("0.3秒"));
    QTest::keyClick(w.form->trackBarT(), Qt::Key_End);
    QCOMPARE(w.form->labelT()->text(), QStringLiteral("2秒"));
    QCOMPARE(w.form->timer()->interval(), 2000U);
}

void TimerTest::ticksWhileOffOrWithNoLinesChangeNothing() {
    WindowFixture w;
    w.form->timerItem()->trigger();
    QTest::keyClick(w.form->trackBarT(), Qt::Key_Home); // 100 ms
    const int countdown = w.form->timer()->countdowns();
    w.form->Timer1Timer(); // on, but nothing loaded
    QCOMPARE(w.form->timer()->interval(), 100U);
    QCOMPARE(w.form->timer()->countdowns(), countdown);
    QCOMPARE(w.title(), QString());

    w.form->timerItem()->trigger(); // off
    w.form->reader().loadFile(w.file("t.txt", threeLinesWithALongOne()));
    w.form->Timer1Timer();
    QCOMPARE(w.title(), QStringLiteral("short"));
    QCOMPARE(w.form->reader().position(), 0);
    QCOMPARE(w.form->timer()->interval(), 100U);
    QCOMPARE(w.form->timer()->countdowns(), countdown);
}

void TimerTest::ticksStepThroughTheText() {
    WindowFixture w;
    w.form->reader().loadFile(w.file("t.txt", threeLinesWithALongOne()));
    w.form->timerItem()->trigger();
    QStringList titles;
    for (int i = 0; i < 22; ++i) {
        w.form->Timer1Timer();
        titles << w.title();
    }
    // The long line whole, its views from byte 4 to 80, then the last line and the first.
    QCOMPARE(titles.front(), QString(200, 'L'));
    QCOMPARE(titles[1], QString(197, 'L'));
    QCOMPARE(titles[20], QString(121, 'L'));
    QCOMPARE(titles[21], QStringLiteral("last"));
    w.form->Timer1Timer();
    QCOMPARE(w.title(), QStringLiteral("short"));
    QCOMPARE(w.form->labelP()->text(), QStringLiteral("1行目"));
}

void TimerTest::switchingOffAndOnGoesOnFromTheSameOffset() {
    WindowFixture w;
    w.form->reader().loadFile(w.file("t.txt", threeLinesWithALongOne()));
    w.form->timerItem()->trigger();
    for (int i = 0; i < 4; ++i) {
        w.form->Timer1Timer(); // the long line, then from bytes 4, 8 and 12
    }
    w.form->timerItem()->trigger();
    w.form->Timer1Timer();
    QCOMPARE(w.form->reader().charOffset(), 12);
    const int countdown = w.form->timer()->countdowns();
    w.form->timerItem()->trigger(); // on again: the step interval was in force, so a restart
    QCOMPARE(w.form->timer()->interval(), 1000U);
    QVERIFY(w.form->timer()->countdowns() != countdown);
    w.form->Timer1Timer();
    QCOMPARE(w.form->reader().charOffset(), 16);
}

void TimerTest::timerFailureIsShownAndTheLabelKept() {
    auto* timer = new RefusingTimer;
    WindowFixture w(timer);
    w.form->timerItem()->trigger(); // 1000 ms, unchanged: no start, no failure
    QVERIFY(w.boxes.empty());
    timer->refuse = true;
    QTest::keyClick(w.form->trackBarT(), Qt::Key_Right); // 1100 ms cannot be had
    QCOMPARE(w.boxes.size(), std::size_t{1});
    QCOMPARE(w.boxes[0].caption, QStringLiteral("qirt"));
    QCOMPARE(w.boxes[0].text, QStringLiteral("タイマーを取得できません."));
    QCOMPARE(w.form->labelT()->text(), QStringLiteral("1秒"));
    QCOMPARE(timer->interval(), 1100U);
    QVERIFY(!timer->isActive());

    timer->refuse = false;
    emit w.form->trackBarT()->sliderReleased(); // the same value again: still stopped
    QVERIFY(!timer->isActive());
    QCOMPARE(w.form->labelT()->text(), QStringLiteral("1.1秒"));
    QTest::keyClick(w.form->trackBarT(), Qt::Key_Right);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1200U);
}

void TimerTest::speedLabelFollowsTheLocale() {
    // Run once as it comes, and once by CTest under LC_ALL=de_DE.UTF-8.
    const QString point = QLocale::system().decimalPoint();
    WindowFixture w;
    w.form->timerItem()->trigger();
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(w.form->trackBarT(), Qt::Key_Left);
    }
    QCOMPARE(w.form->labelT()->text(), "0" + point.left(1) + "5秒");
    if (qgetenv("LC_ALL").startsWith("de_DE")) {
        QCOMPARE(w.form->labelT()->text(), QStringLiteral("0,5秒"));
    }
    QTest::keyClick(w.form->trackBarT(), Qt::Key_PageDown);
    QTest::keyClick(w.form->trackBarT(), Qt::Key_PageDown);
    QTest::keyClick(w.form->trackBarT(), Qt::Key_Right);
    QCOMPARE(w.form->labelT()->text(), QStringLiteral("1秒"));
}

void TimerTest::ticksArriveOnTheirOwn() {
    // The one test that waits: the real timer drives the text at 0.1 seconds a line.
    WindowFixture w;
    w.form->reader().loadFile(w.file("abc.txt", "a\nb\nc\n"));
    w.form->timerItem()->trigger();
    QTest::keyClick(w.form->trackBarT(), Qt::Key_Home);
    QVERIFY(QTest::qWaitFor([&] { return w.title() == "b"; }, 3000));
    QVERIFY(QTest::qWaitFor([&] { return w.title() == "a"; }, 3000)); // wrapped around
}

QTEST_MAIN(TimerTest)
#include "timer_test.moc"
