#pragma once
// The Colors and Styles window of the moment: created right after the main window at start-up,
// replaced by a fresh one with the default colours and styles on New.
#include <QString>

#include "shell/Platform.h"

class QWidget;

namespace quillmap {

class EditState;
class TfrmColors;

class CurrentColorsWindow {
public:
    CurrentColorsWindow(const Platform& platform, EditState& state, QString appFolder, QWidget* owner);

    void create();
    void recreate();
    bool created() const { return window_ != nullptr; }
    TfrmColors& window() const { return *window_; }

private:
    Platform platform_;
    EditState& state_;
    QString appFolder_;
    QWidget* owner_;
    TfrmColors* window_ = nullptr;
};

}  // namespace quillmap
