// Makes attributes of a kind by its Attribute_Type value.
#pragma once

#include "controls/controls_api.h"

class CAttributeBase;
class CControlBase;

class CONTROLS_API CAttributeCreator {
public:
    // A new attribute with its default value owned by `parent`, or null for a kind other than 1-5.
    static CAttributeBase* Create(CControlBase* parent, unsigned type);
};
