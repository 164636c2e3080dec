#include "errordisplay.h"
#include "tformqirt.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>

#include "qirt.xpm"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString title = ErrorDisplay::applicationTitle(
        QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    QApplication::setApplicationDisplayName(title);
    QApplication::setWindowIcon(QIcon(QPixmap(qirt_xpm)));
    const ErrorDisplay startupErrors(title);
    bool started = false;
    guarded(startupErrors, [&] {
        FormQIRT = new TFormQIRT(title);
        started = true;
    });
    if (!started) {
        return 0;
    }
    FormQIRT->show();
    QApplication::exec();
    delete FormQIRT;
    return 0;
}
