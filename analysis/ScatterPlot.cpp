#include "analysis/ScatterPlot.h"

#include <algorithm>
#include <cmath>

#include "link/FormatFixed.h"

namespace analysis {
namespace {

// The channel's scale, widened to the values of the polls.
ScatterAxis axisOf(const AnalysedRecording& r, int channel, const PollRange& polls, char symbol) {
    ScatterAxis a;
    a.channel = channel;
    const Channel& c = r.channels()[channel];
    a.low = c.scale.bottom;
    a.high = c.scale.top;
    const Envelope e = r.envelope(channel, polls.begin, polls.end);
    if (!e.empty) {
        a.low = std::min<double>(a.low, e.min);
        a.high = std::max<double>(a.high, e.max);
    }
    if (a.high <= a.low) a.high = a.low + 1;
    const bool asLabelled = a.low == c.scale.bottom && a.high == c.scale.top;
    a.lowText = asLabelled ? c.scale.bottomText : formatFixed(float(a.low), c.decimals, symbol);
    a.highText = asLabelled ? c.scale.topText : formatFixed(float(a.high), c.decimals, symbol);
    return a;
}

int binOf(double v, const ScatterAxis& a, int bins) {
    const int b = static_cast<int>(std::floor((v - a.low) / (a.high - a.low) * bins));
    return std::clamp(b, 0, bins - 1);
}

} // namespace

double ScatterPlot::colourPosition(const ScatterBin& bin) const {
    if (colour.channel < 0 || colourIsYesNo) return std::clamp<double>(bin.colour, 0, 1);
    return std::clamp((bin.colour - colour.low) / (colour.high - colour.low), 0.0, 1.0);
}

ScatterPlot BuildScatter(const AnalysedRecording& r, const ScatterRequest& q) {
    ScatterPlot plot;
    const int channels = r.channelCount();
    auto valid = [&](int c) { return c >= 0 && c < channels; };
    if (q.width <= 0 || q.height <= 0 || !valid(q.xChannel) || !valid(q.yChannel)) return plot;
    plot.width = q.width;
    plot.height = q.height;
    plot.bins.assign(std::size_t(q.width) * q.height, ScatterBin());
    const PollRange polls = r.pollsBetween(q.span.fromMs, q.span.toMs);
    plot.x = axisOf(r, q.xChannel, polls, q.decimalSymbol);
    plot.y = axisOf(r, q.yChannel, polls, q.decimalSymbol);
    const bool coloured = valid(q.colourChannel);
    if (coloured) {
        plot.colour = axisOf(r, q.colourChannel, polls, q.decimalSymbol);
        plot.colourIsYesNo = r.channels()[q.colourChannel].kind == ChannelKind::YesNo;
    }
    const std::vector<float>& xs = r.column(q.xChannel);
    const std::vector<float>& ys = r.column(q.yChannel);
    std::vector<double> colourSums(coloured ? plot.bins.size() : 0, 0.0);
    std::vector<uint32_t> colourCounts(colourSums.size(), 0);
    for (std::size_t p = polls.begin; p < polls.end; ++p) {
        if (!r.good(p) || std::isnan(xs[p]) || std::isnan(ys[p])) continue;
        const std::size_t i =
            std::size_t(binOf(ys[p], plot.y, q.height)) * q.width + binOf(xs[p], plot.x, q.width);
        ScatterBin& bin = plot.bins[i];
        ++bin.count;
        bin.poll = p;
        ++plot.points;
        if (coloured) {
            const float c = r.value(q.colourChannel, p);
            if (!std::isnan(c)) {
                colourSums[i] += c;
                ++colourCounts[i];
            }
        }
    }
    for (std::size_t i = 0; i < colourSums.size(); ++i)
        if (colourCounts[i] > 0) plot.bins[i].colour = float(colourSums[i] / colourCounts[i]);
    return plot;
}

std::size_t ScatterPollNear(const ScatterPlot& plot, int column, int row, int radius) {
    std::size_t best = kNoPoll;
    int bestDistance = 0;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int c = column + dx, w = row + dy;
            if (c < 0 || w < 0 || c >= plot.width || w >= plot.height) continue;
            const ScatterBin& bin = plot.at(c, w);
            const int d = dx * dx + dy * dy;
            if (bin.count > 0 && (best == kNoPoll || d < bestDistance)) {
                best = bin.poll;
                bestDistance = d;
            }
        }
    return best;
}

} // namespace analysis
