#pragma once
// The four display colours of the graph panels: set at start-up and by the
// colour window, read when the panels paint (all on the GUI thread).

// A display colour; t is drawn as alpha. Nominally 0..1.
struct GraphColour {
    float r = 0, g = 0, b = 0, t = 0;
};

struct DisplayColours {
    GraphColour gridColour{0.5f, 0.7f, 0.7f, 0.3f};
    GraphColour textColour{0.4f, 0.6f, 0.9f, 0.8f};
    GraphColour text3Colour{0.8f, 0.7f, 0.3f, 0.8f};
    GraphColour graphicColour{0.99f, 0.0f, 0.0f, 0.99f};
};
