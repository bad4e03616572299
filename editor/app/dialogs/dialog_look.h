// The look of the editor's dialogs and bars in one place: white dialogs, the label font on row
// labels, flat buttons, and the empty banner label. Styling goes through the design management.
#pragma once

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace DialogLook {

// A row label of a dialog or bar: the label font, text left and centred, no background.
void StyleRowLabel(QLabel* label);
// A button of a dialog ("smooth button"): flat, clean, the label font.
void StyleButton(QPushButton* button);
// A dialog's whole client area painted white.
void PaintWhite(QWidget* dialog);

} // namespace DialogLook
