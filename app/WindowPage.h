#pragma once
// The Window page: the glass of a recessed window, the command that computes its sunlit fractions, and
// their text.
#include "app/ResultPage.h"

#include <QPlainTextEdit>

#include <functional>

class TxFEdit;

// A read-only box for a comma-separated line of numbers that wraps only after a comma, so no number
// is broken across lines; a copy of its text has no trace of the wrap points.
class TFractionMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TFractionMemo(QWidget* parent = nullptr);
    void SetLine(const QString& line);

protected:
    QMimeData* createMimeDataFromSelection() const override;
};

// The picture of the Window page: glass set back in a recess, with head, reveal and depth marked. A
// click runs the window-shading command.
class TRecessPicture : public QWidget {
    Q_OBJECT
public:
    explicit TRecessPicture(QWidget* parent = nullptr);
    std::function<void()> OnClick;
    QSize sizeHint() const override { return {245, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// "Window": the glass boxes, the command that computes the sunlit fractions, and their text.
class TWindowPage : public TResultPageWidget {
    Q_OBJECT
public:
    explicit TWindowPage(TCalcDocument& doc);
    // Shows a glass dimension of the document.
    void ShowGlass(TInputId id, double value);
    void AreaFactorsChanged() override;
    // The window-shading command, run by the main window (it commits edits first).
    std::function<void()> OnGenerate;
    // A refused glass value's message.
    std::function<void(const QString& text)> OnMessage;

protected:
    void Build() override;
    // Return in a glass box takes its value as leaving the box does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TxFEdit* GlassEditOf(TInputId id) const;
    void GlassEditExit(TxFEdit* box, TInputId id);

    TxFEdit* FGlassHeightEdit = nullptr;
    TxFEdit* FGlassWidthEdit = nullptr;
    TxFEdit* FGlassDepthEdit = nullptr;
    TFractionMemo* FAreaFactorMemo = nullptr;
};
