#pragma once
// A line of text that says what has just happened (a build done, where it went) without a modal
// box. Screen readers announce each new text; a line too long for the space is cut with an
// ellipsis and shown whole in the hint.
#include <QLabel>

namespace quillmap {

class StatusLine : public QLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    void say(const QString& text);
    // Empties the line without announcing anything.
    void forget();
    const QString& fullText() const { return text_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showFitting();
    QString text_;
};

}  // namespace quillmap
