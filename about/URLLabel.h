#pragma once
// A label that stands for a link ("mailto:..." or "http://..."): blue, underlined, with the hand cursor.
// A click, or Space or Return while it has the focus, opens the URL through the desktop and then calls
// OnClick. The label takes the focus from Tab so that the link is reachable without a mouse.
#include <QLabel>
#include <functional>

class TURLLabel : public QLabel {
    Q_OBJECT
public:
    explicit TURLLabel(QWidget* parent = nullptr);

    const QString& URL() const { return FURL; }
    // Stores the URL; the caption follows it when the caption is empty or showed the old URL.
    void SetURL(const QString& url);
    QString Caption() const { return text(); }
    // An empty caption shows the URL.
    void SetCaption(const QString& caption);

    // The label's ordinary click handling, run after the URL was handed to the desktop.
    std::function<void(TURLLabel*)> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Click();

    QString FURL;
};
