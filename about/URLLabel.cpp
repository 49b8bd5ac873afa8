#include "URLLabel.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

TURLLabel::TURLLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText); // the caption is drawn as a link by its font and colour, never as HTML
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void TURLLabel::SetURL(const QString& url) {
    if (url == FURL) return;
    if (text().isEmpty() || text() == FURL) setText(url);
    FURL = url;
}

void TURLLabel::SetCaption(const QString& caption) {
    setText(caption.isEmpty() ? FURL : caption);
}

void TURLLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Click();
}

void TURLLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TURLLabel::Click() {
    // The desktop's handler for the scheme opens it; with none there is nothing more to do.
    if (!FURL.isEmpty()) QDesktopServices::openUrl(QUrl(FURL));
    if (OnClick) OnClick(this);
}
