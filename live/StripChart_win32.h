#pragma once
// The four strip charts: each an OpenGL panel drawing the grid, the trace of the
// last 430 samples, the two scale labels and the value text of the channel that
// (ecuFamily, its graphParam) selects.
#include "state/DisplayColours.h"
#include "state/EcuData.h"
#include "state/Selection.h"
#include "glpanel/OpenGLPanel_win32.h"

// The chart panels' pixel format and fonts (call before CreateWindowIn).
void ConfigureStripChartPanel(TOpenGLPanel& panel);
// Sets OnInit and OnPaint to StripChartInit / StripChartPaint for chart `graph` (1..4).
void BindStripChart(TOpenGLPanel& panel, const Selection& selection, const EcuData& ecu,
                    const DisplayColours& colours, int graph);

// OnInit: viewport, the 20° perspective, smooth shading, black.
void StripChartInit(TOpenGLPanel& panel);
// OnPaint of chart `graph` (1..4); the panel swaps afterwards.
void StripChartPaint(TOpenGLPanel& panel, const Selection& selection, const EcuData& ecu,
                     const DisplayColours& colours, int graph);

// The perspective both the charts and the received-data panel use.
void SetChartPerspective(int width, int height);
// The grid in gridColour, leaving the modelview matrix in the grid frame.
void DrawChartGrid(const GraphColour& colour);
