// The common frame of the small bars in the top dock row: a caption label and a drop-down list.
#pragma once

#include "comkit/types.h"

#include <QWidget>

class QComboBox;

class CDlgBar : public QWidget {
    Q_OBJECT
public:
    QComboBox* GetComboBox() const { return m_pCombo; }

protected:
    // A bar with label text, a drop-down list (object name: its id in decimal) holding items, and
    // at least minimumWidth pixels wide.
    CDlgBar(QWidget* parent, const QString& label, UINT comboID, const QStringList& items, int minimumWidth);

    QComboBox* m_pCombo;
};
