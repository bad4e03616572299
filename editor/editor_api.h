// The export mark of the editor's core (ZQEditorCore): the library is built with hidden symbols, and what its
// headers declare with EDITOR_API is what the programs and libraries linking it may use.
#pragma once

#define EDITOR_API __attribute__((visibility("default")))
