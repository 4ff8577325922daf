#include "shell/StatusLine.h"

#include <QAccessible>
#include <QFontMetrics>

namespace quillmap {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("lblStatus"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAccessibleDescription(QStringLiteral("Status"));
}

void StatusLine::say(const QString& text)
{
    text_ = text;
    setToolTip(text);
    setAccessibleName(text);
    showFitting();
    // Screen readers say a status change that comes as an alert; the name change keeps the text
    // they read on request up to date.
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void StatusLine::forget()
{
    text_.clear();
    setToolTip(QString());
    setAccessibleName(QString());
    showFitting();
}

void StatusLine::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    showFitting();
}

// Each line of the text is cut on its own, in the middle, where a long folder name can spare it.
void StatusLine::showFitting()
{
    QStringList lines = text_.split(QLatin1Char('\n'));
    for (QString& line : lines) line = fontMetrics().elidedText(line, Qt::ElideMiddle, std::max(0, width() - 2));
    setText(lines.join(QLatin1Char('\n')));
}

}  // namespace quillmap
