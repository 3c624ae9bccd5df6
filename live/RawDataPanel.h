#pragma once
// The received-data panel: the last good reply as 54 bars over the chart grid.
#include "app/MainState.h"
#include "glpanel/OpenGLPanel.h"

// The panel's pixel format and fonts (call before CreateWindowIn).
void ConfigureRawDataPanel(TOpenGLPanel& panel);
// Sets OnInit and OnPaint to RawDataPanelInit / RawDataPanelPaint.
void BindRawDataPanel(TOpenGLPanel& panel, MainState& state);

void RawDataPanelInit(TOpenGLPanel& panel);
void RawDataPanelPaint(TOpenGLPanel& panel, MainState& state);
