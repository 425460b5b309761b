#include <gtest/gtest.h>

#include <string>

#include "model/eplot/eplot_font_resource.h"
#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_page_builder.h"
#include "model/eplot/eplot_paper.h"
#include "model/manifest/document_reading.h"
#include "model/xml/new_object.h"

namespace {

using DWF::DwfResult;
using DWFEPlot::EPlotFontResource;
using DWFEPlot::EPlotGraphicResource;
using DWFEPlot::EPlotImageResource;
using DWFEPlot::EPlotPaper;
using DWFUtil::Vector;

Vector<double> doubles(uint32_t count, double value = 1) {
    Vector<double> result;
    for (uint32_t i = 0; i < count; ++i) result.push_back(value);
    return result;
}

TEST(EPlotSetters, RefuseValuesOutsideTheirRulesAndLeaveTheAttribute) {
    EPlotPaper paper;
    EXPECT_EQ(paper.setWidth(0), DwfResult::InvalidArgument);
    EXPECT_EQ(paper.setWidth(-1), DwfResult::InvalidArgument);
    EXPECT_EQ(paper.setHeight(std::numeric_limits<double>::quiet_NaN()), DwfResult::InvalidArgument);
    EXPECT_EQ(paper.setWidth(0.001), DwfResult::Success);
    EXPECT_EQ(paper.setUnits("cm"), DwfResult::InvalidArgument);
    EXPECT_EQ(paper.setClip(doubles(3)), DwfResult::InvalidArgument);
    Vector<double> clip;
    EXPECT_EQ(paper.getClip(clip), DwfResult::ValueNotSet);
    EXPECT_EQ(paper.setClip(doubles(4)), DwfResult::Success);
    Vector<int32_t> color;
    color.push_back(1);
    EXPECT_EQ(paper.setColor(color), DwfResult::InvalidArgument);

    EPlotImageResource image;
    EXPECT_EQ(image.setTransform(doubles(15)), DwfResult::InvalidArgument);
    EXPECT_EQ(image.setTransform(doubles(17)), DwfResult::InvalidArgument);
    EXPECT_EQ(image.setExtents(doubles(5)), DwfResult::InvalidArgument);
    EXPECT_EQ(image.setClip(doubles(0)), DwfResult::InvalidArgument);
    EXPECT_EQ(image.setOriginalExtents(doubles(3)), DwfResult::InvalidArgument);
    EXPECT_EQ(image.setEffectiveResolution(0), DwfResult::InvalidArgument);
    EXPECT_EQ(image.setScannedResolution(-3), DwfResult::InvalidArgument);
    EXPECT_EQ(image.setOrientation(3), DwfResult::InvalidArgument);
    EXPECT_EQ(image.setOrientation("AlwaysInSync"), DwfResult::InvalidArgument);
    EXPECT_EQ(image.getOrientation(), 4);
    EXPECT_EQ(image.setOrientation(1), DwfResult::Success);
    EXPECT_EQ(image.getOrientation(), 1);
    EXPECT_EQ(image.toXml().toUtf8(),
              "<ImageResource transform=\"1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\" orientation=\"alwaysInSync\" />");

    EPlotFontResource font;
    EXPECT_EQ(font.setPrivilege(5), DwfResult::InvalidArgument);
    EXPECT_EQ(font.setPrivilege("NoEmbedding"), DwfResult::InvalidArgument);
    EXPECT_EQ(font.setCharacterCode(0), DwfResult::InvalidArgument);
    EXPECT_THROW(font.getCharacterCode(), DwfResult::Enum);
    EXPECT_EQ(font.setPrivilege("noEmbedding"), DwfResult::Success);
    EXPECT_EQ(font.getPrivilege(), 4);
}

TEST(EPlotSetters, ResourceTimesNeedTheMillisecondForm) {
    struct Case {
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {"2020-01-02T03:04:05:678", true},  {"0000-12-31T23:59:59:999", true},
        {"2020-01-02T03:04:05", false},     {"2020-01-02T03:04:05.678", false},
        {"2020-13-02T03:04:05:678", false}, {"2020-00-02T03:04:05:678", false},
        {"2020-01-32T03:04:05:678", false}, {"2020-01-00T03:04:05:678", false},
        {"2020-01-02T24:04:05:678", false}, {"2020-01-02T03:60:05:678", false},
        {"2020-01-02T03:04:60:678", false}, {"2020-01-02 03:04:05:678", false},
        {"2020-01-02T03:04:05:67x", false}, {"2020-01-02T03:04:05:6789", false},
        {"-020-01-02T03:04:05:678", false}, {"", false},
    };
    for (const Case& c : cases) {
        EPlotGraphicResource resource;
        EXPECT_EQ(resource.setCreationTime(c.text) == DwfResult::Success, c.accepted) << c.text;
        EXPECT_EQ(resource.setModificationTime(c.text) == DwfResult::Success, c.accepted) << c.text;
        EXPECT_EQ(resource.getCreationTime(), c.accepted ? c.text : "") << c.text;
    }
}

TEST(EPlotValidation, PaperChecksItsListsAndSize) {
    struct Case {
        const char* attributes;
        bool valid;
    };
    const Case cases[] = {
        {"units='mm' width='1' height='2'", true},
        {"units='mm' width='0' height='2'", true},  // the minimum is inclusive
        {"units='mm' width='-1' height='2'", false},
        {"units='mm' width='nan' height='2'", false},
        {"width='1' height='2'", false},
        {"units='mm' height='2'", false},
        {"units='mm' width='1' height='2' clip='0 0 1 2'", true},
        {"units='mm' width='1' height='2' clip='0 0 1'", false},
        {"units='mm' width='1' height='2' clip='0 -1 1 2'", false},
        {"units='mm' width='1' height='2' color='1 2'", false},
        {"units='mm' width='1' height='2' show='maybe'", true},  // an unknown word is not taken
    };
    for (const Case& c : cases) {
        DWFUtil::ObjectRef<DWFEPlot::EPlotPageBuilder> builder = DWFXmlFramework::newObject<DWFEPlot::EPlotPageBuilder>();
        ASSERT_EQ(modeltest::readDocument(std::string("<Page><Paper ") + c.attributes + "/><Resources/></Page>",
                                          builder),
                  DwfResult::Success);
        ASSERT_FALSE(builder->getPage().isNull());
        EXPECT_EQ(builder->getPage()->getPaper()->validate(), c.valid) << c.attributes;
    }
}

TEST(EPlotValidation, OverlongListsReadAsInvalidData) {
    std::string clip;
    for (int i = 0; i < 2000; ++i) clip += "1 ";
    DWFUtil::ObjectRef<DWFEPlot::EPlotPageBuilder> builder = DWFXmlFramework::newObject<DWFEPlot::EPlotPageBuilder>();
    ASSERT_EQ(modeltest::readDocument("<Page><Paper units='mm' width='1' height='1' clip='" + clip +
                                          "'/><Resources/></Page>",
                                      builder),
              DwfResult::Success);
    Vector<double> values;
    EXPECT_EQ(builder->getPage()->getPaper()->getClip(values), DwfResult::InvalidData);
    EXPECT_FALSE(builder->getPage()->getPaper()->validate());
}

}  // namespace
