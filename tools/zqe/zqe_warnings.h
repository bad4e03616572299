// Values of a project's controls that its download image cannot carry and cuts.
#pragma once

#include <string>
#include <vector>

class CProject;

// One message per value (UTF-8), naming the screen and the control.
std::vector<std::string> FindCutValues(CProject& project);
