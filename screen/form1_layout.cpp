// The conversion screen's controls and where they stand, in twips inside the
// client area of 8280 x 5790 (controls in a frame are relative to the frame).
#include "screen/form1.h"

#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/combobox.h"
#include "ui/drawing_surface.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/optionarray.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"

#include <QFont>
#include <QWidget>
#include <initializer_list>
#include <vector>

namespace tw::screen {

using ui::TwipRect;

namespace {

constexpr int rowTops[4] = { 720, 1080, 1440, 1800 };
constexpr int rowHeight = 285;

} // namespace

void Form1::buildControls() {
    setClientSize(8280, 5790);
    setBackColor(ui::rgb(192, 192, 192));
    QFont font("Arial");
    font.setPointSizeF(8.0);
    setFont(font);

    Check1 = &add<ui::CheckBox>(TwipRect { 240, 120, 735, 255 }, "PWD");
    Label1 = &add<ui::Label>(TwipRect { 1080, 120, 1575, 375 }, "Illuminant");
    Label1->setWordWrap(true);
    Command11 = &add<ui::Button>(TwipRect { 2880, 120, 930, 495 }, "Save to Palette");
    printB = &add<ui::Button>(TwipRect { 3960, 120, 930, 495 }, "PRINT");
    Command2 = &add<ui::Button>(TwipRect { 5040, 120, 930, 495 }, "Exit");
    Command1 = &add<ui::Button>(TwipRect { 6120, 120, 930, 495 }, "Help");
    Command9 = &add<ui::Button>(TwipRect { 7200, 120, 930, 495 }, "About");

    // The entry boxes are made in tab order: Munsell first, then XYZ,
    // chromaticity and CIELAB, then RGB and CMYK.
    const char *munsellCaptions[3] = { "Hue  (eg, 5.6R)", "Value        (1-9)", "Chroma (0-28+)" };
    const char *munsellDesign[3] = { "5R", "5", "10" };
    ui::Label **munsellLabels[3] = { &Label8, &Label10, &Label12 };
    for (int i = 0; i < 3; ++i) {
        *munsellLabels[i]
            = &add<ui::Label>(TwipRect { 120, rowTops[i], 1400, rowHeight }, munsellCaptions[i]);
        Text12[i]
            = &add<ui::TextBox>(TwipRect { 1560, rowTops[i], 852, rowHeight }, munsellDesign[i]);
    }
    const char *xyzCaptions[3] = { "X", "Y", "Z" };
    ui::Label **xyzLabels[3] = { &Label7, &Label9, &Label11 };
    for (int i = 0; i < 3; ++i) {
        *xyzLabels[i]
            = &add<ui::Label>(TwipRect { 2880, rowTops[i], 225, rowHeight }, xyzCaptions[i]);
        Text11[i] = &add<ui::TextBox>(TwipRect { 3120, rowTops[i], 735, rowHeight });
    }
    Label16 = &add<ui::Label>(TwipRect { 2760, 1920, 225, rowHeight }, "x");
    Label17 = &add<ui::Label>(TwipRect { 2760, 2280, 225, rowHeight }, "y");
    Text18[0] = &add<ui::TextBox>(TwipRect { 3000, 1920, 735, rowHeight });
    Text18[1] = &add<ui::TextBox>(TwipRect { 3000, 2280, 735, rowHeight });
    const char *labCaptions[3] = { "L*", "a*", "b*" };
    ui::Label **labLabels[3] = { &Label13, &Label14, &Label15 };
    for (int i = 0; i < 3; ++i) {
        *labLabels[i]
            = &add<ui::Label>(TwipRect { 4125, rowTops[i], 300, rowHeight }, labCaptions[i]);
        Text15[i] = &add<ui::TextBox>(TwipRect { 4440, rowTops[i], 735, rowHeight });
    }
    const char *rgbCaptions[3] = { "R", "G", "B" };
    for (int i = 0; i < 3; ++i) {
        Label18[i] = &add<ui::Label>(TwipRect { 5400, rowTops[i], 225, rowHeight }, rgbCaptions[i]);
        Text1[i] = &add<ui::TextBox>(TwipRect { 5640, rowTops[i], 612, rowHeight });
    }
    const char *cmykCaptions[4] = { "C", "M", "Y", "K" };
    for (int i = 0; i < 4; ++i) {
        Label20[i]
            = &add<ui::Label>(TwipRect { 6960, rowTops[i], 225, rowHeight }, cmykCaptions[i]);
        Text2[i] = &add<ui::TextBox>(TwipRect { 7200, rowTops[i], 612, rowHeight });
    }

    // Scroll bars: the top value is the first bound; the up arrow moves
    // towards it, so up increases the quantity.
    VScroll1 = &add<ui::ScrollBar>(TwipRect { 2400, 720, 132, 252 }, Qt::Vertical, 202, 0);
    VScroll2 = &add<ui::ScrollBar>(TwipRect { 2400, 1080, 132, 252 }, Qt::Vertical, 20, 1);
    VScroll3 = &add<ui::ScrollBar>(TwipRect { 2400, 1440, 132, 252 }, Qt::Vertical, 40, 0);
    VScroll4 = &add<ui::ScrollBar>(TwipRect { 6240, 720, 135, 255 }, Qt::Vertical, 255, 0);
    VScroll5 = &add<ui::ScrollBar>(TwipRect { 6240, 1080, 135, 255 }, Qt::Vertical, 255, 0);
    VScroll6 = &add<ui::ScrollBar>(TwipRect { 6240, 1440, 135, 255 }, Qt::Vertical, 255, 0);

    Label4 = &add<ui::Label>(TwipRect { 5040, 1800, 615, 255 }, "Gamma");
    Text5 = &add<ui::TextBox>(TwipRect { 5640, 1800, 615, 255 }, "2.2");
    VScroll8 = &add<ui::ScrollBar>(TwipRect { 6240, 1800, 135, 255 }, Qt::Vertical, 30, 10);
    (void)VScroll8->setValue(22);

    Picture1 = &add<ui::DrawingSurface>(TwipRect { 720, 1920, 1812, 1575 });
    VScroll7 = &add<ui::ScrollBar>(TwipRect { 480, 2040, 132, 1455 }, Qt::Vertical, 50, 100);
    VScroll7->setLargeChange(10);
    (void)VScroll7->setValue(100);

    import = &add<ui::Button>(TwipRect { 3960, 2280, 1212, 255 }, "Import");
    Command3 = &add<ui::Button>(TwipRect { 5400, 2280, 1212, 255 }, "Make Table");

    Frame1 = &add<ui::Frame>(TwipRect { 5880, 2640, 2175, 1815 }, "Instrument");
    Combo1 = &addIn<ui::ComboBox>(*Frame1, TwipRect { 120, 360, 1455, 330 });
    Command7 = &addIn<ui::Button>(*Frame1, TwipRect { 120, 840, 972, 372 }, "Calibrate");
    Label3 = &addIn<ui::Label>(*Frame1, TwipRect { 1200, 840, 855, 255 }, "Comm Port");
    Text4 = &addIn<ui::TextBox>(*Frame1, TwipRect { 1560, 1080, 255, 288 }, "1");
    Command8 = &addIn<ui::Button>(*Frame1, TwipRect { 120, 1320, 972, 372 }, "Measure");

    Frame2 = &add<ui::Frame>(TwipRect { 2640, 3000, 1215, 1455 }, "Illuminant");
    Option1 = &addIn<ui::OptionArray>(*Frame2);
    Option1->add("C 1931", TwipRect { 120, 240, 975, 255 });
    Option1->add("D5000", TwipRect { 120, 480, 975, 255 });
    Option1->add("D65 10", TwipRect { 120, 720, 975, 255 });

    Picture2 = &add<ui::DrawingSurface>(TwipRect { 4080, 2760, 1560, 1710 });

    // Under the patch, reaching left to the window's margin so that two
    // notes at once ("Out of Munsell & RGB Range") fit on its one line.
    Label19 = &add<ui::Label>(TwipRect { 240, 3480, 2400, 255 });
    Label19->setForeColor(ui::rgb(255, 0, 0));

    Check2 = &add<ui::CheckBox>(TwipRect { 240, 3720, 2055, 255 }, "Display Hue Page");
    Check3 = &add<ui::CheckBox>(TwipRect { 240, 3960, 1935, 255 }, "Color Tolerence Set");
    Check4 = &add<ui::CheckBox>(TwipRect { 240, 4200, 1935, 255 }, "Display Value Page");
    Check5 = &add<ui::CheckBox>(TwipRect { 240, 4440, 2055, 255 }, "Display ColorChecker");
    Check6 = &add<ui::CheckBox>(TwipRect { 240, 4725, 1815, 210 }, "Image Analysis");
    Check7 = &add<ui::CheckBox>(TwipRect { 240, 4920, 2055, 285 }, "3D Display of HVC ");

    Shape1 = &add<ui::Shape>(TwipRect { 2400, 4560, 5775, 735 });
    Shape1->setFillColor(ui::rgb(224, 224, 224));
    Shape1->setBorderColor(ui::rgb(224, 224, 224));
    Label21 = &add<ui::Label>(TwipRect { 2520, 4680, 1680, 495 }, "Tint");
    Label22 = &add<ui::Label>(TwipRect { 4200, 4680, 1800, 495 }, "wise");
    Label5 = &add<ui::Label>(TwipRect { 6600, 4800, 1200, 375 }, "TWZ");
    for (ui::Label *title : { Label21, Label22 }) {
        title->setFontSize(20);
        title->setFontBold(true);
    }
    Label21->setForeColor(ui::rgb(192, 0, 0));
    Label21->setAlignment(ui::Alignment::Right);
    Label22->setForeColor(ui::rgb(0, 192, 0));
    Label5->setForeColor(ui::rgb(0, 0, 255));
    Label5->setFontSize(12);
    Label5->setFontBold(true);

    Text3 = &add<ui::TextBox>(TwipRect { 0, 5400, 2292, 288 }, "Messages");

    // These keep their colours under the viewing-light tint: they get a
    // background of their own instead of showing the tinted window through.
    const ui::Rgb24 grey = ui::rgb(192, 192, 192);
    for (ui::Control *c : std::initializer_list<ui::Control *> {
             Check1, Check2, Check3, Check4, Check5, Check6, Check7, Frame2, Label3, Label4 }) {
        c->setBackColor(grey);
    }
    Option1->setBackColor(grey);

    // Tab order: the Munsell boxes first, then the XYZ, chromaticity and
    // CIELAB boxes, then RGB, CMYK, gamma, the instrument frame and the
    // Messages box; the buttons and check boxes follow as placed.
    std::vector<QWidget *> order;
    for (const auto *group : { &Text12, &Text11 }) {
        for (ui::TextBox *box : *group) {
            order.push_back(box->widget());
        }
    }
    for (ui::TextBox *box : Text18) {
        order.push_back(box->widget());
    }
    for (const auto *group : { &Text15, &Text1 }) {
        for (ui::TextBox *box : *group) {
            order.push_back(box->widget());
        }
    }
    for (ui::TextBox *box : Text2) {
        order.push_back(box->widget());
    }
    for (ui::Control *c : std::initializer_list<ui::Control *> { Text5, Combo1, Text4, Text3 }) {
        order.push_back(c->widget());
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace tw::screen
