// The program as the desktop sees it, on real windows of the offscreen
// platform: the desktop file name is that of the installed entry (whose
// StartupWMClass and Icon name it too), every window carries the icon
// tintwise-icon draws, and the application keeps its own name.
#include "app/desktop_identity.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace tw::app {
namespace {

namespace fs = std::filesystem;

// The keys of the [Desktop Entry] group of a desktop file.
std::map<std::string, std::string> desktopEntry(const fs::path &file) {
    std::ifstream in(file);
    std::map<std::string, std::string> keys;
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && line[0] != '#' && line[0] != '[') {
            keys[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return keys;
}

class DesktopIdentityTest : public ::testing::Test {
protected:
    void SetUp() override {
        QCoreApplication::setApplicationName(QStringLiteral("Tintwise"));
        presentToDesktop();
    }
};

TEST_F(DesktopIdentityTest, TheDesktopEntryNamesTheApplication) {
    const std::string id = QGuiApplication::desktopFileName().toStdString();
    const fs::path entry = fs::path(TW_PACKAGING_DIR) / (id + ".desktop");
    ASSERT_TRUE(fs::exists(entry)) << "no desktop entry " << entry << " for " << id;
    const auto keys = desktopEntry(entry);
    EXPECT_EQ(keys.count("StartupWMClass") ? keys.at("StartupWMClass") : "", id);
    EXPECT_EQ(keys.count("Icon") ? keys.at("Icon") : "", id);
    EXPECT_EQ(keys.count("Exec") ? keys.at("Exec") : "", "tintwise");

    // The AppStream metadata launches the same entry.
    std::ifstream metainfo(fs::path(TW_PACKAGING_DIR) / (id + ".metainfo.xml"));
    const std::string xml((std::istreambuf_iterator<char>(metainfo)), {});
    EXPECT_NE(xml.find("<id>" + id + "</id>"), std::string::npos);
    EXPECT_NE(xml.find(">" + id + ".desktop</launchable>"), std::string::npos);
}

TEST_F(DesktopIdentityTest, TheApplicationKeepsItsName) {
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Tintwise"));
}

TEST_F(DesktopIdentityTest, AShownWindowCarriesTheDrawnIcon) {
    QWidget window;
    window.resize(200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_NE(window.windowHandle(), nullptr);
    const QIcon icon = window.windowHandle()->icon();
    ASSERT_FALSE(icon.isNull());

    for (const int size : { 48, 256 }) {
        const QString file = QStringLiteral(TW_ICON_DIR "/tintwise-%1.png").arg(size);
        const QImage drawn(file);
        ASSERT_FALSE(drawn.isNull()) << file.toStdString();
        const QImage carried = icon.pixmap(QSize(size, size)).toImage();
        EXPECT_EQ(carried.size(), QSize(size, size));
        EXPECT_EQ(carried.convertToFormat(QImage::Format_ARGB32),
            drawn.convertToFormat(QImage::Format_ARGB32))
            << "the " << size << " pixel icon is not the one tintwise-icon drew";
    }
}

} // namespace
} // namespace tw::app

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
