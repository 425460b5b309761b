#include "reader_inputs.h"

#include <gtest/gtest.h>

#include "package/zip/archive_writer.h"
#include "platform/unicode.h"

namespace readertest {
namespace {

void put16(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void put32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void putCount(std::string& out, uint32_t count) {
    if (count >= 1 && count <= 255) {
        out.push_back(static_cast<char>(count));
    } else {
        out.push_back('\0');
        put16(out, static_cast<uint16_t>(count - 256));
    }
}

std::string pageName(size_t index) { return "section" + std::to_string(index + 1); }

std::string manifestXml(const PackageLayout& layout) {
    std::string xml = "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" version=\"6.0\" objectId=\"0123\">";
    if (!layout.interfaceIds.empty()) {
        xml += "<dwf:Interfaces>";
        for (const std::string& id : layout.interfaceIds) {
            xml += "<dwf:Interface name=\"ePlot\" objectId=\"" + id + "\" href=\"urn:dwf:ePlot\"/>";
        }
        xml += "</dwf:Interfaces>";
    }
    xml += "<dwf:Properties>";
    for (const auto& [name, value] : layout.properties) {
        xml += "<dwf:Property name=\"" + name + "\" value=\"" + value + "\"/>";
    }
    xml += "</dwf:Properties><dwf:Sections>";
    for (size_t i = 0; i < layout.pages.size(); ++i) {
        const std::string section = pageName(i);
        xml += "<dwf:Section type=\"dwf.ePlot\" name=\"" + section + "\" title=\"Sheet " + std::to_string(i + 1) +
               "\"><dwf:Source provider=\"other\" dwf:href=\"" + section +
               "\\descriptor.xml\"/><dwf:Toc><dwf:Resource dwf:role=\"descriptor\" dwf:mime=\"text/xml\" "
               "dwf:href=\"" + section + "\\descriptor.xml\"/></dwf:Toc></dwf:Section>";
    }
    return xml + "</dwf:Sections></dwf:Manifest>";
}

std::vector<ResourceSpec> resourcesOf(const PageSpec& page) {
    if (!page.resources.empty()) return page.resources;
    return {ResourceSpec{"page.w2d"}};
}

std::string descriptorXml(const PageSpec& page, const std::string& section) {
    std::string xml = "<ePlot:Page xmlns:ePlot=\"DWF-ePlot:1.1\" version=\"1.1\" name=\"" + section +
                      "\"><ePlot:Paper units=\"mm\" width=\"" + std::to_string(page.paperWidth) + "\" height=\"" +
                      std::to_string(page.paperHeight) + "\"/><ePlot:Resources>";
    for (const ResourceSpec& resource : resourcesOf(page)) {
        xml += "<ePlot:" + resource.element + " role=\"" + resource.role + "\" mime=\"application/x-w2d\" href=\"" +
               section + "\\" + resource.href + "\" zOrder=\"" + std::to_string(resource.zOrder) + "\"/>";
    }
    return xml + "</ePlot:Resources></ePlot:Page>";
}

void addEntry(DWFZip::ArchiveWriter& archive, const std::string& name, const std::string& bytes) {
    ASSERT_EQ(archive.openEntry(name.c_str(), nullptr, {}, {}, nullptr, 8, -1, nullptr), 0);
    ASSERT_EQ(archive.writeEntry(bytes.data(), bytes.size()), 0);
    ASSERT_EQ(archive.closeEntry(), 0);
}

}  // namespace

W2dBytes::W2dBytes() : bytes_("(W2D V06.00)") {}

void W2dBytes::relative(Point point) {
    put32(bytes_, static_cast<uint32_t>(point.x) - static_cast<uint32_t>(current_.x));
    put32(bytes_, static_cast<uint32_t>(point.y) - static_cast<uint32_t>(current_.y));
    current_ = point;
}

W2dBytes& W2dBytes::userData(const std::string& description, const std::string& payload) {
    bytes_.push_back('{');
    put32(bytes_, static_cast<uint32_t>(payload.size() + description.size() + 9));
    put16(bytes_, 354);
    bytes_ += "'" + description + "'";
    put32(bytes_, static_cast<uint32_t>(payload.size()));
    bytes_ += payload;
    bytes_.push_back('}');
    return *this;
}

W2dBytes& W2dBytes::pen(int32_t pen) {
    std::string payload;
    put32(payload, static_cast<uint32_t>(pen));
    return userData("Pen", payload);
}

W2dBytes& W2dBytes::record(const std::string& description, const std::string& text) {
    return userData(description, text + std::string(1, '\0'));
}

W2dBytes& W2dBytes::polyline(const std::vector<Point>& points) {
    bytes_.push_back('p');
    putCount(bytes_, static_cast<uint32_t>(points.size()));
    for (const Point& point : points) relative(point);
    return *this;
}

W2dBytes& W2dBytes::contours(const std::vector<std::vector<Point>>& contours) {
    bytes_.push_back('k');
    putCount(bytes_, static_cast<uint32_t>(contours.size()));
    for (const auto& contour : contours) putCount(bytes_, static_cast<uint32_t>(contour.size()));
    for (const auto& contour : contours) {
        for (const Point& point : contour) relative(point);
    }
    return *this;
}

W2dBytes& W2dBytes::text(Point position, const std::string& eightBit) {
    bytes_.push_back('x');
    relative(position);
    bytes_ += "'" + eightBit + "'";
    return *this;
}

W2dBytes& W2dBytes::unicodeText(Point position, const std::u16string& text) {
    bytes_.push_back('x');
    relative(position);
    bytes_.push_back('{');
    put32(bytes_, static_cast<uint32_t>(text.size()));
    for (const char16_t unit : text) put16(bytes_, unit);
    bytes_.push_back('}');
    return *this;
}

W2dBytes& W2dBytes::image(uint16_t format, Point minimum, Point maximum, const std::string& data) {
    bytes_.push_back('{');
    put32(bytes_, static_cast<uint32_t>(data.size() + 31));
    put16(bytes_, format);
    put16(bytes_, 2);  // columns
    put16(bytes_, 3);  // rows
    relative(minimum);
    relative(maximum);
    put32(bytes_, 7);  // identifier
    put32(bytes_, static_cast<uint32_t>(data.size()));
    bytes_ += data;
    bytes_.push_back('}');
    return *this;
}

W2dBytes& W2dBytes::fill(bool on) {
    bytes_.push_back(on ? 'F' : 'f');
    return *this;
}

W2dBytes& W2dBytes::circle(Point centre, int32_t radius) {
    bytes_.push_back('r');
    relative(centre);
    put32(bytes_, static_cast<uint32_t>(radius));
    return *this;
}

W2dBytes& W2dBytes::raw(const std::string& bytes) {
    bytes_ += bytes;
    return *this;
}

std::string W2dBytes::finished() const { return bytes_ + "(EndOfDWF)"; }

std::vector<std::pair<std::string, std::string>> plotProperties(const std::string& version) {
    return {{"DwfToolkitVersion", "Read Only"}, {"PlotFileVersion", version}, {"Encoding", "UTF-8"},
            {"XScale", "2.5"},                  {"YScale", "0.125"},          {"Units", "mm"},
            {"DwfFrameworkVersion", "2.1"},     {"SourceProductVendor", "TALMOR"},
            {"DwfToolkitVersion", "6.0.1.15"}};
}

PackageLayout plotPackage(const std::vector<std::string>& pages) {
    PackageLayout layout;
    layout.properties = plotProperties();
    layout.interfaceIds = {kEPlotInterfaceId};
    for (const std::string& page : pages) layout.pages.push_back(PageSpec{page, 2970, 2100, {}});
    return layout;
}

void writePackage(const std::string& path, const PackageLayout& layout) {
    auto archive = DWFZip::ArchiveWriter::create(platform::utf8ToUtf16(path), false, layout.headerVersion);
    ASSERT_TRUE(archive);
    if (layout.withManifest) {
        addEntry(*archive, "manifest.xml", layout.manifestOverride.empty() ? manifestXml(layout) : layout.manifestOverride);
    }
    for (size_t i = 0; i < layout.pages.size(); ++i) {
        const std::string section = pageName(i);
        addEntry(*archive, section + "\\descriptor.xml", descriptorXml(layout.pages[i], section));
        for (const ResourceSpec& resource : resourcesOf(layout.pages[i])) {
            if (resource.inPackage) addEntry(*archive, section + "\\" + resource.href, layout.pages[i].w2d);
        }
    }
    ASSERT_EQ(archive->close(nullptr), 0);
}

}  // namespace readertest
