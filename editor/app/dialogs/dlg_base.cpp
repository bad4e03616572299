// Building the modal dialogs' children in code.
#include "editor/app/dialogs/dlg_base.h"

#include "editor/app/dialogs/dialog_look.h"
#include "editor/app/look/design_management.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CDlgBase::CDlgBase(QWidget* parent, const QString& caption, const QSize& size) : QDialog(parent)
{
    // A title with the close button only: no minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(caption);
    setFixedSize(size);
    setFont(CDesignManagement::GetInstance()->GetWindowFont());
    DialogLook::PaintWhite(this);
    auto* banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("banner"));
    banner->setGeometry(0, 0, size.width(), BANNER_HEIGHT);
    banner->lower();
}

QLabel* CDlgBase::AddLabel(const QString& text, const QRect& rect)
{
    auto* label = new QLabel(text, this);
    label->setGeometry(rect);
    DialogLook::StyleRowLabel(label);
    label->lower();
    return label;
}

QComboBox* CDlgBase::AddComboBox(UINT id, const QRect& rect, const QStringList& items)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::number(id));
    combo->setEditable(false);
    combo->addItems(items);
    combo->setGeometry(rect);
    return combo;
}

QLineEdit* CDlgBase::AddEdit(UINT id, const QRect& rect, int maxLength)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(id));
    edit->setMaxLength(maxLength);
    edit->setGeometry(rect);
    return edit;
}

QPushButton* CDlgBase::AddButton(UINT id, const QString& text, const QRect& rect)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::number(id));
    button->setGeometry(rect);
    button->setAutoDefault(false);
    DialogLook::StyleButton(button);
    return button;
}

QRect CDlgBase::CentredButton(int bottom) const
{
    return QRect((width() - BUTTON_WIDTH) / 2, height() - bottom - BUTTON_HEIGHT, BUTTON_WIDTH, BUTTON_HEIGHT);
}

void CDlgBase::AddOkCancel()
{
    const int top = height() - 18 - BUTTON_HEIGHT;
    const int cancelLeft = width() / 2 + 3;
    QPushButton* ok = AddButton(ID_OK, QCoreApplication::translate("EditorDialogs", "确 定"),
                                QRect(cancelLeft - 6 - BUTTON_WIDTH, top, BUTTON_WIDTH, BUTTON_HEIGHT));
    QPushButton* cancel = AddButton(ID_CANCEL, QCoreApplication::translate("EditorDialogs", "取 消"),
                                    QRect(cancelLeft, top, BUTTON_WIDTH, BUTTON_HEIGHT));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}
