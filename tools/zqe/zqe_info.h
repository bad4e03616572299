// The readable tree of a project that `zqe info` prints, made from the project's JSON form.
#pragma once

#include "editor/project_json_form.h"

#include <ostream>

void PrintProjectTree(const PROJECT_JSON::Json& form, std::ostream& out);
