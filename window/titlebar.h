#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include "encoding.h"
#include "textdecoder.h"

#include <optional>
#include <string>
#include <string_view>

class QAction;
class QMenu;
class QToolButton;

// The window's own title bar: the icon, the current line, and the minimise, maximise and
// close buttons. It is drawn by the window itself so that the mouse wheel over it reaches
// the reader; window managers keep wheel input over their own title bars.
class TitleBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 27;
    // How much of a line the bar keeps: far more than any screen shows, and a fixed cost
    // however long the line is.
    static constexpr std::size_t kKeptBytes = std::size_t{64} * 1024;
    // How many bytes of it are decoded for each pixel of the bar's width: no character is
    // narrower than half a pixel per byte, so what is decoded always covers what shows.
    static constexpr int kBytesPerPixel = 2;

    explicit TitleBar(QWidget* parent = nullptr);

    // Shows the bytes of a line, decoded from its file's encoding; the same text again
    // changes nothing at all.
    void setTitle(std::string_view bytes, const qirt::Encoding& encoding);
    // The line as far as it can show (also the bar's accessible name).
    const QString& text() const { return text_; }
    // How many times the text changed; tests check that an equal title is no change.
    int changes() const { return changes_; }
    // The window was maximised or restored: the button and the menu follow.
    void updateMaximizeButton();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void toggleMaximized();
    int textRight() const;
    std::size_t decodeLimit() const;
    void decode();

    std::string bytes_;
    std::size_t decoded_ = 0;
    QString text_;
    std::optional<qirt::TextDecoder> decoder_;
    int changes_ = 0;
    QToolButton* minimize_;
    QToolButton* maximize_;
    QToolButton* close_;
    QMenu* windowMenu_;
    QAction* maximizeAction_;
    QPoint pressPos_;
    bool pressed_ = false;
};
