#pragma once
// The global options of the project, kept in the main window's boxes: the target frame (which
// is also entry 0 of the Link target list), text links and auto-close.
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace quillmap {

struct OptionBoxes {
    QLineEdit* txtTFRAME;
    QComboBox* boxTarget;
    QCheckBox* chkUSETEXTLINKS;
    QCheckBox* chkAutoClose;
};

}  // namespace quillmap
