#include "tformqirt.h"

#include "applicationevents.h"
#include "failure.h"
#include "frameedges.h"
#include "intervaltimer.h"
#include "titlebar.h"
#include "ui_tformqirt.h"
#include "urilist.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QShortcut>
#include <QWheelEvent>
#include <QWindow>

#include <sys/stat.h>

TFormQIRT* FormQIRT = nullptr;

namespace {

constexpr int kInitialInterval = 1000;
// Where the window opens. The layout file has the size; Qt applies a top-level window's
// stored position only when it is moved explicitly, and then tells the window manager.
constexpr QPoint kInitialPosition(189, 108);

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Labels grow to the right from where they stand, as wide as their text.
void setLabelText(QLabel* label, std::string_view text) {
    const QString s = fromUtf8(text);
    if (label->text() != s) {
        label->setText(s);
        label->adjustSize();
    }
}

// Files at least this large may take a moment to read: the pointer shows that the window is busy.
constexpr off_t kBusyFileSize = off_t{16} << 20;

const QString kUriList = QStringLiteral("text/uri-list");

std::vector<std::string> droppedNames(const QMimeData* data) {
    if (data == nullptr || !data->hasFormat(kUriList)) {
        return {};
    }
    const QByteArray list = data->data(kUriList);
    return localPathsOfUriList(
        std::string_view(list.constData(), static_cast<std::size_t>(list.size())));
}

// Shows the busy pointer for as long as it lives.
class BusyCursor {
public:
    explicit BusyCursor(bool busy) : busy_(busy) {
        if (busy_) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor() {
        if (busy_) {
            QApplication::restoreOverrideCursor();
        }
    }

private:
    bool busy_;
};

} // namespace

TFormQIRT::TFormQIRT(const QString& applicationTitle, IntervalTimer* timer, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::TFormQIRT>()),
      errors_(applicationTitle), reader_(*this), PopupMenu1(new QMenu(this)),
      Timer1(timer != nullptr ? timer : new IntervalTimer),
      ApplicationEvents1(new ApplicationEvents(
          this, [this](QObject* r, QEvent* e) { return ApplicationEvents1Message(r, e); })) {
    ui_->setupUi(this);
    move(kInitialPosition);
    Timer1->setParent(this);
    // Task bars and window lists show the application, never the line.
    setWindowTitle(applicationTitle);
    QFont face = font();
    face.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("sans-serif")});
    face.setPixelSize(12);
    setFont(face);
    setMouseTracking(true);

    PopupMenu1->addAction(ui_->Timer);
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { PopupMenu1->popup(ui_->ClientArea->mapToGlobal(QPoint(0, 0))); });

    connect(Timer1, &IntervalTimer::timeout, this, &TFormQIRT::Timer1Timer);
    if (!Timer1->setInterval(kInitialInterval)) {
        throw qirt::Failure::noTimer();
    }
    readDecimalSeparator();
    qApp->installEventFilter(ApplicationEvents1);
}

TFormQIRT::~TFormQIRT() {
    qApp->removeEventFilter(ApplicationEvents1);
    if (FormQIRT == this) {
        FormQIRT = nullptr;
    }
}

TitleBar* TFormQIRT::bar() const {
    return ui_->Bar;
}
QSlider* TFormQIRT::trackBarP() const {
    return ui_->TrackBarP;
}
QSlider* TFormQIRT::trackBarT() const {
    return ui_->TrackBarT;
}
QLabel* TFormQIRT::labelP() const {
    return ui_->LabelP;
}
QLabel* TFormQIRT::labelT() const {
    return ui_->LabelT;
}
QAction* TFormQIRT::timerItem() const {
    return ui_->Timer;
}

void TFormQIRT::FormShow() {
    reader_.formShow();
    setAcceptDrops(true);
    ui_->TrackBarP->setFocus();
}

void TFormQIRT::dragEnterEvent(QDragEnterEvent* event) {
    acceptFileDrag(event);
}

void TFormQIRT::dragMoveEvent(QDragMoveEvent* event) {
    acceptFileDrag(event);
}

void TFormQIRT::acceptFileDrag(QDropEvent* event) {
    // Only a drag that carries files this machine can open; text or web links are refused.
    guarded(errors_, [event] {
        if (!droppedNames(event->mimeData()).empty()) {
            event->acceptProposedAction();
        }
    });
}

void TFormQIRT::dropEvent(QDropEvent* event) {
    std::vector<std::string> names;
    guarded(errors_, [&] { names = droppedNames(event->mimeData()); });
    if (names.empty()) {
        return;
    }
    // The drop is finished for the dragging program at once; the names are read in turn
    // afterwards, from the event loop, as a message of their own.
    event->acceptProposedAction();
    // Qt owns the queued call until it has run.
    QMetaObject::invokeMethod( // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
        this, [this, names = std::move(names)] { WMDropFiles(names); }, Qt::QueuedConnection);
}

void TFormQIRT::WMDropFiles(const std::vector<std::string>& names) {
    guarded(errors_, [&] {
        for (const std::string& name : names) {
            struct stat st {};
            if (stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
                const BusyCursor busy(st.st_size >= kBusyFileSize);
                reader_.loadFile(name);
            }
            QCoreApplication::processEvents();
        }
    });
}

void TFormQIRT::showEvent(QShowEvent* event) {
    // The window turning visible; a restore from minimised is not a showing.
    if (!event->spontaneous()) {
        guarded(errors_, [this] { FormShow(); });
    }
    QWidget::showEvent(event);
}

void TFormQIRT::resizeEvent(QResizeEvent* event) {
    ui_->Bar->setGeometry(0, 0, width(), TitleBar::kHeight);
    ui_->ClientArea->setGeometry(0, TitleBar::kHeight, width(),
                                 std::max(0, height() - TitleBar::kHeight));
    QWidget::resizeEvent(event);
}

void TFormQIRT::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        ui_->Bar->updateMaximizeButton();
    } else if (event->type() == QEvent::LocaleChange) {
        readDecimalSeparator();
    }
    QWidget::changeEvent(event);
}

void TFormQIRT::readDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    reader_.setDecimalSeparator(point.isEmpty() ? std::string(".") : point.left(1).toStdString());
}

void TFormQIRT::contextMenuEvent(QContextMenuEvent* event) {
    // The bar has its own window menu; anywhere below it, sliders and labels too, this one.
    const QPoint at = event->reason() == QContextMenuEvent::Mouse
                          ? event->globalPos()
                          : ui_->ClientArea->mapToGlobal(QPoint(0, 0));
    PopupMenu1->popup(at);
    event->accept();
}

void TFormQIRT::mousePressEvent(QMouseEvent* event) {
    // The edges resize the frameless window; elsewhere a click on the bare client area does
    // nothing at all.
    const Qt::Edges edges = frameEdgesAt(event->position().toPoint(), size());
    if (event->button() == Qt::LeftButton && edges && !isMaximized()) {
        windowHandle()->startSystemResize(edges);
    }
}

void TFormQIRT::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        const Qt::Edges edges = frameEdgesAt(event->position().toPoint(), size());
        setCursor(isMaximized() ? Qt::ArrowCursor : cursorForEdges(edges));
    }
}

bool TFormQIRT::ApplicationEvents1Message(QObject* receiver, QEvent* event) {
    // Qt hands a wheel event to the window system's window first and then to each widget
    // it propagates to; take it once, at the first widget.
    if (event->type() != QEvent::Wheel || !receiver->isWidgetType()) {
        return false;
    }
    // While an error box or a menu is open the wheel belongs to them.
    if (QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        return false;
    }
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const int dy = wheel->angleDelta().y();
    if (dy == 0 || reader_.lines().count() == 0) {
        return false;
    }
    bool handled = true;
    guarded(errors_, [&] {
        if (const std::optional<int> delta = wheel_.feed(dy)) {
            handled = reader_.wheelStep(*delta);
        }
    });
    return handled;
}

void TFormQIRT::TrackBarPChange() {
    guarded(errors_, [this] { reader_.trackBarPMoved(ui_->TrackBarP->sliderPosition()); });
}

void TFormQIRT::TrackBarTChange() {
    guarded(errors_, [this] { reader_.trackBarTChange(); });
}

void TFormQIRT::TimerClick() {
    guarded(errors_, [this] { reader_.timerClick(); });
}

void TFormQIRT::Timer1Timer() {
    guarded(errors_, [this] { reader_.timer1Timer(); });
}

void TFormQIRT::setTitle(std::string_view bytes) {
    ui_->Bar->setTitle(bytes, reader_.lines().encoding());
}

int TFormQIRT::outerWidth() const {
    // While minimised or maximised, the width the window has when restored.
    return isMinimized() ? normalGeometry().width() : width();
}

void TFormQIRT::setLabelP(std::string_view text) {
    setLabelText(ui_->LabelP, text);
}

void TFormQIRT::setTrackBarPMax(int max) {
    const QSignalBlocker block(ui_->TrackBarP);
    ui_->TrackBarP->setMaximum(max);
    // Tick marks at the two ends of the range only.
    ui_->TrackBarP->setTickInterval(std::max(1, max));
}

void TFormQIRT::setTrackBarPPosition(int position) {
    const QSignalBlocker block(ui_->TrackBarP);
    ui_->TrackBarP->setValue(position);
}

bool TFormQIRT::timerChecked() const {
    return ui_->Timer->isChecked();
}

int TFormQIRT::speed() const {
    return ui_->TrackBarT->sliderPosition();
}

void TFormQIRT::setSpeedControlsVisible(bool visible) {
    ui_->TrackBarT->setVisible(visible);
    ui_->LabelT->setVisible(visible);
}

void TFormQIRT::setLabelT(std::string_view text) {
    setLabelText(ui_->LabelT, text);
}

bool TFormQIRT::setTimerInterval(std::uint32_t ms) {
    return Timer1->setInterval(ms);
}
