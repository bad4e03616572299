// The common frame of the editor's modal dialogs: a fixed-size white dialog whose labels, drop-down
// lists and buttons are made in code at given pixel places, each child named by its id.
#pragma once

#include "comkit/types.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CDlgBase : public QDialog {
    Q_OBJECT
public:
    // The empty banner label over the top of every dialog, and a button's default size.
    enum { BANNER_HEIGHT = 141, BUTTON_WIDTH = 80, BUTTON_HEIGHT = 27, ROW_HEIGHT = 24 };

    // The child with that id (its object name is the id in decimal), null when there is none.
    template <class T>
    T* Child(UINT id) const
    {
        return findChild<T*>(QString::number(id));
    }

protected:
    // A dialog of size pixels (from its template's dialog units) with that caption.
    CDlgBase(QWidget* parent, const QString& caption, const QSize& size);

    QLabel* AddLabel(const QString& text, const QRect& rect);
    // A drop-down list (no typing) holding items.
    QComboBox* AddComboBox(UINT id, const QRect& rect, const QStringList& items = QStringList());
    QLineEdit* AddEdit(UINT id, const QRect& rect, int maxLength);
    QPushButton* AddButton(UINT id, const QString& text, const QRect& rect);
    // "确 定" (accept) and "取 消" (reject) side by side, 6 pixels apart, the Cancel button's left
    // edge 3 pixels right of the centre, 18 pixels above the bottom edge.
    void AddOkCancel();
    // A button of the default size centred, `bottom` pixels above the bottom edge.
    QRect CentredButton(int bottom) const;

    // The ids of the OK and Cancel buttons.
    enum : UINT { ID_OK = 1, ID_CANCEL = 2 };
};
