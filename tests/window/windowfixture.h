#pragma once

#include "intervaltimer.h"
#include "tformqirt.h"
#include "titlebar.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

// One shown window with its error boxes caught instead of shown, and a folder for files.
struct WindowFixture {
    struct Box {
        QString caption;
        QString text;
    };

    explicit WindowFixture(IntervalTimer* timer = nullptr)
        : form(std::make_unique<TFormQIRT>(QStringLiteral("qirt"), timer)) {
        form->errorDisplay().setShower([this](const QString& caption, const QString& text) {
            boxes.push_back({caption, text});
        });
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get())) {
            qWarning("the window did not become active");
        }
    }

    // Writes bytes to a file in the folder; its path, as bytes.
    std::string file(const QString& name, const QByteArray& bytes) const {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return QFile::encodeName(path).toStdString();
    }

    // The bar's text as the bytes of a line would decode.
    QString title() const { return form->bar()->text(); }

    QTemporaryDir dir;
    std::vector<Box> boxes;
    std::unique_ptr<TFormQIRT> form;
};

// A wheel event as a mouse or touchpad sends it, with a vertical and a horizontal delta.
inline bool sendWheel(QWidget* target, int dy, int dx = 0) {
    QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(dx, dy),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    return QApplication::sendEvent(target, &event);
}
