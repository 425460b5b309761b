#include "host_plot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <vector>

namespace bench {
namespace {

// A1 landscape, in plot units (centimetres of paper).
constexpr double kPageWidth = 84.1;
constexpr double kPageHeight = 59.4;

// Layer names as drawings carry them; some are longer than a short string
// keeps inline.
constexpr std::array<const char*, 12> kGroups = {
    "0",           "A-WALL",          "A-DOOR",          "A-GLAZ",
    "A-FLOR-PATT", "E-LITE-CLNG",     "M-HVAC-SUPP-DUCT", "S-GRID",
    "A-ANNO-DIMS", "P-SANR-FIXT-EXST", "A-FURN",          "C-TOPO-MAJR-CONTOUR"};

// xorshift64*: cheap, seeded, the same sequence everywhere.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    // [low, high] inclusive.
    uint32_t between(uint32_t low, uint32_t high) {
        return low + static_cast<uint32_t>(next() % (uint64_t{high} - low + 1));
    }
    // [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double between(double low, double high) { return low + (high - low) * unit(); }

private:
    uint64_t state_;
};

class HostPlotter {
public:
    HostPlotter(PlotFileWriter& writer, uint64_t seed) : writer_(writer), random_(seed) {}

    PageTally draw(const std::string& path, uint64_t linePoints) {
        std::vector<PenDetail> pens;
        for (int pen = 0; pen < 16; ++pen) {
            pens.emplace_back(pen * 16, 255 - pen * 8, (pen * 37) % 256, 0.13 + 0.05 * pen);
        }
        writer_.setPenDetails(pens);
        if (!writer_.openPlot(path, kPageWidth, kPageHeight, 1.0, 1.0, "M", 0, "ISO8859_1", "KESTRA", "7.2")) {
            return tally_;
        }
        writer_.openPage({"1 \"A-WALL\" 1 0", "2 \"A-DOOR\" 0 1", "3 \"S-GRID\" 1 1"});
        writer_.setPen(1);
        while (tally_.linePoints < linePoints) {
            // The last line of the page takes what is left, never a lone point.
            const uint64_t left = linePoints - tally_.linePoints;
            const uint64_t count = std::min<uint64_t>(random_.between(2u, 200u), left);
            drawPolyline(left - count == 1 ? left : count);
            ++polylines_;
            if (random_.between(0u, 7u) == 0) {
                writer_.setPen(static_cast<int>(random_.between(0u, 15u)));
                ++tally_.pens;
            }
            if (random_.between(0u, 19u) == 0) {
                group_ = kGroups[random_.between(0u, static_cast<uint32_t>(kGroups.size() - 1))];
            }
            if (polylines_ % 40 == 0) drawPolygons();
            if (polylines_ % 60 == 0) drawText();
        }
        writer_.closePage();
        ++tally_.pages;
        writer_.closePlot();
        return tally_;
    }

private:
    void wander(double& x, double& y) {
        x = std::clamp(x + random_.between(-1.5, 1.5), 0.0, kPageWidth);
        y = std::clamp(y + random_.between(-1.5, 1.5), 0.0, kPageHeight);
    }

    // Three kinds of lines, as drawings have them: walls and grids along the
    // axes on a 0.05 grid, arcs and curves, and free-hand contours.
    void drawPolyline(uint64_t count) {
        const uint32_t kind = random_.between(0u, 9u);
        if (kind < 4) {
            drawOrthogonal(count);
        } else if (kind < 7) {
            drawArc(count);
        } else {
            drawContour(count);
        }
        tally_.linePoints += count;
        ++tally_.lines;
    }

    void drawOrthogonal(uint64_t count) {
        double x = 0.05 * random_.between(0u, 1680u);
        double y = 0.05 * random_.between(0u, 1180u);
        writer_.addLine(x, y, kPenUp, group_);
        for (uint64_t point = 1; point < count; ++point) {
            const double step = 0.05 * random_.between(1u, 100u) * (random_.between(0u, 1u) ? 1.0 : -1.0);
            if (point % 2 == 0) {
                x = std::clamp(x + step, 0.0, kPageWidth);
            } else {
                y = std::clamp(y + step, 0.0, kPageHeight);
            }
            writer_.addLine(x, y, kPenDown, group_);
        }
    }

    void drawArc(uint64_t count) {
        const double cx = random_.between(5.0, kPageWidth - 5.0);
        const double cy = random_.between(5.0, kPageHeight - 5.0);
        const double radius = random_.between(0.2, 5.0);
        const double start = random_.between(0.0, 6.283185307179586);
        const double sweep = random_.between(0.5, 6.283185307179586);
        for (uint64_t point = 0; point < count; ++point) {
            const double angle = start + sweep * static_cast<double>(point) / static_cast<double>(count - 1);
            const int pen = point == 0 ? kPenUp : kPenDown;
            writer_.addLine(cx + radius * std::cos(angle), cy + radius * std::sin(angle), pen, group_);
        }
    }

    void drawContour(uint64_t count) {
        double x = random_.between(0.0, kPageWidth);
        double y = random_.between(0.0, kPageHeight);
        writer_.addLine(x, y, kPenUp, group_);
        for (uint64_t point = 1; point < count; ++point) {
            wander(x, y);
            writer_.addLine(x, y, kPenDown, group_);
        }
    }

    void drawPolygons() {
        std::vector<std::vector<PlottingPoint>> polygons(random_.between(1u, 3u));
        for (auto& contour : polygons) {
            double x = random_.between(0.0, kPageWidth);
            double y = random_.between(0.0, kPageHeight);
            const uint32_t count = random_.between(4u, 40u);
            for (uint32_t point = 0; point < count; ++point) {
                contour.emplace_back(x, y);
                wander(x, y);
            }
        }
        writer_.addPolygons(polygons, static_cast<int>(random_.between(0u, 15u)), group_);
        ++tally_.polygons;
    }

    void drawText() {
        static const wchar_t* const lines[] = {L"DETAIL A - SECTION 3", L"Scale 1:50", L"Niveau +3,40 m"};
        PlotFont font;
        font.name = "Arial";
        font.height = 0.35;
        const double x = random_.between(0.0, kPageWidth - 10.0);
        const double y = random_.between(1.0, kPageHeight - 3.0);
        const double angle = random_.between(0u, 3u) == 0 ? 90.0 : 0.0;
        const int count = static_cast<int>(random_.between(1u, 3u));
        for (int line = 1; line <= count; ++line) {
            writer_.addText(x, y - 0.5 * (line - 1), font, angle, lines[line - 1], line, count, 6.0, 0.35, 0.2,
                            group_);
        }
        ++tally_.texts;
    }

    PlotFileWriter& writer_;
    Random random_;
    std::string group_ = kGroups[0];
    uint64_t polylines_ = 0;
    PageTally tally_;
};

// Takes every call and does nothing with it.
class NullWriter final : public PlotFileWriter {
public:
    bool openPlot(const std::string&, double, double, double, double, std::string, unsigned int, const std::string&,
                  const std::string&, const std::string&) override {
        return true;
    }
    void closePlot() override {}
    void openPage(const std::set<std::string>&) override {}
    void closePage() override {}
    void addLine(double x, double y, int, const std::string&) override { sink_ += x + y; }
    void addTable(std::string) override {}
    void addPolygons(const std::vector<std::vector<PlottingPoint>>&, int, const std::string&) override {}
    void addSymbol(double, double, double, double, bool, const std::string&,
                   const std::vector<std::vector<PlottingPoint>>&, const std::string&) override {}
    void addText(double, double, const PlotFont&, double, const wchar_t*, int, int, double, double, double,
                 const std::string&) override {}
    void addImage(double, double, double, double, IMAGE*, const std::string&) override {}
    void setPen(int) override {}
    void setPenDetails(std::vector<PenDetail>&) override {}

    double sink() const { return sink_; }

private:
    double sink_ = 0;
};

}  // namespace

PageTally writeHostPlot(PlotFileWriter& writer, const std::string& path, uint64_t linePoints, uint64_t seed) {
    return HostPlotter(writer, seed).draw(path, linePoints);
}

PageTally drawHostPlotNowhere(uint64_t linePoints, uint64_t seed) {
    NullWriter writer;
    PageTally tally = HostPlotter(writer, seed).draw("", linePoints);
    // Keeps the coordinates computed.
    if (writer.sink() < 0) tally.linePoints = 0;
    return tally;
}

PageTally readHostPlot(PlotFileReader& reader, const std::string& path) {
    PageTally tally;
    if (!reader.openPlot(path)) return tally;
    // The host's vectors live across operations, as a viewer keeps them.
    std::vector<PlottingPoint> points;
    std::vector<std::vector<PlottingPoint>> polygons;
    std::string group;
    std::string name;
    PlotFont font;
    double x = 0, y = 0, a = 0, b = 0;
    int pen = 0;
    bool first = false, second = false;
    for (;;) {
        const Plt_Plot_Operation_T operation = reader.getOperation();
        if (operation == PLT_END_OF_PLOT) break;
        switch (operation) {
            case PLT_NEW_PAGE:
                ++tally.pages;
                break;
            case PLT_PEN:
                pen = reader.getPen();
                ++tally.pens;
                break;
            case PLT_LINE:
                reader.getLine(points);
                tally.linePoints += points.size();
                ++tally.lines;
                break;
            case PLT_POLYGONS:
                reader.getPolygons(polygons, pen, group);
                ++tally.polygons;
                break;
            case PLT_TEXT:
                reader.getText(x, y, font, a, group);
                ++tally.texts;
                break;
            case PLT_SYMBOL:
                reader.getSymbol(x, y, a, b, first, name, group);
                break;
            case PLT_GROUP_OPTIONS:
                reader.getGroupInfo(group, first, second);
                break;
            case PLT_TABLE:
                reader.getTableString(name);
                break;
            case PLT_IMAGE: {
                IMAGE* image = nullptr;
                reader.getImage(x, y, a, b, &image, group);
                break;
            }
            default:
                break;
        }
    }
    reader.closePlot();
    return tally;
}

}  // namespace bench
