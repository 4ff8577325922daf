#include "styles/CurrentColorsWindow.h"

#include "styles/TfrmColors.h"

namespace quillmap {

CurrentColorsWindow::CurrentColorsWindow(const Platform& platform, EditState& state, QString appFolder,
                                         QWidget* owner)
    : platform_(platform), state_(state), appFolder_(std::move(appFolder)), owner_(owner)
{
}

void CurrentColorsWindow::create() { window_ = new TfrmColors(platform_, state_, appFolder_, owner_); }

void CurrentColorsWindow::recreate()
{
    // The old window may be the sender of the event being handled: let it go afterwards.
    window_->hide();
    window_->deleteLater();
    create();
}

}  // namespace quillmap
