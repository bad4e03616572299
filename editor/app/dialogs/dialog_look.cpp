// Styling of the dialogs and bars through the design management.
#include "editor/app/dialogs/dialog_look.h"

#include "editor/app/look/design_management.h"

#include <QLabel>
#include <QPushButton>

namespace DialogLook {

void StyleRowLabel(QLabel* label)
{
    if (!label)
        return;
    CDesignManagement::GetInstance()->SetLabelFont(label);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFrameShape(QFrame::NoFrame);
    label->setStyleSheet(QStringLiteral("QLabel { border: none; background: transparent; }"));
}

void StyleButton(QPushButton* button)
{
    if (!button)
        return;
    CDesignManagement* look = CDesignManagement::GetInstance();
    look->SetLabelFont(button);
    const QString line = CDesignManagement::ToColor(CDesignManagement::COLOR_GREY).name();
    const QString face = CDesignManagement::ToColor(CDesignManagement::COLOR_FACE).name();
    button->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid %1; border-radius: 4px; background: #FFFFFF;"
                                         " padding: 2px 10px; }"
                                         "QPushButton:hover { background: %2; }"
                                         "QPushButton:pressed { background: %1; color: #FFFFFF; }"
                                         "QPushButton:disabled { color: %1; }")
                              .arg(line, face));
}

void PaintWhite(QWidget* dialog)
{
    if (!dialog)
        return;
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, Qt::white);
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
}

} // namespace DialogLook
