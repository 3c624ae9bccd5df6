#include "live/RawDataPanel_win32.h"

#include <GL/gl.h>

#include "live/RawDataBars.h"
#include "live/StripChart_win32.h"

void ConfigureRawDataPanel(TOpenGLPanel& panel) {
    panel.SetPFDFlags({f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_DOUBLEBUFFER});
    panel.Font3D_Enabled = true;
    panel.Font3D_Type = TPanelFont{L"Arial", -9, ANSI_CHARSET, false, false};
    panel.Font3D_FirstGylph = 32;
    panel.Font3D_NumGylph = 96;
    panel.Font3D_Extrustion = 0.1f;
    panel.Font3D_MaxDeviation = 0.0f;
    panel.SetFont3D_Format(f_WGL_FONT_POLYGONS);
    panel.Font2D_Enabled = true;
    panel.Font2D_Type = TPanelFont{L"Arial", -9, ANSI_CHARSET, false, false};
    panel.Font2D_FirstGylph = 32;
    panel.Font2D_NumGylph = 96;
}

void BindRawDataPanel(TOpenGLPanel& panel, const EcuData& ecu, const DisplayColours& colours) {
    panel.OnInit = [](TOpenGLPanel* p) { RawDataPanelInit(*p); };
    panel.OnPaint = [&ecu, &colours](TOpenGLPanel* p) { RawDataPanelPaint(*p, ecu, colours); };
}

void RawDataPanelInit(TOpenGLPanel& panel) {
    StripChartInit(panel);
}

void RawDataPanelPaint(TOpenGLPanel&, const EcuData& ecu, const DisplayColours& colours) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_DEPTH_TEST);

    const GraphColour grid = colours.gridColour;
    DrawChartGrid(grid);

    const std::array<uint8_t, RawFrame::kSize> frame = ecu.rawFrame.snapshot();
    for (int bar = 0; bar < kRawDataBars; ++bar) {
        const float x = float(RawDataBarX(bar));
        const float h = float(RawDataBarHeight(frame[RawDataBarSourceByte(bar)]));
        glBegin(GL_LINE_STRIP);
        glColor4f(grid.r, 0.9f, grid.b, 0.99f);
        glVertex3f(x, 0.0f, 0.0f);
        glColor4f(grid.r, 0.9f, grid.b, 0.4f);
        glVertex3f(x, h, 0.0f);
        glEnd();
    }
}
