#include "errordisplay.h"
#include "failure.h"
#include "intervaltimer.h"
#include "tformqirt.h"
#include "titlebar.h"
#include "wheelaccumulator.h"
#include "windowfixture.h"

#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QtTest>

#include <new>

class TFormQIRTTest : public QObject {
    Q_OBJECT

private slots:
    void stateAfterStart();
    void equalTitleChangesNothing();
    void longLineDecodesOnlyWhatCanShow();
    void wheelStepsTheReaderAndIsConsumed();
    void wheelIsLeftAloneWhileNothingIsLoaded();
    void wheelIsLeftAloneForHorizontalAndWhileAMenuIsOpen();
    void wheelAccumulation_data();
    void wheelAccumulation();
    void userMovementOfTheSliderShowsTheLine();
    void sliderReleaseWithoutAChangeStillShowsTheLine();
    void keysBeforeAnyFileChangeNothing();
    void contextMenuOpensThePopup();
    void boxText_data();
    void boxText();
    void failuresShowInABoxCaptionedWithTheApplicationTitle();
    void everyFailureIsCaught();
    void applicationTitle_data();
    void applicationTitle();
};

void TFormQIRTTest::stateAfterStart() {
    WindowFixture w;
    TFormQIRT& form = *w.form;
    QCOMPARE(form.geometry(), QRect(189, 108, 800, 27));
    QCOMPARE(form.windowTitle(), QStringLiteral("qirt"));
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.title(), QString());
    QCOMPARE(form.bar()->geometry(), QRect(0, 0, 800, 27));
    QCOMPARE(form.labelP()->text(), QString());
    QCOMPARE(form.trackBarP()->minimum(), 0);
    QCOMPARE(form.trackBarP()->maximum(), 0);
    QCOMPARE(form.trackBarP()->pos(), QPoint(0, 8));
    QCOMPARE(form.labelP()->pos(), QPoint(272, 8));
    QVERIFY(!form.trackBarT()->isVisibleTo(&form));
    QVERIFY(!form.labelT()->isVisibleTo(&form));
    QCOMPARE(form.trackBarT()->minimum(), 1);
    QCOMPARE(form.trackBarT()->maximum(), 20);
    QCOMPARE(form.trackBarT()->value(), 10);
    QCOMPARE(form.trackBarT()->pageStep(), 2);
    QCOMPARE(form.labelT()->text(), QString());
    QVERIFY(!form.timerItem()->isChecked());
    QCOMPARE(form.timerItem()->text(), QStringLiteral("タイマー"));
    QCOMPARE(form.timer()->interval(), 1000U);
    QVERIFY(form.timer()->isActive());
    QCOMPARE(form.font().pixelSize(), 12);
    QCOMPARE(QApplication::focusWidget(), form.trackBarP());
    QCOMPARE(form.reader().charOffset(), 0);
    QVERIFY(w.boxes.empty());
}

void TFormQIRTTest::equalTitleChangesNothing() {
    WindowFixture w;
    TitleBar* bar = w.form->bar();
    bar->setTitle("abc", qirt::Encoding::utf8());
    const int changes = bar->changes();
    bar->setTitle("abc", qirt::Encoding::utf8());
    QCOMPARE(bar->changes(), changes);
    QCOMPARE(bar->accessibleName(), QStringLiteral("abc"));
    bar->setTitle("abd", qirt::Encoding::utf8());
    QCOMPARE(bar->changes(), changes + 1);
}

void TFormQIRTTest::longLineDecodesOnlyWhatCanShow() {
    WindowFixture w;
    TitleBar* bar = w.form->bar();
    const std::string line(1'000'000, 'x');
    bar->setTitle(line, qirt::Encoding::utf8());
    QCOMPARE(bar->text().size(), 800 * TitleBar::kBytesPerPixel);
    w.form->resize(1200, 27);
    QCOMPARE(bar->text().size(), 1200 * TitleBar::kBytesPerPixel); // wider: more shows
    // "あ" is three bytes: the one cut at the end of what is decoded is left out.
    std::string kana;
    while (kana.size() < line.size()) {
        kana += "\xe3\x81\x82";
    }
    w.form->resize(1000, 27); // 2000 bytes: 666 characters and two bytes of the next
    bar->setTitle(kana, qirt::Encoding::utf8());
    QCOMPARE(bar->text(), QString(1000 * TitleBar::kBytesPerPixel / 3, QChar(0x3042)));
}

void TFormQIRTTest::wheelStepsTheReaderAndIsConsumed() {
    WindowFixture w;
    std::vector<QByteArray> lines;
    QByteArray bytes;
    for (int i = 0; i < 50; ++i) {
        bytes += "line " + QByteArray::number(i) + "\r\n";
    }
    w.form->reader().loadFile(w.file("fifty.txt", bytes));
    QSlider* slider = w.form->trackBarP();
    // The slider has the focus and would move by itself if the event reached it.
    sendWheel(slider, -120);
    QCOMPARE(w.title(), QStringLiteral("line 1"));
    QCOMPARE(slider->value(), 1);
    QCOMPARE(w.form->labelP()->text(), QStringLiteral("2行目"));
    sendWheel(w.form->bar(), 120);
    QCOMPARE(w.title(), QStringLiteral("line 0"));
    QCOMPARE(slider->value(), 0);
}

void TFormQIRTTest::wheelIsLeftAloneWhileNothingIsLoaded() {
    WindowFixture w;
    QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QVERIFY(!w.form->ApplicationEvents1Message(w.form->trackBarP(), &event));
    QCOMPARE(w.title(), QString());
}

void TFormQIRTTest::wheelIsLeftAloneForHorizontalAndWhileAMenuIsOpen() {
    WindowFixture w;
    w.form->reader().loadFile(w.file("two.txt", "a\nb\n"));
    QWheelEvent sideways(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(-120, 0), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
    QVERIFY(!w.form->ApplicationEvents1Message(w.form->bar(), &sideways));
    w.form->popupMenu()->popup(QPoint(200, 200));
    QVERIFY(QTest::qWaitFor([&] { return QApplication::activePopupWidget() != nullptr; }));
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QVERIFY(!w.form->ApplicationEvents1Message(w.form->bar(), &down));
    w.form->popupMenu()->close();
    QCOMPARE(w.title(), QStringLiteral("a"));
}

void TFormQIRTTest::wheelAccumulation_data() {
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<int>("line");
    // Lines 0 to 9 are short, so every whole notch moves one line.
    QTest::newRow("eight small deltas make one notch")
        << QList<int>{-15, -15, -15, -15, -15, -15, -15, -15} << 1;
    QTest::newRow("seven are not enough") << QList<int>{-15, -15, -15, -15, -15, -15, -15} << 0;
    QTest::newRow("two half notches") << QList<int>{-60, -60} << 1;
    QTest::newRow("two notches at once") << QList<int>{-240} << 2;
    QTest::newRow("away from the user at line 0") << QList<int>{120} << 0;
    QTest::newRow("a flip of direction drops the remainder") << QList<int>{-90, 60, -90} << 0;
    QTest::newRow("the remainder carries over") << QList<int>{-180, -60} << 2;
    QTest::newRow("back after forward") << QList<int>{-240, 120} << 1;
}

void TFormQIRTTest::wheelAccumulation() {
    QFETCH(QList<int>, deltas);
    QFETCH(int, line);
    WindowFixture w;
    w.form->reader().loadFile(w.file("ten.txt", "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n"));
    for (const int dy : deltas) {
        sendWheel(w.form->bar(), dy);
    }
    QCOMPARE(w.form->reader().position(), line);
    QCOMPARE(w.title(), QString::number(line));
}

void TFormQIRTTest::userMovementOfTheSliderShowsTheLine() {
    WindowFixture w;
    w.form->reader().loadFile(w.file("ten.txt", "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n"));
    QSlider* slider = w.form->trackBarP();
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(w.title(), QStringLiteral("1"));
    QCOMPARE(w.form->labelP()->text(), QStringLiteral("2行目"));
    QTest::keyClick(slider, Qt::Key_PageDown);
    QCOMPARE(w.title(), QStringLiteral("3"));
    QTest::keyClick(slider, Qt::Key_Down);
    QCOMPARE(w.title(), QStringLiteral("4"));
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(w.title(), QStringLiteral("9"));
    QCOMPARE(w.form->labelP()->text(), QStringLiteral("10行目"));
    QTest::keyClick(slider, Qt::Key_PageUp);
    QCOMPARE(w.title(), QStringLiteral("7"));
    QTest::keyClick(slider, Qt::Key_Home);
    QCOMPARE(w.title(), QStringLiteral("0"));
    QCOMPARE(w.form->reader().position(), 0);
}

void TFormQIRTTest::sliderReleaseWithoutAChangeStillShowsTheLine() {
    WindowFixture w;
    const QByteArray longLine(200, 'x');
    w.form->reader().loadFile(w.file("long.txt", "short\n" + longLine + "\n"));
    sendWheel(w.form->bar(), -120);
    sendWheel(w.form->bar(), -120); // the long line, from byte 12
    QCOMPARE(w.title().size(), 189);
    emit w.form->trackBarP()->sliderReleased();
    QCOMPARE(w.title(), QString::fromLatin1(longLine));
    QCOMPARE(w.form->labelP()->text(), QStringLiteral("2行目"));
}

void TFormQIRTTest::keysBeforeAnyFileChangeNothing() {
    WindowFixture w;
    for (const auto key : {Qt::Key_End, Qt::Key_Home, Qt::Key_Right, Qt::Key_PageDown}) {
        QTest::keyClick(w.form->trackBarP(), key);
    }
    QCOMPARE(w.title(), QString());
    QCOMPARE(w.form->labelP()->text(), QString());
    QVERIFY(w.boxes.empty());
}

void TFormQIRTTest::contextMenuOpensThePopup() {
    WindowFixture w;
    w.form->resize(800, 100);
    for (QWidget* target :
         {static_cast<QWidget*>(w.form->trackBarP()), static_cast<QWidget*>(w.form->labelP())}) {
        const QPoint at = target->mapToGlobal(QPoint(2, 2));
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), at);
        QApplication::sendEvent(target, &event);
        QVERIFY(QTest::qWaitFor([&] { return w.form->popupMenu()->isVisible(); }));
        QCOMPARE(w.form->popupMenu()->actions().size(), 1);
        QCOMPARE(w.form->popupMenu()->actions().front()->text(), QStringLiteral("タイマー"));
        QCOMPARE(w.form->popupMenu()->pos(), at);
        w.form->popupMenu()->close();
    }
}

void TFormQIRTTest::boxText_data() {
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("letter") << QByteArray("abc") << QByteArray("abc.");
    QTest::newRow("digit") << QByteArray("7") << QByteArray("7.");
    QTest::newRow("slash sorts above the point") << QByteArray("a/") << QByteArray("a/.");
    QTest::newRow("point") << QByteArray("done.") << QByteArray("done.");
    QTest::newRow("blank") << QByteArray("a ") << QByteArray("a ");
    QTest::newRow("control") << QByteArray("a\t") << QByteArray("a\t");
    QTest::newRow("exclamation") << QByteArray("a!") << QByteArray("a!");
    QTest::newRow("parenthesis") << QByteArray("(0)") << QByteArray("(0)");
    QTest::newRow("hyphen") << QByteArray("a-") << QByteArray("a-");
    QTest::newRow("Japanese") << QByteArray("タイマーを取得できません")
                              << QByteArray("タイマーを取得できません.");
}

void TFormQIRTTest::boxText() {
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, shown);
    QCOMPARE(QByteArray::fromStdString(ErrorDisplay::boxText(message.toStdString())), shown);
}

void TFormQIRTTest::failuresShowInABoxCaptionedWithTheApplicationTitle() {
    WindowFixture w;
    w.form->reader().loadFile(w.file("one.txt", "some line\n"));
    const std::string missing = w.file("x", "") + "-missing";
    w.form->WMDropFiles({w.file("empty.txt", "")});
    QCOMPARE(w.boxes.size(), std::size_t{1});
    QCOMPARE(w.boxes[0].caption, QStringLiteral("qirt"));
    QCOMPARE(w.boxes[0].text, QStringLiteral("リストのインデックスが範囲を超えています (0)"));
    QCOMPARE(w.title(), QStringLiteral("some line"));
}

void TFormQIRTTest::everyFailureIsCaught() {
    WindowFixture w;
    const ErrorDisplay& display = w.form->errorDisplay();
    guarded(display, [] { throw qirt::Failure::noTimer(); });
    guarded(display, [] { throw std::bad_alloc(); });
    guarded(display, [] { throw 42; });
    QCOMPARE(w.boxes.size(), std::size_t{3});
    QCOMPARE(w.boxes[0].text, QStringLiteral("タイマーを取得できません."));
    QCOMPARE(w.boxes[1].text, QStringLiteral("std::bad_alloc."));
    QCOMPARE(w.boxes[2].text, QString());
}

void TFormQIRTTest::applicationTitle_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::newRow("as built") << "qirt"
                              << "qirt";
    QTest::newRow("upper case with extension") << "QIRT.EXE"
                                               << "Qirt";
    QTest::newRow("everything from the first point") << "my.reader.bin"
                                                     << "my";
    QTest::newRow("first letter kept") << "QiRT"
                                       << "Qirt";
    QTest::newRow("directory dropped") << "/usr/local/bin/Reader"
                                       << "Reader";
}

void TFormQIRTTest::applicationTitle() {
    QFETCH(QString, file);
    QFETCH(QString, title);
    QCOMPARE(ErrorDisplay::applicationTitle(file), title);
}

QTEST_MAIN(TFormQIRTTest)
#include "tformqirt_test.moc"
