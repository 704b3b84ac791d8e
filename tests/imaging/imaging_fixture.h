// A picture window on a started conversion screen, with pictures the test
// makes. The clock moves on 0.05 s at each read, so the 0.2 s flash of a
// sample passes in a few reads.
#pragma once

#include "imaging/form2.h"
#include "screen_fixture.h"

#include <QImage>

#include <memory>
#include <string>
#include <vector>

namespace tw::imaging::testing {

class ImagingTest : public screen::testing::ScreenTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the screen, offers `testImage` as "TestImage.jpg" in the working
    // folder (none: the file is missing) and opens the window.
    Form2 &open(const QImage &testImage);
    // Offers a picture under a name, as the loader would look it up.
    void addPicture(const std::string &name, const QImage &picture);

    // A picture of one colour.
    [[nodiscard]] static QImage filled(int width, int height, QRgb colour);
    // The palette file's lines.
    [[nodiscard]] std::vector<std::string> lines(const std::string &name) const;
    // Quoted field k of a palette line, without its quotes, counting only
    // the quoted ones: 0 to 11 are date to b*, 12 to 14 R, G, B.
    [[nodiscard]] static std::string field(const std::string &line, int k);

    std::unique_ptr<Form2> form2;
};

} // namespace tw::imaging::testing
