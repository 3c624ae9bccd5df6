#pragma once
// The two scale labels of every chart channel: the text drawn at the top of the
// chart (what 100 chart units stand for) and at the bottom (0 units). UTF-8.

struct ScaleLabelPair {
    const char* top;
    const char* bottom;
};

// False for a pair that has no labels (family 5, an index beyond the family).
bool FindScaleLabels(int family, int index, ScaleLabelPair& out);
