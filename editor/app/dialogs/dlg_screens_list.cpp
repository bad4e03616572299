// Screen selection bar.
#include "editor/app/dialogs/dlg_screens_list.h"

#include "controls/dsp/dsp_text.h"
#include "controls/screens_list.h"
#include "editor/project.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSignalBlocker>

CDlgScreensList::CDlgScreensList(QWidget* parent)
    : CDlgBar(parent, QCoreApplication::translate("EditorDialogs", "画面选择"), ID_SCREENS, {}, 207)
{
    m_pCombo->setMinimumContentsLength(10);
    connect(m_pCombo, &QComboBox::activated, this, &CDlgScreensList::ScreenChosen);
}

void CDlgScreensList::Refresh(CProject* project)
{
    const QSignalBlocker blocker(m_pCombo);
    m_pCombo->clear();
    CScreensList* screens = project ? project->GetScreensList() : nullptr;
    if (!screens)
        return;
    std::vector<std::string> names;
    screens->GetScreenNames(names);
    for (const std::string& name : names)
        m_pCombo->addItem(DspText::FromGbk(name));
    const int active = screens->GetScreenIndex(screens->GetActivateScreen());
    m_pCombo->setCurrentIndex(active >= 0 && active < m_pCombo->count() ? active : 0);
}
