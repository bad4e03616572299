// Panel settings dialog.
#include "editor/app/dialogs/dlg_screen_attributes.h"

#include "controls/dsp/dsp_input_rules.h"
#include "controls/dsp/dsp_text.h"
#include "controls/screens_list.h"
#include "editor/project.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

CDlgScreenAttributes::CDlgScreenAttributes(CProject* project, QWidget* parent)
    : CDlgBase(parent, QCoreApplication::translate("EditorDialogs", "页面属性"), QSize(398, 330)), m_pProject(project)
{
    AddLabel(QCoreApplication::translate("EditorDialogs", "背景灯延时时间（秒）"), QRect(35, 33, 170, ROW_HEIGHT));
    QComboBox* mode = AddComboBox(ID_BACKLIGHT_MODE, QRect(205, 33, 110, ROW_HEIGHT),
                                  {QCoreApplication::translate("EditorDialogs", "背景灯常开"),
                                   QCoreApplication::translate("EditorDialogs", "背景灯定时")});
    QLineEdit* delay = AddEdit(ID_BACKLIGHT_DELAY, QRect(321, 33, 42, ROW_HEIGHT), DELAY_TEXT_LIMIT);

    QStringList pages{QCoreApplication::translate("EditorDialogs", "不使用")};
    if (m_pProject && m_pProject->GetScreensList()) {
        std::vector<std::string> names;
        m_pProject->GetScreensList()->GetScreenNames(names);
        for (const std::string& name : names)
            pages << DspText::FromGbk(name);
    }
    for (int page = 0; page < CProject::FUNCTION_PAGE_COUNT; ++page) {
        const int y = 73 + 40 * page;
        AddLabel(QCoreApplication::translate("EditorDialogs", "功能页号%1").arg(page + 1),
                 QRect(35, y, 170, ROW_HEIGHT));
        QComboBox* combo = AddComboBox(ID_FIRST_FUNCTION_PAGE + UINT(page), QRect(205, y, 158, ROW_HEIGHT), pages);
        const int stored = m_pProject ? m_pProject->GetFunctionPage(page) : 0;
        combo->setCurrentIndex(stored >= 0 && stored < combo->count() ? stored : -1);
    }
    AddOkCancel();

    const bool alwaysOn = !m_pProject || m_pProject->GetBacklightDelay() == CProject::BACKLIGHT_ALWAYS_ON;
    mode->setCurrentIndex(alwaysOn ? BACKLIGHT_ALWAYS_ON_ROW : BACKLIGHT_TIMED_ROW);
    OnBacklightModeChanged(mode->currentIndex());
    if (!alwaysOn)
        DspInput::ShowWhole(delay, QString::number(m_pProject->GetBacklightDelay()), DELAY_TEXT_LIMIT);
    connect(mode, &QComboBox::currentIndexChanged, this, &CDlgScreenAttributes::OnBacklightModeChanged);
}

void CDlgScreenAttributes::OnBacklightModeChanged(int row)
{
    QLineEdit* delay = Child<QLineEdit>(ID_BACKLIGHT_DELAY);
    const bool timed = row == BACKLIGHT_TIMED_ROW;
    if (!timed)
        delay->clear();
    delay->setEnabled(timed);
}

void CDlgScreenAttributes::accept()
{
    if (m_pProject) {
        WORD backlight = CProject::BACKLIGHT_ALWAYS_ON;
        if (Child<QComboBox>(ID_BACKLIGHT_MODE)->currentIndex() == BACKLIGHT_TIMED_ROW) {
            bool number = false;
            const uint seconds = Child<QLineEdit>(ID_BACKLIGHT_DELAY)->text().trimmed().toUInt(&number);
            if (number && seconds > 0 && seconds < CProject::BACKLIGHT_ALWAYS_ON)
                backlight = WORD(seconds);
        }
        m_pProject->SetBacklightDelay(backlight);
        for (int page = 0; page < CProject::FUNCTION_PAGE_COUNT; ++page) {
            const int row = Child<QComboBox>(ID_FIRST_FUNCTION_PAGE + UINT(page))->currentIndex();
            if (row >= 0)
                m_pProject->SetFunctionPage(page, row);
        }
    }
    CDlgBase::accept();
}
