#include "project/FormProjectTarget.h"

#include <memory>

#include "app/TForm1.h"
#include "styles/TfrmColors.h"

namespace quillmap {

namespace {

// Updating is set for one filling of a control and cleared again, also when the filling fails.
class Filling {
public:
    explicit Filling(TForm1& form) : form_(form) { form_.setUpdating(true); }
    ~Filling() { form_.setUpdating(false); }
    Filling(const Filling&) = delete;
    Filling& operator=(const Filling&) = delete;

private:
    TForm1& form_;
};

}  // namespace

// The reader keeps writing the per-item values straight into these nodes. The model is reset
// here, so the view lays its rows out afresh once the event is over and shows those values.
void FormProjectTarget::loadOutline(ItemTree& built)
{
    auto items = std::make_unique<ItemTree>();
    items->swap(built);
    form_.model().reset(std::move(items), encoding_);
    replacedTree_ = true;
}

void FormProjectTarget::setTargetFrame(std::string frame)
{
    const QString text = form_.model().text(frame);
    Filling filling(form_);
    form_.txtTFRAME->setText(text);
    // Entry 0 of the target list is the frame that the Target value "0" stands for.
    form_.boxTarget->setItemText(0, form_.txtTFRAME->text());
}

void FormProjectTarget::setUseTextLinks(bool use)
{
    Filling filling(form_);
    form_.chkUSETEXTLINKS->setChecked(use);
}

void FormProjectTarget::setColor(int index, Rgb color) { form_.frmColors().setColor(index, color); }

void FormProjectTarget::setStyle(int index, int style)
{
    Filling filling(form_);
    form_.frmColors().setStyle(index, style);
}

void FormProjectTarget::setAutoClose(bool autoClose)
{
    Filling filling(form_);
    form_.chkAutoClose->setChecked(autoClose);
}

}  // namespace quillmap
