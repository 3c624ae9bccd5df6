#pragma once
// The scatter of the analysis window: one channel of the span against another
// (MAP against FREQ at first), each point coloured by a third (UO2SENS), with
// the legend top right. A click on a caption chooses that channel, a click on a
// point gives the poll drawn there. The bins come from analysis::BuildScatter.
#include <windows.h>

#include <cstddef>

#include "analysis/ScatterPlot.h"
#include "replay/AnalysisGeometry_win32.h"
#include "replay/AnalysisScene.h"

class AnalysisScatterView {
  public:
    enum class Part { None, XCaption, YCaption, Legend, Point };

    // The family's default channels.
    void chooseDefaults(int family);
    void setX(int channel) { x_ = channel; }
    void setY(int channel) { y_ = channel; }
    void setColour(int channel) { colour_ = channel; }

    // Builds the scatter of the scene's span for the plot's size and draws it.
    void paint(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene);
    // What lies at a client point; for a point, the poll drawn nearest to it.
    Part hit(const AnalysisGeometry& g, int x, int y, std::size_t& poll) const;

  private:
    int x_ = -1, y_ = -1, colour_ = -1;
    analysis::ScatterPlot scatter_;
};
