#include "errordisplay.h"

#include <QMessageBox>

std::string ErrorDisplay::boxText(std::string_view message) {
    std::string text(message);
    // In UTF-8 the first byte of a character of two or more bytes is 0xC2 or above, like
    // every byte that follows it, so the last byte decides as the first byte of that
    // character would.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text.push_back('.');
    }
    return text;
}

QString ErrorDisplay::applicationTitle(const QString& fileName) {
    QString name = fileName.section(QLatin1Char('/'), -1);
    name.truncate(name.indexOf(QLatin1Char('.')) < 0 ? name.size()
                                                     : name.indexOf(QLatin1Char('.')));
    if (name.size() > 1) {
        name = name.left(1) + name.mid(1).toLower();
    }
    return name;
}

ErrorDisplay::ErrorDisplay(QString caption) : caption_(std::move(caption)) {}

void ErrorDisplay::show(std::string_view message) const {
    const std::string text = boxText(message);
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (shower_) {
        shower_(caption_, shown);
        return;
    }
    QMessageBox box(QMessageBox::Critical, caption_, shown, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
