#pragma once
// The main-window controls that car, engine, port and graph-set selection
// change. TForm1 implements it; the native tests record the calls.
#include <string>

class SelectionView {
  public:
    virtual ~SelectionView() = default;
    virtual void setCarLabel(const std::string& text) = 0;    // Label2
    virtual void setEngineLabel(const std::string& text) = 0; // Label3
    virtual void setPortLabel(const std::string& text) = 0;   // Label1
    virtual void setGraphCaption(int graph,
                                 const std::string& text) = 0;        // Label4..Label7, graph 1..4
    virtual void setGraphSetButtonVisible(int set, bool visible) = 0; // Image20..Image31, set 1..12
    virtual void setGraphSetLabel(const std::string& text) = 0;       // Label8
    virtual void repaintGraphs() = 0;                                 // OpenGLPanel1..4
};

// A selection shown nowhere (benchmarks, headless runs).
class NoSelectionView : public SelectionView {
  public:
    void setCarLabel(const std::string&) override {}
    void setEngineLabel(const std::string&) override {}
    void setPortLabel(const std::string&) override {}
    void setGraphCaption(int, const std::string&) override {}
    void setGraphSetButtonVisible(int, bool) override {}
    void setGraphSetLabel(const std::string&) override {}
    void repaintGraphs() override {}
};
