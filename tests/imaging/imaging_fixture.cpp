#include "imaging_fixture.h"

#include "text/textfile.h"

namespace tw::imaging::testing {

void ImagingTest::SetUp() {
    ScreenTest::SetUp();
    fakes.clock.setStep(0.05);
}

void ImagingTest::TearDown() {
    form2.reset();
    ScreenTest::TearDown();
}

Form2 &ImagingTest::open(const QImage &testImage) {
    form2.reset();
    start();
    if (!testImage.isNull()) {
        addPicture("TestImage.jpg", testImage);
    }
    fakes.dialogs.reset();
    form2 = std::make_unique<Form2>(*form);
    form2->Form_Load();
    return *form2;
}

void ImagingTest::addPicture(const std::string &name, const QImage &picture) {
    fakes.pictures.addFile(form->filePath(name).string(), picture);
}

QImage ImagingTest::filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

std::vector<std::string> ImagingTest::lines(const std::string &name) const {
    const std::string contents = readFile(name);
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < contents.size()) {
        const std::size_t end = contents.find("\r\n", start);
        if (end == std::string::npos) {
            out.push_back(contents.substr(start));
            break;
        }
        out.push_back(contents.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

std::string ImagingTest::field(const std::string &line, int k) {
    // Quoted field k lies between the quotes 2k and 2k + 1.
    std::size_t open = std::string::npos;
    std::size_t from = 0;
    for (int q = 0; q <= 2 * k; ++q) {
        open = line.find('"', from);
        if (open == std::string::npos) {
            return {};
        }
        from = open + 1;
    }
    const std::size_t close = line.find('"', from);
    return close == std::string::npos ? std::string() : line.substr(from, close - from);
}

} // namespace tw::imaging::testing
