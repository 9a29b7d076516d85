// Test entry point: one QApplication for the whole run, so window tests can create
// real windows (offscreen) and core tests can use QImage and the event loop. Pictures are
// read as the windows read them, Qt's decoders taking what the own readers leave out, and
// the desktop's language is spoken as the program speaks it.
#include "core/qtimage/QtImage.h"
#include "core/settings/Language.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qtimage::useQtDecoders();
    language::start(QString::fromLatin1(language::System), QStringLiteral(VELMORA_PROGRAM_DIR));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
