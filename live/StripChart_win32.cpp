#include "live/StripChart_win32.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "glpanel/Cp1251.h"
#include "live/ScaleLabels.h"

namespace {
void SetColour(const GraphColour& c) {
    glColor4f(c.r, c.g, c.b, c.t);
}
} // namespace

void ConfigureStripChartPanel(TOpenGLPanel& panel) {
    panel.SetPFDFlags({f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_DOUBLEBUFFER});
    panel.Font3D_Enabled = true;
    panel.Font3D_Type = TPanelFont{L"Arial", -9, RUSSIAN_CHARSET, true, true};
    panel.Font3D_FirstGylph = 0;
    panel.Font3D_NumGylph = 255;
    panel.Font3D_Extrustion = 0.1f;
    panel.Font3D_MaxDeviation = 0.0f;
    panel.SetFont3D_Format(f_WGL_FONT_LINES);
    panel.Font2D_Enabled = true;
    panel.Font2D_Type = TPanelFont{L"MS Sans Serif", -12, ANSI_CHARSET, false, false};
    panel.Font2D_FirstGylph = 0;
    panel.Font2D_NumGylph = 255;
}

void BindStripChart(TOpenGLPanel& panel, const Selection& selection, const EcuData& ecu,
                    const DisplayColours& colours, int graph) {
    panel.OnInit = [](TOpenGLPanel* p) { StripChartInit(*p); };
    panel.OnPaint = [&selection, &ecu, &colours, graph](TOpenGLPanel* p) {
        StripChartPaint(*p, selection, ecu, colours, graph);
    };
}

void SetChartPerspective(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (height == 0)
        gluPerspective(45.0, double(width), 1.0, 2000.0);
    else
        gluPerspective(20.0, double(width) / double(height), 1.0, 2000.0);
    glMatrixMode(GL_MODELVIEW);
}

void StripChartInit(TOpenGLPanel& panel) {
    glViewport(0, 0, panel.Width(), panel.Height());
    SetChartPerspective(panel.Width(), panel.Height());
    glLoadIdentity();
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void DrawChartGrid(const GraphColour& colour) {
    SetColour(colour);
    glTranslatef(-110.0f, -26.0f, -150.0f);
    for (int x = 0; x <= 220; x += 10) {
        glBegin(GL_LINE_STRIP);
        glVertex3f(float(x), 0.0f, 0.0f);
        glVertex3f(float(x), 51.0f, 0.0f);
        glEnd();
    }
    for (int y = 0; y <= 110; y += 10) {
        glBegin(GL_LINE_STRIP);
        glVertex3f(0.0f, float(y), 0.0f);
        glVertex3f(220.0f, float(y), 0.0f);
        glEnd();
    }
}

void StripChartPaint(TOpenGLPanel& panel, const Selection& selection, const EcuData& ecu,
                     const DisplayColours& colours, int graph) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_DEPTH_TEST);

    DrawChartGrid(colours.gridColour);

    const int family = selection.ecuFamily.load();
    const int param = graph >= 1 && graph <= 4 ? selection.graphParam[graph - 1] : -1;
    static thread_local ChannelSnapshot channel; // large; painting allocates nothing
    channel = ChannelSnapshot{};
    const bool hasChannel = ecu.channels.snapshot(family, param, channel);

    // The trace frame is twice as far away as the grid.
    SetColour(colours.graphicColour);
    glTranslatef(-108.0f, -25.1f, -150.0f);
    if (hasChannel) {
        glBegin(GL_LINE_STRIP);
        for (int i = 1; i <= kDrawnSamples; ++i)
            glVertex3f(float(channel.xPos[i]), float(channel.history[i]), 0.0f);
        glEnd();
    }
    if (!hasChannel) return;

    // Scale labels in pixel coordinates, y growing downward.
    ScaleLabelPair labels{"", ""};
    FindScaleLabels(family, param, labels);
    SetColour(colours.textColour);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, panel.Width(), panel.Height(), 0.0, 1000.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRasterPos2i(1, 14);
    panel.Draw2DText(Utf8ToCp1251(labels.top));
    glRasterPos2i(1, 104);
    panel.Draw2DText(Utf8ToCp1251(labels.bottom));
    SetChartPerspective(panel.Width(), panel.Height());

    // The value text, or the eight bits most significant first.
    SetColour(colours.text3Colour);
    glLoadIdentity();
    glTranslatef(-2.4f, -0.2f, -4.0f);
    glScalef(0.7f, 0.8f, 0.0f);
    std::string text;
    if (channel.isBitGroup) {
        for (int bit = 7; bit >= 0; --bit)
            text += channel.bitTexts[bit];
    } else {
        text = channel.text;
    }
    panel.Draw3DText(Utf8ToCp1251(text));
}
