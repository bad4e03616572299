// The attribute system: attribute kinds, their factory, lists and the six groups of a control.
#pragma once

#include "controls/attr_combo.h"
#include "controls/attr_groups.h"
#include "controls/attr_list.h"
#include "controls/attribute_base.h"
#include "controls/attribute_creator.h"
#include "controls/attribute_enum.h"
#include "controls/attribute_kinds.h"
