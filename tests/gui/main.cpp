#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
    // The offscreen platform finds fonts only in QT_QPA_FONTDIR: under Wine the host's DejaVu
    // fonts, on Windows its own.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) {
        QString hostFonts = "Z:/usr/share/fonts/truetype/dejavu";
        QString fonts =
            QDir(hostFonts).exists() ? hostFonts : qEnvironmentVariable("WINDIR") + "/Fonts";
        qputenv("QT_QPA_FONTDIR", fonts.toLocal8Bit());
    }
#endif
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
