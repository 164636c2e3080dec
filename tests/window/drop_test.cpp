#include "tformqirt.h"
#include "urilist.h"
#include "windowfixture.h"

#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QSlider>
#include <QStringEncoder>
#include <QtTest>

#include <sys/stat.h>

namespace {

QByteArray uriOf(const std::string& path) {
    return "file://" + QByteArray::fromStdString(path).toPercentEncoding("/");
}

// Drops the paths on the window as a file manager would, and lets the drop be handled.
void drop(TFormQIRT& form, const std::vector<std::string>& paths) {
    QByteArray list;
    for (const auto& p : paths) {
        list += uriOf(p) + "\r\n";
    }
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), list);
    const QPoint at(300, 13);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &dropped);
    QVERIFY(dropped.isAccepted());
    QCoreApplication::processEvents();
}

} // namespace

class DropTest : public QObject {
    Q_OBJECT

private slots:
    void dropCases_data();
    void dropCases();
    void sideOffsetIsKept();
    void foreignDragsAreRefused();
    void shiftJisAndUtf8FilesBothReadRight();
    void uriList_data();
    void uriList();
};

void DropTest::dropCases_data() {
    QTest::addColumn<bool>("longerFileFirst");
    QTest::addColumn<QList<QByteArray>>("names");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("labelP");
    QTest::addColumn<QString>("box");

    // a.txt: a0 to a2; b.txt: b0, b1; c.txt: c0; ten.txt: t0 to t9, read at position 5.
    QTest::newRow("one file at start") << false << QList<QByteArray>{"a.txt"} << "a0" << 2 << ""
                                       << "";
    QTest::newRow("a shorter file after position 5")
        << true << QList<QByteArray>{"a.txt"} << "a0" << 2 << "1行目"
        << "";
    QTest::newRow("one line") << false << QList<QByteArray>{"c.txt"} << "c0" << 0 << ""
                              << "";
    QTest::newRow("a directory alone") << true << QList<QByteArray>{"sub"} << "t5" << 9 << "6行目"
                                       << "";
    QTest::newRow("a directory and a file")
        << false << QList<QByteArray>{"sub", "b.txt"} << "b0" << 1 << ""
        << "";
    QTest::newRow("a name that is gone")
        << false << QList<QByteArray>{"gone.txt", "b.txt"} << "b0" << 1 << ""
        << "";
    QTest::newRow("three readable files")
        << false << QList<QByteArray>{"a.txt", "b.txt", "c.txt"} << "c0" << 0 << ""
        << "";
    QTest::newRow("a, one that cannot be opened, c")
        << false << QList<QByteArray>{"a.txt", "fifo", "c.txt"} << "a0" << 2 << ""
        << "ファイル %1/fifo は開けません.";
    QTest::newRow("a name that is not UTF-8")
        << false << QList<QByteArray>{"\xff.fifo"} << "" << 0 << ""
        << QStringLiteral("ファイル %1/\uFFFD.fifo は開けません.");
    QTest::newRow("an empty file") << true << QList<QByteArray>{"empty.txt"} << "t5" << 9 << "6行目"
                                   << "リストのインデックスが範囲を超えています (0)";
    QTest::newRow("a file that begins with NUL")
        << true << QList<QByteArray>{"nul.txt"} << "t5" << 9 << "6行目"
        << "リストのインデックスが範囲を超えています (0)";
}

void DropTest::dropCases() {
    QFETCH(bool, longerFileFirst);
    QFETCH(QList<QByteArray>, names);
    QFETCH(QString, title);
    QFETCH(int, max);
    QFETCH(QString, labelP);
    QFETCH(QString, box);

    WindowFixture w;
    w.file("a.txt", "a0\r\na1\r\na2\r\n");
    w.file("b.txt", "b0\nb1\n");
    w.file("c.txt", "c0");
    w.file("empty.txt", "");
    w.file("nul.txt", QByteArray("\0x\r\n", 4));
    QDir(w.dir.path()).mkdir("sub");
    const QByteArray dir = QFile::encodeName(w.dir.path());
    mkfifo((dir + "/fifo").constData(), 0600);
    mkfifo((dir + "/\xff.fifo").constData(), 0600);
    if (longerFileFirst) {
        drop(*w.form, {w.file("ten.txt", "t0\nt1\nt2\nt3\nt4\nt5\nt6\nt7\nt8\nt9\n")});
        w.form->reader().setPosition(5);
    }
    std::vector<std::string> paths;
    for (const QByteArray& name : names) {
        paths.push_back((dir + "/" + name).toStdString());
    }
    drop(*w.form, paths);
    // QTemporaryDir cannot remove a name it cannot decode.
    unlink((dir + "/\xff.fifo").constData());

    QCOMPARE(w.title(), title);
    QCOMPARE(w.form->reader().max(), max);
    QCOMPARE(w.form->trackBarP()->maximum(), max);
    QCOMPARE(w.form->labelP()->text(), labelP);
    const int position = title == "t5" ? 5 : 0;
    QCOMPARE(w.form->reader().position(), position);
    QCOMPARE(w.form->trackBarP()->value(), position);
    if (box.isEmpty()) {
        QVERIFY(w.boxes.empty());
    } else {
        QCOMPARE(w.boxes.size(), std::size_t{1});
        QCOMPARE(w.boxes[0].text, box.contains("%1") ? box.arg(w.dir.path()) : box);
    }
}

void DropTest::sideOffsetIsKept() {
    WindowFixture w;
    drop(*w.form, {w.file("long.txt", QByteArray(300, 'x'))});
    QVERIFY(w.form->ApplicationEvents1Message(
        w.form->bar(),
        std::make_unique<QWheelEvent>(QPointF(), QPointF(), QPoint(), QPoint(0, -240), Qt::NoButton,
                                      Qt::NoModifier, Qt::NoScrollPhase, false)
            .get()));
    QCOMPARE(w.form->reader().charOffset(), 24);
    drop(*w.form, {w.file("other.txt", "y\n")});
    QCOMPARE(w.title(), QStringLiteral("y"));
    QCOMPARE(w.form->reader().charOffset(), 24);
}

void DropTest::foreignDragsAreRefused() {
    WindowFixture w;
    QMimeData data;
    data.setText(QStringLiteral("just text"));
    data.setData(QStringLiteral("text/uri-list"), "https://example.org/a.txt\r\n");
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(w.form.get(), &enter);
    QVERIFY(!enter.isAccepted());
}

void DropTest::shiftJisAndUtf8FilesBothReadRight() {
    WindowFixture w;
    const QString first =
        QStringLiteral("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
                       "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。");
    QStringEncoder toCp932("Shift_JIS");
    drop(*w.form, {w.file("neko.txt", toCp932(first + "\r\n二行目\r\n"))});
    QCOMPARE(w.title(), first);
    QVERIFY(w.form->ApplicationEvents1Message(
        w.form->bar(),
        std::make_unique<QWheelEvent>(QPointF(), QPointF(), QPoint(), QPoint(0, -120), Qt::NoButton,
                                      Qt::NoModifier, Qt::NoScrollPhase, false)
            .get()));
    // From byte 12, the second byte of the sixth character: the view starts with the seventh.
    QCOMPARE(w.form->reader().charOffset(), 13);
    QCOMPARE(w.title(), first.mid(6));

    drop(*w.form, {w.file("utf8.txt", QStringLiteral("これは UTF-8 です\n").toUtf8())});
    QCOMPARE(w.title(), QStringLiteral("これは UTF-8 です"));
    drop(*w.form, {w.file("back.txt", toCp932(QStringLiteral("またシフトJIS\r\n")))});
    QCOMPARE(w.title(), QStringLiteral("またシフトJIS"));
}

void DropTest::uriList_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QList<QByteArray>>("paths");
    QTest::newRow("plain") << QByteArray("file:///tmp/a.txt\r\n")
                           << QList<QByteArray>{"/tmp/a.txt"};
    QTest::newRow("space") << QByteArray("file:///tmp/a%20b.txt\r\n")
                           << QList<QByteArray>{"/tmp/a b.txt"};
    QTest::newRow("percent") << QByteArray("file:///tmp/100%25.txt")
                             << QList<QByteArray>{"/tmp/100%.txt"};
    QTest::newRow("bytes that are not UTF-8") << QByteArray("file:///tmp/%82%a0%FF.txt\r\n")
                                              << QList<QByteArray>{"/tmp/\x82\xa0\xff.txt"};
    QTest::newRow("UTF-8 as sent")
        << QByteArray("file:///tmp/%E6%97%A5.txt") << QList<QByteArray>{"/tmp/\xe6\x97\xa5.txt"};
    QTest::newRow("localhost") << QByteArray("file://localhost/etc/x\r\n")
                               << QList<QByteArray>{"/etc/x"};
    QTest::newRow("another host") << QByteArray("file://server/etc/x\r\n") << QList<QByteArray>{};
    QTest::newRow("a host that only starts like localhost")
        << QByteArray("file://localhostx/etc/x\r\n") << QList<QByteArray>{};
    QTest::newRow("comments and blank lines")
        << QByteArray("# from a file manager\r\n\r\nfile:///a\r\nfile:///b\r\n")
        << QList<QByteArray>{"/a", "/b"};
    QTest::newRow("not file URIs") << QByteArray("http://example.org/a\r\nsmb://h/s/f\r\nfile:///c")
                                   << QList<QByteArray>{"/c"};
    QTest::newRow("single slash form") << QByteArray("file:/a/b") << QList<QByteArray>{"/a/b"};
    QTest::newRow("upper-case scheme") << QByteArray("FILE:///A") << QList<QByteArray>{"/A"};
    QTest::newRow("lines ending in LF alone")
        << QByteArray("file:///a\nfile:///b\n") << QList<QByteArray>{"/a", "/b"};
    QTest::newRow("an escaped NUL is no name")
        << QByteArray("file:///a%00b\r\nfile:///c") << QList<QByteArray>{"/c"};
    QTest::newRow("a broken escape stays")
        << QByteArray("file:///a%zz%4") << QList<QByteArray>{"/a%zz%4"};
    QTest::newRow("longer than 275 bytes, whole")
        << ("file:///" + QByteArray(400, 'n')) << QList<QByteArray>{"/" + QByteArray(400, 'n')};
}

void DropTest::uriList() {
    QFETCH(QByteArray, list);
    QFETCH(QList<QByteArray>, paths);
    QList<QByteArray> got;
    for (const std::string& p : localPathsOfUriList(list.toStdString())) {
        got.push_back(QByteArray::fromStdString(p));
    }
    QCOMPARE(got, paths);
}

QTEST_MAIN(DropTest)
#include "drop_test.moc"
