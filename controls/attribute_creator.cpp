#include "controls/attribute_creator.h"

#include "controls/attribute_enum.h"
#include "controls/attribute_kinds.h"

CAttributeBase* CAttributeCreator::Create(CControlBase* parent, unsigned type)
{
    switch (type) {
    case CAttributeBase::ATTRIBUTE_BOOL: return new CAttributeBool(parent);
    case CAttributeBase::ATTRIBUTE_INT: return new CAttributeInt(parent);
    case CAttributeBase::ATTRIBUTE_DOUBLE: return new CAttributeDouble(parent);
    case CAttributeBase::ATTRIBUTE_STRING: return new CAttributeString(parent);
    case CAttributeBase::ATTRIBUTE_ENUM: return new CAttributeEnum(parent);
    default: return nullptr;
    }
}
