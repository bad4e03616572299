// The screen's record in the project file.
#include "controls/screen_base.h"

#include "controls/control_base.h"
#include "controls/control_creator.h"
#include "controls/model_text.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

namespace {

constexpr DWORD ZOOM_SIZE = 8;
constexpr DWORD TRAILER_VALUES = 6;

// The zoom as its IEEE 754 bits: low 32-bit word first, then the high word.
void WriteZoom(CRecordWriter& writer, double zoom)
{
    std::uint64_t bits;
    std::memcpy(&bits, &zoom, sizeof bits);
    writer.WriteDWORD(DWORD(bits));
    writer.WriteDWORD(DWORD(bits >> 32));
}

bool ReadZoom(CRecordReader& reader, double& zoom)
{
    if (!reader.Has(ZOOM_SIZE))
        return false;
    DWORD low, high;
    reader.ReadDWORD(low);
    reader.ReadDWORD(high);
    const std::uint64_t bits = (std::uint64_t(high) << 32) | low;
    std::memcpy(&zoom, &bits, sizeof zoom);
    return true;
}

} // namespace

DWORD CScreenBase::GetRecordSize() const
{
    DWORD size = 4 + ModelText::TextSize(m_strName) + 4 + ZOOM_SIZE + 4 + 4 * TRAILER_VALUES;
    for (ControlList::Node* n = m_listControls.GetHead(); n; n = n->pNext)
        size += n->pItem->GetRecordSize();
    return size;
}

void CScreenBase::SaveRecord(CRecordWriter& writer) const
{
    writer.WriteDWORD(m_uScreenID);
    ModelText::WriteText(writer, m_strName);
    writer.WriteInt(m_nNextControlID);
    WriteZoom(writer, m_dZoomRate);
    writer.WriteDWORD(DWORD(m_listControls.GetCount()));
    for (ControlList::Node* n = m_listControls.GetHead(); n; n = n->pNext)
        n->pItem->SaveRecord(writer);
    for (int value : {m_nScreenX, m_nScreenY, m_nNextX, m_nNextY, m_nColumnX, m_nRowY})
        writer.WriteInt(value);
}

DWORD CScreenBase::Save(BYTE* buffer, DWORD)
{
    // The record lists the controls in creation order; their level indices carry the draw order.
    NumberLevelsByLayout();
    if (!buffer)
        return GetRecordSize();
    CRecordWriter writer(buffer);
    SaveRecord(writer);
    return writer.Written();
}

DWORD CScreenBase::Load(BYTE* buffer, DWORD size)
{
    CRecordReader reader(buffer, size);
    LoadRecord(reader);
    return reader.Consumed();
}

bool CScreenBase::LoadRecord(CRecordReader& reader)
{
    DWORD id = 0, count = 0;
    int nextID = 0;
    std::string name;
    double zoom = 0;
    if (!reader.ReadDWORD(id) || !ModelText::ReadText(reader, name) || !reader.ReadInt(nextID) ||
        !ReadZoom(reader, zoom))
        return false;
    m_uScreenID = id;
    SetScreenName(name.empty() ? nullptr : name.c_str());
    m_nNextControlID = nextID;
    // The zoom only sets the design view's scale; one outside the view's levels (0, negative,
    // not a number, or beyond the largest level) comes from a damaged record and is replaced by
    // the default, so no record can ask for an unbounded drawing.
    m_dZoomRate = zoom >= MIN_ZOOM_RATE && zoom <= MAX_ZOOM_RATE ? zoom : DEFAULT_ZOOM_RATE;

    DestroyAllControls();
    bool whole = reader.ReadDWORD(count);
    for (DWORD i = 0; whole && i < count; ++i) {
        DWORD type = 0;
        // An unknown type is not consumed: the trailer is read where it stands.
        std::unique_ptr<CControlBase> control(reader.PeekDWORD(type) ? CControlCreator::Create(type, this) : nullptr);
        if (!control || !control->LoadRecord(reader)) {
            whole = false;
            break;
        }
        m_listControls.AddTail(control.release());
    }

    int trailer[TRAILER_VALUES];
    if (reader.Has(4 * TRAILER_VALUES)) {
        for (int& value : trailer)
            reader.ReadInt(value);
        m_nScreenX = trailer[0];
        m_nScreenY = trailer[1];
        SetDefPosCursor(trailer[2], trailer[3], trailer[4], trailer[5]);
    } else {
        whole = false;
    }

    ReplaceLayout(DrawOrderByLevel(Items(m_listControls)));
    return whole;
}

std::vector<CControlBase*> CScreenBase::DrawOrderByLevel(std::vector<CControlBase*> order)
{
    // The draw order is the exchange order of the level indices: each position p in turn swaps
    // with every later entry whose level is lower. With distinct levels (every saved screen:
    // saving numbers them 0, 1, ...) that is simply ascending order, found by a sort; only equal
    // levels (hand-made records) need the exchange itself, run on the plain numbers.
    const size_t n = order.size();
    std::vector<std::pair<int, size_t>> levels(n);
    for (size_t i = 0; i < n; ++i)
        levels[i] = {order[i]->GetLevelIndex(), i};
    std::vector<std::pair<int, size_t>> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    const bool distinct = std::adjacent_find(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
                              return a.first == b.first;
                          }) == sorted.end();
    if (!distinct) {
        sorted = levels;
        for (size_t p = 0; p < n; ++p)
            for (size_t q = p + 1; q < n; ++q)
                if (sorted[q].first < sorted[p].first)
                    std::swap(sorted[p], sorted[q]);
    }
    std::vector<CControlBase*> result(n);
    for (size_t i = 0; i < n; ++i)
        result[i] = order[sorted[i].second];
    return result;
}
