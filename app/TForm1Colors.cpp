// The main window's side of the Colors and Styles window.
#include "app/TForm1.h"
#include "styles/TfrmColors.h"

namespace quillmap {

void TForm1::createColorsWindow()
{
    frmColors_ = new TfrmColors(platform_, *this, AppFolder, this);
}

void TForm1::recreateColorsWindow()
{
    // The old window may be the sender of the event being handled: let it go afterwards.
    frmColors_->hide();
    frmColors_->deleteLater();
    createColorsWindow();
}

void TForm1::btnColorsClick()
{
    frmColors().showCentredOver(this);
}

}  // namespace quillmap
