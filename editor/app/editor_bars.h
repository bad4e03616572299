// Plugs the dialogs library's bars into the editor's main frame: the attribute pane and the zoom,
// screen selection and background colour bars, connected both ways.
#pragma once

class CMainFrame;

// Gives frame its attribute pane and top-row bars and connects them to it; the pane's "设置" runs
// the frame's device selection for the open project. Call once per frame, before a project is
// opened; a null frame is ignored.
void PlugEditorBars(CMainFrame* frame);
