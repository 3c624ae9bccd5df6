#pragma once
// The received-data panel: the last good reply as 54 bars over the chart grid.
#include "state/DisplayColours.h"
#include "state/EcuData.h"
#include "glpanel/OpenGLPanel_win32.h"

// The panel's pixel format and fonts (call before CreateWindowIn).
void ConfigureRawDataPanel(TOpenGLPanel& panel);
// Sets OnInit and OnPaint to RawDataPanelInit / RawDataPanelPaint.
void BindRawDataPanel(TOpenGLPanel& panel, const EcuData& ecu, const DisplayColours& colours);

void RawDataPanelInit(TOpenGLPanel& panel);
void RawDataPanelPaint(TOpenGLPanel& panel, const EcuData& ecu, const DisplayColours& colours);
