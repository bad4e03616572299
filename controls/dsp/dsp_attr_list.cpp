// Layout and painting of an attribute group window.
#include "controls/dsp/dsp_attr_list.h"

#include "controls/attr_list.h"
#include "controls/control_creator.h"
#include "controls/dsp/dsp_attribute.h"
#include "controls/dsp/dsp_text.h"

#include <QCoreApplication>

using COM_GUI_EX::CGUIEXDC;

const char* const CDspAttrList::NO_ATTRIBUTE_NOTE = QT_TRANSLATE_NOOP("AttributePane", "此组中没有可用的属性。");

namespace {
const char* const CAPTION_FONT_NAME = "宋体";
constexpr float CAPTION_FONT_SIZE = 10.0f;

void SetCaptionFont(CGUIEXDC* dc)
{
    dc->SetCurrentStringFont(DspText::ToGbk(QString::fromUtf8(CAPTION_FONT_NAME)).c_str(), CAPTION_FONT_SIZE);
    dc->SetCurrentBrush(0x000000);
}
} // namespace

CDspAttrList::CDspAttrList(CAttrList* group, QRect* rect, UINT id, QWidget* parent) : CDspWnd(parent), m_pGroup(group)
{
    const QRect place = rect ? *rect : QRect();
    Create(QRect(place.x(), place.y(), place.width(), CalcHeight()), parent, id);
    CreateControl();
    ReCalcWindowSize(rect);
}

void CDspAttrList::ChangeAttributesList(CAttrList* group, QRect* rect)
{
    m_pGroup = group;
    if (rect)
        setGeometry(rect->x(), rect->y(), rect->width(), height());
    CreateControl();
    ReCalcWindowSize(rect);
    update();
}

int CDspAttrList::CalcHeight() const
{
    const int rows = int(m_rows.size());
    return CAPTION_HEIGHT + ROW_HEIGHT * rows + 1 + (rows ? 0 : ROW_HEIGHT);
}

CDspAttribute* CDspAttrList::TakeRow(CAttributeBase* attribute, const QRect& place)
{
    const int mode = CControlCreator::GetControlAttributeInputType(attribute);
    CDspAttribute* row;
    if (!m_spare.empty()) {
        row = m_spare.back();
        m_spare.pop_back();
        row->setGeometry(place);
        row->SetInputMode(CDspAttribute::TextInputMode(mode), 0);
        row->ChangeAttribute(attribute);
        row->show();
    } else {
        row = new CDspAttribute(attribute, place, m_uNextRowID++, this);
        Listen(row);
        row->SetInputMode(CDspAttribute::TextInputMode(mode), 0);
    }
    return row;
}

void CDspAttrList::CreateControl()
{
    const int rowWidth = width() - 1 - ROW_LEFT;
    size_t used = 0;
    if (m_pGroup) {
        m_pGroup->StartGetAttribute();
        while (CAttributeBase* attribute = m_pGroup->GetNextAttribute()) {
            if (!attribute->GetVisible())
                continue;
            const QRect place(ROW_LEFT, CAPTION_HEIGHT + ROW_HEIGHT * int(used), rowWidth, ROW_HEIGHT);
            if (used < m_rows.size()) {
                CDspAttribute* row = m_rows[used];
                if (row->geometry() != place)
                    row->setGeometry(place);
                const auto mode =
                    CDspAttribute::TextInputMode(CControlCreator::GetControlAttributeInputType(attribute));
                if (!row->CheckAttributeSame(attribute))
                    row->SetInputMode(mode, 0);
                row->ChangeAttribute(attribute);
                row->SetInputMode(mode, 1);
            } else {
                m_rows.push_back(TakeRow(attribute, place));
            }
            ++used;
        }
    }
    while (m_rows.size() > used) {
        CDspAttribute* row = m_rows.back();
        m_rows.pop_back();
        row->ChangeAttribute(nullptr);
        row->hide();
        m_spare.push_back(row);
    }
}

void CDspAttrList::ReCalcWindowSize(QRect* rect)
{
    resize(width(), CalcHeight());
    if (rect)
        rect->setBottom(y() + height() - 1);
}

void CDspAttrList::DrawWnd(CGUIEXDC* dc, const QRect& client)
{
    dc->FillRectangle(client.x(), client.y(), client.width(), CAPTION_HEIGHT, FRAME_COLOR);
    dc->FillRectangle(client.x(), client.y(), LEFT_STRIP_WIDTH, client.height(), FRAME_COLOR);
    SetCaptionFont(dc);
    if (m_pGroup) {
        const QString caption = QString::fromUtf8("·") + DspText::Shown(m_pGroup->GetListName());
        dc->DrawString(DspText::ToGbk(caption).c_str(), 0.0f, 4.0f);
    }
    if (m_rows.empty())
        DrawNothingDescription(dc, client);
}

void CDspAttrList::DrawNothingDescription(CGUIEXDC* dc, const QRect& client)
{
    const QRect note(ROW_LEFT, CAPTION_HEIGHT + 1, client.width() - ROW_LEFT, ROW_HEIGHT - 1);
    dc->FillRectangle(&note, NOTE_BACK_COLOR);
    dc->DrawString(DspText::ToGbk(QCoreApplication::translate("AttributePane", NO_ATTRIBUTE_NOTE)).c_str(),
                   float(note.x() + 2), float(note.y() + 3));
}
