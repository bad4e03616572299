// An indicator lamp bound to a coil, drawn as a 16 x 16 round or square lamp image.
#pragma once

#include "controls/controls_api.h"

#include "controls/control_base.h"

class CONTROLS_API CControlLight : public CControlBase {
public:
    enum Shape { SHAPE_ROUND = 0, SHAPE_SQUARE = 1 };
    static constexpr int LIGHT_SIZE = 16;

    explicit CControlLight(CScreenBase* screen);

    // "显示外形" index.
    void SetShape(int shape) { *m_pShape = shape; }
    int GetShape() const { return *m_pShape; }

    void GetSelectedStatusString(std::string& status) override;

protected:
    // The lamp image carries its own inversion.
    void PreviousDraw(COM_GUI_EX::CGUIEXDC* dc) override;
    void DrawObject(COM_GUI_EX::CGUIEXDC* dc) override;
    bool BindAttributes() override;
    void CopyValuesFrom(CControlBase* source) override;

private:
    CAttributeEnum* m_pShape = nullptr;
};
