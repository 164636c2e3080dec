#include "titlebar.h"

#include "frameedges.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

namespace {

constexpr int kButtonWidth = 30;
constexpr int kIconSize = 16;
constexpr int kTextLeft = 26;

QToolButton* titleButton(QWidget* parent, QStyle::StandardPixmap pixmap, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(pixmap));
    button->setAutoRaise(true);
    // The keyboard focus stays on the position slider, whatever is clicked.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(name);
    button->setToolTip(name);
    return button;
}

} // namespace

TitleBar::TitleBar(QWidget* parent)
    : QWidget(parent),
      minimize_(titleButton(this, QStyle::SP_TitleBarMinButton, QStringLiteral("最小化"))),
      maximize_(titleButton(this, QStyle::SP_TitleBarMaxButton, QStringLiteral("最大化"))),
      close_(titleButton(this, QStyle::SP_TitleBarCloseButton, QStringLiteral("閉じる"))),
      windowMenu_(new QMenu(this)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleDescription(QStringLiteral("現在の行"));
    connect(minimize_, &QToolButton::clicked, this, [this] { window()->showMinimized(); });
    connect(maximize_, &QToolButton::clicked, this, &TitleBar::toggleMaximized);
    connect(close_, &QToolButton::clicked, this, [this] { window()->close(); });
    windowMenu_->addAction(QStringLiteral("最小化(&N)"), this,
                           [this] { window()->showMinimized(); });
    maximizeAction_ =
        windowMenu_->addAction(QStringLiteral("最大化(&X)"), this, &TitleBar::toggleMaximized);
    windowMenu_->addSeparator();
    windowMenu_->addAction(QStringLiteral("閉じる(&C)"), this, [this] { window()->close(); });
}

void TitleBar::setTitle(std::string_view bytes, const qirt::Encoding& encoding) {
    const std::string_view kept = bytes.substr(0, std::min(bytes.size(), kKeptBytes));
    const bool sameEncoding = decoder_ && decoder_->encoding().name == encoding.name;
    if (kept == bytes_ && sameEncoding) {
        return;
    }
    if (!sameEncoding) {
        decoder_.emplace(encoding);
    }
    bytes_.assign(kept);
    decode();
    ++changes_;
}

std::size_t TitleBar::decodeLimit() const {
    return static_cast<std::size_t>(std::max(width(), 800)) * kBytesPerPixel;
}

void TitleBar::decode() {
    // Only what the bar can show, so that a long line costs no more than a short one. A
    // character cut at the end of it is left out: never half shown.
    decoded_ = std::min(bytes_.size(), decodeLimit());
    const std::string utf8 =
        decoder_ ? decoder_->toUtf8(std::string_view(bytes_).substr(0, decoded_)) : std::string();
    text_ = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    setAccessibleName(text_);
    update();
}

int TitleBar::textRight() const {
    return minimize_->x() - 4;
}

void TitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool active = isActiveWindow();
    painter.fillRect(rect(),
                     palette()
                         .color(active ? QPalette::Active : QPalette::Inactive, QPalette::Window)
                         .darker(active ? 112 : 104));
    const QIcon icon = window()->windowIcon();
    icon.paint(&painter, QRect(5, (height() - kIconSize) / 2, kIconSize, kIconSize));
    painter.setPen(palette().color(QPalette::WindowText));
    // Cut at the right where it does not fit, with no ellipsis.
    const QRect textRect(kTextLeft, 0, std::max(0, textRight() - kTextLeft), height());
    painter.setClipRect(textRect);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

void TitleBar::resizeEvent(QResizeEvent*) {
    if (decoded_ < bytes_.size() && decoded_ < decodeLimit()) {
        decode(); // wider now: more of the line can show
    }
    const int h = height();
    close_->setGeometry(width() - kButtonWidth, 0, kButtonWidth, h);
    maximize_->setGeometry(width() - 2 * kButtonWidth, 0, kButtonWidth, h);
    minimize_->setGeometry(width() - 3 * kButtonWidth, 0, kButtonWidth, h);
}

void TitleBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        update();
    }
    QWidget::changeEvent(event);
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    QWidget* top = window();
    const Qt::Edges edges = frameEdgesAt(mapTo(top, event->position().toPoint()), top->size());
    if (edges && !top->isMaximized() && top->windowHandle()->startSystemResize(edges)) {
        return;
    }
    // A move begins once the pointer has travelled, so that a double-click still arrives.
    pressed_ = true;
    pressPos_ = event->position().toPoint();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event) {
    QWidget* top = window();
    if (!(event->buttons() & Qt::LeftButton)) {
        const Qt::Edges edges = frameEdgesAt(mapTo(top, event->position().toPoint()), top->size());
        setCursor(top->isMaximized() ? Qt::ArrowCursor : cursorForEdges(edges));
        return;
    }
    if (!pressed_ || (event->position().toPoint() - pressPos_).manhattanLength() <
                         QApplication::startDragDistance()) {
        return;
    }
    pressed_ = false;
    QWindow* handle = top->windowHandle();
    if (handle->startSystemMove()) {
        // The window manager takes the pointer until the button goes up, and the release
        // may never come back to us; deliver it, or the next click would go astray.
        QMouseEvent release(QEvent::MouseButtonRelease, event->position(), event->scenePosition(),
                            event->globalPosition(), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &release);
    }
}

void TitleBar::mouseReleaseEvent(QMouseEvent*) {
    pressed_ = false;
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        toggleMaximized();
    }
}

void TitleBar::contextMenuEvent(QContextMenuEvent* event) {
    windowMenu_->popup(event->globalPos());
    event->accept();
}

void TitleBar::toggleMaximized() {
    QWidget* top = window();
    if (top->isMaximized()) {
        top->showNormal();
    } else {
        top->showMaximized();
    }
}

void TitleBar::updateMaximizeButton() {
    const bool maximized = window()->isMaximized();
    maximize_->setIcon(style()->standardIcon(maximized ? QStyle::SP_TitleBarNormalButton
                                                       : QStyle::SP_TitleBarMaxButton));
    const QString name = maximized ? QStringLiteral("元のサイズに戻す") : QStringLiteral("最大化");
    maximize_->setAccessibleName(name);
    maximize_->setToolTip(name);
    maximizeAction_->setText(maximized ? QStringLiteral("元のサイズに戻す(&R)")
                                       : QStringLiteral("最大化(&X)"));
}
